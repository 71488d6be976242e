#include "engine/text_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <string_view>

#include "engine/mouse_span.h"

namespace tessaline::engine {
namespace {

TEST(ReplaceText, ScansFromTheLeftWithoutOverlap) {
  struct Row {
    const char* name;
    std::u16string_view text, old, replacement;
    bool all, ignoreCase;
    std::u16string_view want;
  };
  const Row rows[] = {
      {"every occurrence", u"a-b-c", u"-", u"+", true, false, u"a+b+c"},
      {"first only", u"a-b-c", u"-", u"+", false, false, u"a+b-c"},
      {"no overlap", u"aaaa", u"aa", u"a", true, false, u"aa"},
      {"odd rest stays", u"aaa", u"aa", u"b", true, false, u"ba"},
      {"new text not searched again", u"ab", u"a", u"aa", true, false, u"aab"},
      {"empty old text", u"abc", u"", u"x", true, true, u"abc"},
      {"empty text", u"", u"a", u"x", true, true, u""},
      {"old longer than text", u"ab", u"abc", u"x", true, true, u"ab"},
      {"exact", u"Holiday holiday", u"holiday", u"Trip", true, false, u"Holiday Trip"},
      {"case-blind", u"Holiday HOLIDAY", u"holiday", u"Trip", true, true, u"Trip Trip"},
      {"case-blind first", u"xAx ax", u"a", u"", false, true, u"xx ax"},
      {"case-blind beyond ASCII", u"Été ÉTÉ été", u"été", u"x", true, true, u"x x x"},
      {"exact beyond ASCII", u"Éé", u"é", u"e", true, false, u"Ée"},
      // One-unit mapping only: sharp s has no single upper-case code unit.
      {"no multi-unit mapping", u"STRASSE Straße", u"ß", u"ss", true, true, u"STRASSE Strasse"},
      // Letters outside the Basic Multilingual Plane are two code units that
      // map to themselves, so they match only exactly.
      {"beyond the BMP", u"\U00010400\U00010428", u"\U00010428", u"x", true, true, u"\U00010400x"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(replaceText(r.text, r.old, r.replacement, r.all, r.ignoreCase), r.want);
  }
}

TEST(FindText, FirstExactOccurrence) {
  EXPECT_EQ(findText(u"abcabc", u"ca"), 3);
  EXPECT_EQ(findText(u"abc", u"a"), 1);
  EXPECT_EQ(findText(u"abc", u"A"), 0);
  EXPECT_EQ(findText(u"abc", u""), 0);
  EXPECT_EQ(findText(u"", u"a"), 0);
}

TEST(SubText, ClipsToTheText) {
  struct Row {
    long long from, count;
    std::u16string_view want;
  };
  const Row rows[] = {
      {1, 3, u"abc"},       {2, 2, u"bc"},
      {0, 2, u"ab"},        {-5, 2, u"ab"},
      {4, 9, u"de"},        {2, 0, u""},
      {2, -1, u""},         {6, 1, u""},
      {5, 1, u"e"},         {1, LLONG_MAX, u"abcde"},
      {LLONG_MIN, 1, u"a"}, {LLONG_MAX, 1, u""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "from " << r.from << " count " << r.count);
    EXPECT_EQ(subText(u"abcde", r.from, r.count), r.want);
  }
}

TEST(InsertText, ClipsThePosition) {
  struct Row {
    long long pos;
    std::u16string_view want;
  };
  const Row rows[] = {
      {1, u"-ab"}, {2, u"a-b"},         {3, u"ab-"},         {4, u"ab-"},
      {0, u"-ab"}, {LLONG_MIN, u"-ab"}, {LLONG_MAX, u"ab-"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.pos);
    EXPECT_EQ(insertText(u"ab", u"-", r.pos), r.want);
  }
  EXPECT_EQ(insertText(u"", u"x", 5), u"x");
}

TEST(CaseRules, OnlyAsciiLettersChangeCase) {
  EXPECT_EQ(asciiLower(u"AbZ@[`{ ÉÀ"), u"abz@[`{ ÉÀ");
  EXPECT_EQ(asciiUpper(u"aBz@[`{ éà"), u"ABZ@[`{ éà");
  EXPECT_EQ(unicodeUpper(u'é'), u'É');
  EXPECT_EQ(unicodeUpper(u'z'), u'Z');
  EXPECT_EQ(unicodeUpper(u'ß'), u'ß');
  EXPECT_EQ(unicodeUpper(char16_t{0xD801}), char16_t{0xD801});
}

TEST(Trim, RemovesSpacesAndControlCodes) {
  EXPECT_EQ(trim(u" \t\x01 a b \r\n"), u"a b");
  EXPECT_EQ(trimLeft(u" \t a b  "), u"a b  ");
  EXPECT_EQ(trim(u" \u00A0 "), u"\u00A0");  // a no-break space is not a control code
  EXPECT_EQ(trim(u"   "), u"");
  EXPECT_EQ(trimLeft(u""), u"");
}

TEST(MouseSpan, MapsTheSampleSelectionOntoAName) {
  struct Row {
    const char* name;
    bool fromEnd;
    int sampleLength, start, length;
    long long n, before, after;
  };
  const Row rows[] = {
      {"head", false, 10, 3, 2, 12, 3, 6},
      {"head ignores the length of the name", false, 10, 3, 2, 1, 3, 6},
      {"end, longer name", true, 10, 3, 2, 12, 5, 8},
      {"end, shorter name", true, 10, 3, 2, 4, -3, 0},
      {"end, same length", true, 10, 3, 2, 10, 3, 6},
      {"huge values do not overflow", true, INT_MAX, INT_MAX, INT_MAX, 0, 0,
       static_cast<long long>(INT_MAX) + 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    RenameJob job;
    job.sampleLength = r.sampleLength;
    job.selectionStart = r.start;
    job.selectionLength = r.length;
    const MouseSpan span = mouseSpan(job, r.n, r.fromEnd);
    EXPECT_EQ(span.before, r.before);
    EXPECT_EQ(span.after, r.after);
  }
}

}  // namespace
}  // namespace tessaline::engine
