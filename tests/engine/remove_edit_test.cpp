#include "engine/remove_edit.h"

#include <gtest/gtest.h>

#include <climits>
#include <string_view>

#include "support/test_text.h"

namespace tessaline::engine {
namespace {

using testing::repeat;

// A job change for one table row; captureless lambdas convert to it.
using JobSetup = void (*)(RenameJob&);

struct Row {
  const char* name;
  JobSetup setup;
  std::u16string_view base;
  std::u16string_view want;
};

void expectRows(RemoveKind kind, std::initializer_list<Row> rows) {
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    RenameJob job;
    job.removeKind = kind;
    r.setup(job);
    EXPECT_EQ(removeEdit(job, r.base), r.want);
  }
}

RenameJob mouseJob(RemovePartKind kind, int sampleLength, int start, int length) {
  RenameJob job;
  job.removeKind = RemoveKind::RemovePart;
  job.removePartKind = kind;
  job.sampleLength = sampleLength;
  job.selectionStart = start;
  job.selectionLength = length;
  return job;
}

TEST(RemoveStrings, RemovesEachStringInTurn) {
  expectRows(
      RemoveKind::RemoveStrings,
      {
          {"all occurrences, case-blind; the second string then finds nothing",
           [](RenameJob& j) { j.removeText1 = u"the", j.removeText2 = u"The"; },
           u"The Best of the Rest", u" Best of  Rest"},
          {"case-sensitive",
           [](RenameJob& j) { j.removeText1 = u"the", j.removeCaseSensitive = true; },
           u"The Best of the Rest", u"The Best of  Rest"},
          {"only the leftmost",
           [](RenameJob& j) { j.removeText1 = u"ab", j.removeOnlyLeftest = true; }, u"abcab",
           u"cab"},
          {"each string works on the result of the one before",
           [](RenameJob& j) { j.removeText1 = u"b", j.removeText3 = u"ac"; }, u"abcd", u"d"},
          {"case-blind beyond ASCII", [](RenameJob& j) { j.removeText2 = u"É"; }, u"été", u"t"},
          {"no strings", [](RenameJob&) {}, u"abc", u"abc"},
      });
}

TEST(RemovePart, MousePartFromHeadOrEnd) {
  struct MouseRow {
    const char* name;
    bool fromEnd;
    int sampleLength, start, length;
    std::u16string_view base, want;
  };
  const MouseRow rows[] = {
      // Four code units selected from the head take 'IMG_' whole, the
      // separator included.
      {"head", false, 8, 0, 4, u"IMG_0001", u"0001"},
      {"head, inside", false, 8, 3, 1, u"IMG_0001", u"IMG0001"},
      {"head, name shorter than the span", false, 8, 2, 4, u"abc", u"ab"},
      {"head, span beyond the name", false, 8, 5, 2, u"abc", u"abc"},
      {"end", true, 8, 4, 4, u"DSC_12345", u"DSC_1"},
      {"end, part reaching before the head", true, 8, 2, 3, u"abcd", u"bcd"},
      {"end, span before the name", true, 10, 0, 2, u"abc", u"abc"},
      {"head, huge selection", false, 8, INT_MAX, INT_MAX, u"abc", u"abc"},
      {"end, huge selection", true, INT_MAX, INT_MAX, INT_MAX, u"abc", u"abc"},
      {"end, huge sample", true, INT_MAX, 0, 1, u"abc", u"abc"},
  };
  for (const MouseRow& r : rows) {
    SCOPED_TRACE(r.name);
    RenameJob job = mouseJob(RemovePartKind::MousePart, r.sampleLength, r.start, r.length);
    job.removeFromEnd = r.fromEnd;
    EXPECT_EQ(removeEdit(job, r.base), r.want);
  }
}

TEST(RemovePart, BetweenStrings) {
  struct BetweenRow {
    const char* name;
    std::u16string_view left, right;
    bool alsoRemove;
    std::u16string_view base, want;
  };
  const BetweenRow rows[] = {
      {"pairs", u"(", u")", false, u"a(b)c(d)e", u"a()c()e"},
      {"pairs, strings too", u"(", u")", true, u"a(b)c(d)e", u"ace"},
      {"right before left", u"(", u")", false, u"a)b(c", u"a)b(c"},
      {"nothing would be left", u"(", u")", true, u"(x)", u"(x)"},
      {"left without a right behind it ends the scan", u"(", u")", false, u"a(b)c(d", u"a()c(d"},
      {"longer strings", u"<<", u">>", true, u"a<<b>>c<<d>>", u"ac"},
      {"exact matching", u"x", u"y", false, u"aXbYc", u"aXbYc"},
      {"same strings", u"_", u"_", false, u"a_b_c_d_e", u"a__c__e"},
      {"same strings, removed too", u"_", u"_", true, u"a_b_c_d_e", u"ace"},
      {"same strings, odd count", u"_", u"_", false, u"a_b_c", u"a__c"},
      {"same strings, only one", u"_", u"_", false, u"x_y", u"x_y"},
      {"same long strings", u"--", u"--", false, u"a--b--c--d", u"a----c--d"},
      {"empty left", u"", u")", false, u"a(b)c", u"a(b)c"},
      {"empty right", u"(", u"", false, u"a(b)c", u"a(b)c"},
      {"empty right, strings too", u"(", u"", true, u"a(b)c", u"a(b)c"},
      {"both empty, same strings", u"", u"", false, u"a(b)c", u"a(b)c"},
  };
  for (const BetweenRow& r : rows) {
    SCOPED_TRACE(r.name);
    RenameJob job = mouseJob(RemovePartKind::BetweenStrings, 0, 0, 0);
    job.betweenLeft = r.left;
    job.betweenRight = r.right;
    job.betweenAlsoRemove = r.alsoRemove;
    EXPECT_EQ(removeEdit(job, r.base), r.want);
  }
}

TEST(RemovePart, BetweenStringsEndsOnLongNames) {
  RenameJob job = mouseJob(RemovePartKind::BetweenStrings, 0, 0, 0);
  job.betweenLeft = u"_";
  job.betweenRight = u"_";
  const std::u16string base = repeat(u"_", 5001);
  EXPECT_EQ(removeEdit(job, base), base);
  EXPECT_EQ(removeEdit(job, repeat(u"a_", 2000)), u"a_" + repeat(u"_a_", 999) + u"_");
}

TEST(RemovePart, AllNumbers) {
  const JobSetup allNumbers = [](RenameJob& j) { j.removePartKind = RemovePartKind::AllNumbers; };
  expectRows(RemoveKind::RemovePart,
             {
                 {"digits, spaces tidied", allNumbers, u"Track 01 - Intro 2", u"Track - Intro"},
                 {"one code unit", allNumbers, u"7", u"7"},
                 {"no digit, spaces untouched", allNumbers, u"Intro  x ", u"Intro  x "},
                 {"only digits", allNumbers, u"2024", u""},
                 {"digits outside ASCII stay", allNumbers, u"A١2", u"A١"},
             });
}

TEST(KeepPart, MousePartFromHeadOrEnd) {
  struct MouseRow {
    const char* name;
    bool fromEnd;
    int sampleLength, start, length;
    std::u16string_view base, want;
  };
  const MouseRow rows[] = {
      {"head", false, 8, 4, 4, u"IMG_0001", u"0001"},
      {"head, name shorter", false, 8, 2, 4, u"abcd", u"cd"},
      {"head, beyond the name", false, 8, 5, 2, u"abc", u""},
      {"end", true, 8, 4, 4, u"DSC_12345", u"2345"},
      {"end, start clipped to the head", true, 4, 0, 4, u"ab", u"ab"},
      {"end, before the name", true, 8, 0, 4, u"abc", u""},
      {"head, huge selection", false, 8, INT_MAX, INT_MAX, u"abc", u""},
      {"end, huge selection keeps everything", true, 8, 0, INT_MAX, u"abc", u"abc"},
      {"end, huge sample", true, INT_MAX, 0, 1, u"abc", u""},
  };
  for (const MouseRow& r : rows) {
    SCOPED_TRACE(r.name);
    RenameJob job = mouseJob(RemovePartKind::MousePart, r.sampleLength, r.start, r.length);
    job.removeKind = RemoveKind::KeepPart;
    job.keepPartKind = KeepPartKind::MousePart;
    job.keepFromEnd = r.fromEnd;
    EXPECT_EQ(removeEdit(job, r.base), r.want);
  }
}

TEST(KeepPart, KeepStringsInNameOrder) {
  struct KeepRow {
    const char* name;
    std::u16string_view text1, text2;
    bool onlyLeftest;
    std::u16string_view base, want;
  };
  const KeepRow rows[] = {
      {"both found", u"Song", u"01", false, u"Song - Artist - 01", u"Song01"},
      {"joined in name order", u"01", u"Song", false, u"Song - Artist - 01", u"Song01"},
      {"none found", u"zz", u"", false, u"Song - Artist", u"Song - Artist"},
      {"every occurrence", u"ab", u"", false, u"ab-ab", u"abab"},
      {"only the first", u"ab", u"", true, u"ab-ab", u"ab"},
      {"second string only", u"", u"ab", false, u"ab-ab", u"abab"},
      {"second may not overlap the first", u"bc", u"ab", false, u"abcab", u"bcab"},
      {"second may not span the first", u"1", u"x1x", false, u"x1x", u"1"},
      {"only the first of each", u"1", u"x", true, u"x1x1", u"x1"},
      {"exact matching", u"song", u"", false, u"Song", u"Song"},
  };
  for (const KeepRow& r : rows) {
    SCOPED_TRACE(r.name);
    RenameJob job;
    job.removeKind = RemoveKind::KeepPart;
    job.keepPartKind = KeepPartKind::KeepStrings;
    job.keepText1 = r.text1;
    job.keepText2 = r.text2;
    job.keepOnlyLeftest = r.onlyLeftest;
    EXPECT_EQ(removeEdit(job, r.base), r.want);
  }
}

TEST(CleanSymbols, ErasesSymbolsAfterTheFirst) {
  expectRows(
      RemoveKind::CleanSymbols,
      {
          {"defaults keep the dash", [](RenameJob&) {}, u"a&b - c!", u"ab - c"},
          {"marks become spaces", [](RenameJob& j) { j.cleanToSpace = true; }, u"a&b - c!",
           u"a b - c "},
          {"spaces collapse", [](RenameJob& j) { j.cleanToSpace = true; }, u"a ! b", u"a b"},
          {"leading space stays", [](RenameJob&) {}, u" a!", u" a"},
          {"accented letters are symbols", [](RenameJob&) {}, u"Café#1", u"Caf1"},
          {"a pair of surrogates goes whole", [](RenameJob&) {}, u"a😀b", u"ab"},
          {"braces are symbols", [](RenameJob&) {}, u"{a}|~", u"a"},
          {"dash not kept", [](RenameJob& j) { j.cleanKeepDash = false; }, u"a-b", u"ab"},
          {"kept groups",
           [](RenameJob& j) {
             j.cleanKeepUnderscore = j.cleanKeepParentheses = j.cleanKeepBrackets = true;
           },
           u"a_(b)[c]{d}", u"a_(b)[c]d"},
          {"others kept only when on", [](RenameJob& j) { j.cleanKeepOthers = u"&"; }, u"a&b",
           u"ab"},
          {"others", [](RenameJob& j) { j.cleanKeepOthersOn = true, j.cleanKeepOthers = u"&é"; },
           u"a&é!b", u"a&éb"},
          {"one code unit", [](RenameJob&) {}, u"#", u"#"},
      });
}

TEST(CleanSymbols, ErasesTextAfterTheSymbols) {
  expectRows(
      RemoveKind::CleanSymbols,
      {
          {"whole text is one mark",
           [](RenameJob& j) {
             j.cleanEraseOn = j.cleanKeepParentheses = j.cleanToSpace = true;
             j.cleanEraseText = u"copy";
           },
           u"Film (copy)!", u"Film ( ) "},
          {"every occurrence",
           [](RenameJob& j) { j.cleanEraseOn = true, j.cleanEraseText = u"ab"; }, u"ab!abab", u""},
          {"an occurrence across an erased symbol is not found",
           [](RenameJob& j) { j.cleanEraseOn = true, j.cleanEraseText = u"abcd"; }, u"ab#cd",
           u"abcd"},
          {"an occurrence with a kept symbol is found",
           [](RenameJob& j) {
             j.cleanEraseOn = j.cleanKeepOthersOn = true;
             j.cleanKeepOthers = u"#";
             j.cleanEraseText = u"b#c";
           },
           u"ab#cd!", u"ad"},
          {"erasing is off", [](RenameJob& j) { j.cleanEraseText = u"ab"; }, u"ab!", u"ab"},
          {"without a symbol nothing runs",
           [](RenameJob& j) { j.cleanEraseOn = true, j.cleanEraseText = u"abc"; }, u"abc123",
           u"abc123"},
      });
}

}  // namespace
}  // namespace tessaline::engine
