#include "config/new_name_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/text_file.h"
#include "platform/memory_file_system.h"

namespace tessaline::config {
namespace {

using namespace std::string_literals;
using platform::MemoryFileSystem;
using platform::PathStyle;
using Lines = std::vector<std::u16string>;

constexpr std::u16string_view kDataDir = u"C:\\Data\\";
constexpr std::u16string_view kFile = u"C:\\Data\\Newname.txt";

class NewNameListTest : public ::testing::Test {
 protected:
  NewNameListTest() { m_fs.addFolder(kDataDir); }

  void writeFile(const Lines& lines) { m_fs.addFileWithContent(kFile, encodeTextLines(lines)); }
  // The lines of the file; nothing when it is absent.
  std::optional<Lines> fileLines() const { return readTextLines(m_fs, kFile); }

  MemoryFileSystem m_fs{PathStyle::Windows};
  NewNameList m_list{m_fs, std::u16string(kDataDir)};
};

TEST_F(NewNameListTest, AddPutsTheTextOnTopInPlaceOfEveryCaseVariant) {
  writeFile({u"ÄRGER", u"x", u"ärger", u"Ärger ", u"y"});
  m_list.load();
  m_list.add(u"Ärger", 20);
  const Lines want = {u"Ärger", u"x", u"Ärger ", u"y"};
  EXPECT_EQ(m_list.entries(), want);
  EXPECT_EQ(fileLines(), want);
}

TEST_F(NewNameListTest, ListnumLimitsTheListAndItsFile) {
  for (const std::u16string_view text : {u"one", u"two", u"three", u"four"})
    m_list.add(text, 3);
  const Lines want = {u"four", u"three", u"two"};
  EXPECT_EQ(m_list.entries(), want);
  EXPECT_EQ(fileLines(), want);
  EXPECT_EQ(m_fs.readFile(kFile), "four\r\nthree\r\ntwo\r\n");
}

TEST_F(NewNameListTest, ListnumZeroKeepsNoListAndRemovesTheFile) {
  writeFile({u"a", u"b"});
  m_list.load();
  m_list.add(u"c", 0);
  EXPECT_TRUE(m_list.entries().empty());
  EXPECT_FALSE(m_fs.exists(kFile));
}

TEST_F(NewNameListTest, TrimDropsTheOldestAndLeavesAnEmptyFileAtZero) {
  writeFile({u"a", u"b", u"c"});
  m_list.load();
  m_list.trim(2);
  EXPECT_EQ(fileLines(), (Lines{u"a", u"b"}));
  m_list.trim(0);
  EXPECT_TRUE(m_list.entries().empty());
  EXPECT_EQ(m_fs.readFile(kFile), "");
}

TEST_F(NewNameListTest, EditorSaveDropsEmptyLinesAndCountsTheRest) {
  const int kept = m_list.saveEdited({u"", u"a", u"b", u"", u"  ", u"c", u"d", u""});
  EXPECT_EQ(kept, 5);
  const Lines want = {u"a", u"b", u"  ", u"c", u"d"};
  EXPECT_EQ(m_list.entries(), want);
  EXPECT_EQ(fileLines(), want);

  EXPECT_EQ(m_list.saveEdited({u"", u""}), 0);
  EXPECT_TRUE(m_list.entries().empty());
  EXPECT_FALSE(m_fs.exists(kFile));
}

TEST_F(NewNameListTest, ClearDeletesTheFile) {
  writeFile({u"a"});
  m_list.load();
  m_list.clear();
  EXPECT_TRUE(m_list.entries().empty());
  EXPECT_FALSE(m_fs.exists(kFile));
  m_list.clear();  // no file: nothing to do
}

TEST_F(NewNameListTest, LoadReadsUtf16AndKeepsTheListWithoutAFile) {
  m_list.add(u"kept", 20);
  m_fs.removeFile(kFile);
  m_list.load();
  EXPECT_EQ(m_list.entries(), (Lines{u"kept"}));

  m_fs.addFileWithContent(kFile, "\xFF\xFE\xE9\0\r\0\n\0b\0"s);
  m_list.load();
  EXPECT_EQ(m_list.entries(), (Lines{u"\u00E9", u"b"}));
}

TEST_F(NewNameListTest, EveryCharacterOfAnEntrySurvivesTheFile) {
  // The first line begins like a byte-order mark.
  const Lines texts = {u"\uFEFFmark", u"\u00E9\U0001F600", u" blanks ", u"\xDCFF byte"};
  for (auto it = texts.rbegin(); it != texts.rend(); ++it)
    m_list.add(*it, 20);
  NewNameList reread(m_fs, std::u16string(kDataDir));
  reread.load();
  EXPECT_EQ(reread.entries(), texts);
}

TEST_F(NewNameListTest, TextWithALineBreakIsNotKept) {
  m_list.add(u"a", 20);
  m_list.add(u"b\r\nc", 20);
  EXPECT_EQ(m_list.entries(), (Lines{u"a"}));
  EXPECT_EQ(fileLines(), (Lines{u"a"}));
}

TEST_F(NewNameListTest, AFailedWriteKeepsTheListInMemory) {
  m_fs.failWrite(kFile);
  m_list.add(u"a", 20);
  EXPECT_EQ(m_list.entries(), (Lines{u"a"}));
  EXPECT_FALSE(m_fs.exists(kFile));
}

}  // namespace
}  // namespace tessaline::config
