#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>

#include "engine/insert_edit.h"
#include "engine/replace_edit.h"

namespace tessaline::engine {
namespace {

// Returns each text with the number of its call appended ("x#1", "y#2"),
// so a result shows how often and in which order texts were expanded.
class NumberingExpander : public TextExpander {
 public:
  std::u16string expand(std::u16string_view text) override {
    ++m_calls;
    return std::u16string(text) + u"#" + std::u16string(1, static_cast<char16_t>(u'0' + m_calls));
  }
  int calls() const { return m_calls; }

 private:
  int m_calls = 0;
};

class PlainExpander : public TextExpander {
 public:
  std::u16string expand(std::u16string_view text) override { return std::u16string(text); }
};

using JobSetup = void (*)(RenameJob&);

struct Row {
  const char* name;
  JobSetup setup;
  std::u16string_view base;
  std::u16string_view want;
};

template <typename Edit>
void expectRows(Edit edit, std::initializer_list<Row> rows) {
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    RenameJob job;
    r.setup(job);
    PlainExpander expander;
    EXPECT_EQ(edit(job, r.base, expander), r.want);
  }
}

void selection(RenameJob& job, int sampleLength, int start, int length) {
  job.sampleLength = sampleLength;
  job.selectionStart = start;
  job.selectionLength = length;
}

void mousePart(RenameJob& job, bool fromEnd, int sampleLength, int start, int length) {
  job.replaceKind = ReplaceKind::ReplaceMousePart;
  job.replaceFromEnd = fromEnd;
  job.replaceNew = u"X";
  selection(job, sampleLength, start, length);
}

TEST(ReplaceEdit, ReplacesStrings) {
  expectRows(
      replaceEdit,
      {
          {"all, case-blind",
           [](RenameJob& j) { j.replaceOld = u"holiday", j.replaceNew = u"Trip"; },
           u"Holiday 2009 holiday", u"Trip 2009 Trip"},
          {"case-sensitive",
           [](RenameJob& j) {
             j.replaceOld = u"holiday", j.replaceNew = u"Trip", j.replaceCaseSensitive = true;
           },
           u"Holiday 2009 holiday", u"Holiday 2009 Trip"},
          {"only the leftmost, case-blind",
           [](RenameJob& j) {
             j.replaceOld = u"holiday", j.replaceNew = u"Trip", j.replaceOnlyLeftest = true;
           },
           u"Holiday 2009 holiday", u"Trip 2009 holiday"},
          {"no overlap, result not searched again",
           [](RenameJob& j) { j.replaceOld = u"aa", j.replaceNew = u"a"; }, u"aaaa", u"aa"},
          {"empty old text", [](RenameJob& j) { j.replaceNew = u"x"; }, u"abc", u"abc"},
          {"empty new text removes", [](RenameJob& j) { j.replaceOld = u"b"; }, u"abcb", u"ac"},
          {"case-blind beyond ASCII",
           [](RenameJob& j) { j.replaceOld = u"été", j.replaceNew = u"x"; }, u"ÉTÉ Été", u"x x"},
          {"case-sensitive beyond ASCII",
           [](RenameJob& j) {
             j.replaceOld = u"é", j.replaceNew = u"e", j.replaceCaseSensitive = true;
           },
           u"Éé", u"Ée"},
      });
}

TEST(ReplaceEdit, ReplacesMousePart) {
  expectRows(
      replaceEdit,
      {
          {"head", [](RenameJob& j) { mousePart(j, false, 7, 2, 3); }, u"abcdefg", u"abXfg"},
          {"head, shorter name", [](RenameJob& j) { mousePart(j, false, 7, 2, 3); }, u"ab", u"abX"},
          {"end", [](RenameJob& j) { mousePart(j, true, 7, 2, 3); }, u"abcdefghij", u"abcdeXij"},
          {"end, span before the name", [](RenameJob& j) { mousePart(j, true, 7, 0, 2); }, u"ab",
           u"Xab"},
          {"huge selection", [](RenameJob& j) { mousePart(j, false, INT_MAX, INT_MAX, INT_MAX); },
           u"ab", u"abX"},
          {"huge selection from end",
           [](RenameJob& j) { mousePart(j, true, INT_MAX, INT_MAX, INT_MAX); }, u"ab", u"abX"},
      });
}

TEST(ReplaceEdit, ExpandsTheNewTextOncePerItem) {
  struct ExpandRow {
    const char* name;
    ReplaceKind kind;
    std::u16string_view base, want;
  };
  const ExpandRow rows[] = {
      {"the same text at every occurrence", ReplaceKind::ReplaceString, u"a-b-", u"a$#1b$#1"},
      {"also when nothing is replaced", ReplaceKind::ReplaceString, u"ab", u"ab"},
      {"mouse part", ReplaceKind::ReplaceMousePart, u"ab", u"$#1b"},
  };
  for (const ExpandRow& r : rows) {
    SCOPED_TRACE(r.name);
    RenameJob job;
    job.replaceKind = r.kind;
    job.replaceOld = u"-";
    job.replaceNew = u"$";
    selection(job, 2, 0, 1);
    NumberingExpander expander;
    EXPECT_EQ(replaceEdit(job, r.base, expander), r.want);
    EXPECT_EQ(expander.calls(), 1);
  }
}

TEST(InsertEdit, InsertsAtPositions) {
  expectRows(
      insertEdit,
      {
          {"cursor from head",
           [](RenameJob& j) {
             j.insertCursorOn = true, j.cursorPosition = 3, j.insertCursorText = u"-";
           },
           u"abcdef", u"ab-cdef"},
          {"cursor from end",
           [](RenameJob& j) {
             j.insertCursorOn = j.insertFromEnd = true, j.cursorPosition = 3;
             j.sampleLength = 6, j.insertCursorText = u"-";
           },
           u"abcdefgh", u"abcd-efgh"},
          {"no cursor picked inserts at the head",
           [](RenameJob& j) { j.insertCursorOn = true, j.insertCursorText = u"-"; }, u"ab", u"-ab"},
          {"cursor past the end appends",
           [](RenameJob& j) {
             j.insertCursorOn = true, j.cursorPosition = 9, j.insertCursorText = u"-";
           },
           u"ab", u"ab-"},
          {"cursor from end before the name",
           [](RenameJob& j) {
             j.insertCursorOn = j.insertFromEnd = true, j.cursorPosition = 1;
             j.sampleLength = 9, j.insertCursorText = u"-";
           },
           u"ab", u"-ab"},
          {"huge cursor values",
           [](RenameJob& j) {
             j.insertCursorOn = j.insertFromEnd = true, j.cursorPosition = INT_MAX;
             j.sampleLength = INT_MIN, j.insertCursorText = u"-";
           },
           u"ab", u"ab-"},
          {"cursor, head and end",
           [](RenameJob& j) {
             j.insertCursorOn = j.insertHeadOn = j.insertEndOn = true, j.cursorPosition = 3;
             j.insertCursorText = u"C", j.insertHeadText = u"H", j.insertEndText = u"E";
           },
           u"name", u"HnaCmeE"},
          {"boxes off",
           [](RenameJob& j) {
             j.insertCursorText = u"C", j.insertHeadText = u"H", j.insertEndText = u"E";
           },
           u"name", u"name"},
      });
}

TEST(InsertEdit, InsertsAtStrings) {
  expectRows(insertEdit,
             {
                 {"before",
                  [](RenameJob& j) {
                    j.insertKind = InsertKind::InsertAtString, j.insertAnchor = u"a";
                    j.insertStringText = u"_";
                  },
                  u"banana", u"b_an_an_a"},
                 {"behind",
                  [](RenameJob& j) {
                    j.insertKind = InsertKind::InsertAtString, j.insertPlace = kInsertBehind;
                    j.insertAnchor = u"an", j.insertStringText = u"_";
                  },
                  u"banana", u"ban_an_a"},
                 {"between",
                  [](RenameJob& j) {
                    j.insertKind = InsertKind::InsertAtString, j.insertPlace = kInsertBetween;
                    j.insertAnchor = u"a", j.insertAnchor2 = u"n", j.insertStringText = u"_";
                  },
                  u"banana", u"ba_na_na"},
                 {"between, first anchor empty",
                  [](RenameJob& j) {
                    j.insertKind = InsertKind::InsertAtString, j.insertPlace = kInsertBetween;
                    j.insertAnchor2 = u"n", j.insertStringText = u"_";
                  },
                  u"banana", u"ba_na_na"},
                 {"between, both empty",
                  [](RenameJob& j) {
                    j.insertKind = InsertKind::InsertAtString, j.insertPlace = kInsertBetween;
                    j.insertStringText = u"_";
                  },
                  u"banana", u"banana"},
                 {"empty anchor",
                  [](RenameJob& j) {
                    j.insertKind = InsertKind::InsertAtString, j.insertStringText = u"_";
                  },
                  u"banana", u"banana"},
                 {"exact matching",
                  [](RenameJob& j) {
                    j.insertKind = InsertKind::InsertAtString, j.insertAnchor = u"a";
                    j.insertStringText = u"_";
                  },
                  u"BANANA", u"BANANA"},
             });
}

TEST(InsertEdit, ExpandsEachTextOnceAtItsStep) {
  RenameJob job;
  job.insertCursorOn = job.insertHeadOn = job.insertEndOn = true;
  job.cursorPosition = 3;
  job.insertCursorText = u"C";
  job.insertHeadText = u"H";
  job.insertEndText = u"E";
  NumberingExpander expander;
  EXPECT_EQ(insertEdit(job, u"name", expander), u"H#2naC#1meE#3");

  job.insertKind = InsertKind::InsertAtString;
  job.insertAnchor = u"a";
  job.insertStringText = u"_";
  NumberingExpander once;
  EXPECT_EQ(insertEdit(job, u"banana", once), u"b_#1an_#1an_#1a");
  EXPECT_EQ(insertEdit(job, u"xyz", once), u"xyz");
  EXPECT_EQ(once.calls(), 2);
}

}  // namespace
}  // namespace tessaline::engine
