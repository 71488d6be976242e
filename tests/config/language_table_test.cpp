#include "config/language_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <string>
#include <vector>

#include "support/test_text.h"

namespace tessaline::config {
namespace {

using testing::utf8;

bool isRow(const std::u16string& line) {
  return line.size() >= 5 && line[0] == u'[' && line[4] == u']';
}

int rowNumber(const std::u16string& line) {
  return std::stoi(utf8(line.substr(1, 3)));
}

TEST(BuiltinEnglish, HasHeaderThenUniqueAscendingRowsWithBlankLinesBeforeSixGroups) {
  const std::vector<std::u16string>& lines = builtinEnglishLines();
  ASSERT_GE(lines.size(), 5u);
  const std::vector<std::u16string> header(lines.begin(), lines.begin() + 5);
  EXPECT_EQ(header, (std::vector<std::u16string>{u";NOTE", u"Language=English",
                                                 u"Translation=Orlen", u"Version=7.0", u""}));

  const std::set<int> groupStarts = {34, 186, 202, 225, 256, 380};
  std::set<int> blankBefore;
  int rows = 0;
  int previous = -1;
  for (std::size_t i = 5; i < lines.size(); ++i) {
    SCOPED_TRACE(utf8(lines[i]));
    if (lines[i].empty()) {
      ASSERT_LT(i + 1, lines.size());
      ASSERT_TRUE(isRow(lines[i + 1]));
      blankBefore.insert(rowNumber(lines[i + 1]));
      continue;
    }
    ASSERT_TRUE(isRow(lines[i]));
    const int number = rowNumber(lines[i]);
    EXPECT_GT(number, previous);
    previous = number;
    ++rows;
  }
  EXPECT_EQ(rows, 390);
  EXPECT_EQ(previous, 413);
  EXPECT_EQ(blankBefore, groupStarts);
  EXPECT_EQ(lines.size(), 5u + 390u + groupStarts.size());
}

TEST(BuiltinEnglish, KeepsBlanksOfTheStoredTexts) {
  const std::vector<std::u16string>& lines = builtinEnglishLines();
  const auto has = [&lines](std::u16string_view line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(has(u"[049] Subfolders names and filenames "));
  EXPECT_TRUE(has(u"[112]Insert to position      "));
  EXPECT_TRUE(has(u"[122]Position  --------  Specify the string "));
}

TEST(LangText, BuiltinTable) {
  struct Row {
    int n;
    std::u16string_view want;
  };
  constexpr Row kRows[] = {
      {0, u"Remove"},
      {5, u"Save"},
      {49, u"Subfolders names and filenames"},
      {37, u"Target folder,"},
      {295, u"Information"},
      {299, u"Confirmation"},
      {413, u"Select file to save filenames"},
      {8, u"L{missing text 008}"},  // a gap in the numbering
      {414, u"L{missing text 414}"},
      {999, u"L{missing text 999}"},
      {1000, u"L{missing text 1000}"},
      {-1, u"L{missing text 0-1}"},
      {-100, u"L{missing text -100}"},
      {INT_MAX, u"L{missing text 2147483647}"},
      {INT_MIN, u"L{missing text -2147483648}"},
  };
  const LanguageTable table;
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.n);
    EXPECT_EQ(table.text(r.n), r.want);
  }
}

// A language file: four header lines, then the given lines from index 4 on.
std::vector<std::u16string> languageFile(std::vector<std::u16string> body) {
  std::vector<std::u16string> lines = {u";Test", u"Language=Test", u"Translation=T",
                                       u"Version=7.0"};
  lines.insert(lines.end(), body.begin(), body.end());
  return lines;
}

TEST(LangText, ReadsRowsOfTheFileAndFallsBackToEnglish) {
  struct Row {
    const char* name;
    std::vector<std::u16string> body;
    int n;
    std::u16string_view want;
  };
  const Row kRows[] = {
      {"row of the file", {u"[000]Entfernen"}, 0, u"Entfernen"},
      {"blanks and control characters trimmed", {u"[000] \tEntfernen \x01\r"}, 0, u"Entfernen"},
      {"inner blanks kept", {u"[000]A  b"}, 0, u"A  b"},
      {"brackets not examined", {u"x000yEntfernen"}, 0, u"Entfernen"},
      {"empty text: English", {u"[000]   "}, 0, u"Remove"},
      {"key only: English", {u"[000"}, 0, u"Remove"},
      {"first row decides even when empty", {u"[000]", u"[000]Zweite"}, 0, u"Remove"},
      {"no such row: English", {u"[001]Ersetzen"}, 0, u"Remove"},
      {"a four-digit row never matches", {u"[1000]Tausend"}, 1000, u"L{missing text 1000}"},
      {"missing in both", {u"[001]Ersetzen"}, 999, u"L{missing text 999}"},
      {"negative number: scan from the first line", {u"[-10]Minus"}, -10, u"Minus"},
      {"short lines", {u"", u"[", u"[00", u"[0"}, 0, u"Remove"},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(LanguageTable(languageFile(r.body)).text(r.n), r.want);
  }
}

TEST(LangText, EmptyTableGivesEnglish) {
  EXPECT_EQ(LanguageTable(std::vector<std::u16string>{}).text(5), u"Save");
  EXPECT_EQ(LanguageTable(std::vector<std::u16string>{}).text(-5), u"L{missing text 0-5}");
}

// Rows 100 to 299 at lines 4 to 203: a file that leaves out rows 0 to 99.
// The scan for row n starts at line n + 4 while n is below the line count
// minus 5 (199), so rows 100 to 198 stand too early and come from English;
// from 199 on the scan starts at the first line and finds them.
TEST(LangText, RowStandingBeforeLineNPlus4IsNotFound) {
  std::vector<std::u16string> body;
  for (int n = 100; n <= 299; ++n)
    body.push_back(u"[" + testing::utf16(std::to_string(n)) + u"]File " +
                   testing::utf16(std::to_string(n)));
  const LanguageTable table(languageFile(body));
  ASSERT_EQ(table.lines().size(), 204u);
  struct Row {
    int n;
    std::u16string_view want;
  };
  constexpr Row kRows[] = {
      {150, u"It will replace the part at the position (from Start) of"},
      {198, u"[each file's folder name, by   %%  ]"},  // scan starts at 202
      {199, u"File 199"},
      {250, u"File 250"},
      {299, u"File 299"},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.n);
    EXPECT_EQ(table.text(r.n), r.want);
  }
}

TEST(LangText, RowExactlyAtLineNPlus4IsFound) {
  // Ten filler lines so that n = 3 is below the line count minus 5.
  std::vector<std::u16string> lines(10, u";");
  lines[7] = u"[003]Genau";  // line 3 + 4
  EXPECT_EQ(LanguageTable(lines).text(3), u"Genau");
  lines[7] = u";";
  lines[6] = u"[003]Zu frueh";  // line 3 + 3
  EXPECT_EQ(LanguageTable(lines).text(3), u"Change");
}

}  // namespace
}  // namespace tessaline::config
