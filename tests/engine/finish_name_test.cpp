#include "engine/finish_name.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"
#include "support/recording_messages.h"
#include "support/test_text.h"

namespace tessaline::engine {
namespace {

using testing::repeat;
using testing::utf8;

constexpr std::u16string_view kReservedText =
    u"The new filename:: 'con' cannot be used because some names (con, aux, com1, lpt1, prn, nul) "
    u"are reserved by Windows, please use a different name.";
constexpr std::u16string_view kTooLongTail =
    u"' cannot be used because the filename (plus path) is too long (Windows supports up to 255 "
    u"characters), please shorten it.";

class FinishNameTest : public ::testing::Test {
 protected:
  FinishResult finish(std::u16string_view path, std::u16string_view base, std::u16string_view ext,
                      std::u16string_view folder = u"C:\\x\\") {
    return finishName(fs, messages, language, path, folder, base, ext);
  }

  platform::MemoryFileSystem fs;
  testing::RecordingMessages messages;
  config::LanguageTable language;
};

TEST_F(FinishNameTest, CleansLeadingSpacesThenDots) {
  struct Row {
    std::u16string_view base, want;
  };
  constexpr Row kRows[] = {
      {u"  report", u"report"}, {u"...x", u"x"}, {u"   ", u"(none)"}, {u"...", u"(none)"},
      {u". x", u" x"},          {u" .x", u"x"},  {u"x. ", u"x. "},    {u"\tx", u"\tx"},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(utf8(row.base));
    const FinishResult result = finish(u"C:\\x\\a.txt", row.base, u".txt");
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(result.cleanBase, row.want);
    EXPECT_EQ(result.newFileName, std::u16string(row.want) + u".txt");
  }
}

TEST_F(FinishNameTest, NumbersAgainstExistingItems) {
  fs.addFile(u"C:\\x\\a.txt");
  fs.addFile(u"C:\\x\\b.txt");
  fs.addFile(u"C:\\x\\b(1).txt");
  const FinishResult result = finish(u"C:\\x\\a.txt", u"b", u".txt");
  EXPECT_TRUE(result.finished);
  EXPECT_EQ(result.newFileName, u"b(2).txt");
  EXPECT_EQ(result.newPath, u"C:\\x\\b(2).txt");
  EXPECT_EQ(result.number, 2);

  fs.addFolder(u"C:\\x\\c.txt");  // a folder of that name counts too
  EXPECT_EQ(finish(u"C:\\x\\a.txt", u"c", u".txt").newFileName, u"c(1).txt");
  EXPECT_EQ(finish(u"C:\\x\\a.txt", u"B", u".TXT").newFileName, u"B(2).TXT");
}

TEST_F(FinishNameTest, AChangeOfCaseAloneIsNotNumbered) {
  fs.addFile(u"C:\\x\\Photo.JPG");
  const FinishResult result = finish(u"C:\\x\\Photo.JPG", u"photo", u".jpg");
  EXPECT_TRUE(result.finished);
  EXPECT_EQ(result.newFileName, u"photo.jpg");
  EXPECT_EQ(result.number, 0);
}

TEST_F(FinishNameTest, RefusesReservedNamesExactly) {
  const FinishResult refused = finish(u"C:\\x\\a.txt", u"con", u"");
  EXPECT_FALSE(refused.finished);
  ASSERT_EQ(messages.boxes().size(), 1u);
  EXPECT_EQ(messages.boxes()[0].caption, u"Information");
  EXPECT_EQ(messages.boxes()[0].text, kReservedText);

  for (std::u16string_view base : {u"CON", u"con.txt", u"lpt2", u"com10"}) {
    SCOPED_TRACE(utf8(base));
    EXPECT_TRUE(finish(u"C:\\x\\a.txt", base, u"").finished);
  }
  EXPECT_FALSE(finish(u"C:\\x\\a.txt", u"nul", u"").finished);
}

TEST_F(FinishNameTest, RefusesNamesLongerThan255CodeUnits) {
  const std::u16string longFolder = u"C:\\" + repeat(u"f", 300) + u"\\";
  EXPECT_TRUE(finish(u"C:\\x\\a.txt", repeat(u"n", 251), u".txt", longFolder).finished);
  EXPECT_TRUE(messages.boxes().empty());

  const std::u16string tooLong = repeat(u"n", 252) + u".txt";
  EXPECT_FALSE(finish(u"C:\\x\\a.txt", repeat(u"n", 252), u".txt").finished);
  ASSERT_EQ(messages.boxes().size(), 1u);
  EXPECT_EQ(messages.boxes()[0].text,
            u"The new filename:: '" + tooLong + std::u16string(kTooLongTail));
}

TEST_F(FinishNameTest, OnPosixAlsoRefusesNamesLongerThan255Bytes) {
  platform::MemoryFileSystem posix(platform::PathStyle::Posix);
  const std::u16string wide = repeat(u"\u00e9", 128);  // 128 code units, 256 bytes
  EXPECT_FALSE(finishName(posix, messages, language, u"/x/a", u"/x/", wide, u"").finished);
  EXPECT_TRUE(finishName(posix, messages, language, u"/x/a", u"/x/", wide.substr(1), u"").finished);
  // The same name is fine where names are counted in code units only.
  EXPECT_TRUE(finish(u"C:\\x\\a", wide, u"").finished);
  EXPECT_EQ(messages.boxes().size(), 1u);
}

TEST(PreviewNumbering, NumbersNamesAlreadyPlanned) {
  std::vector<std::u16string> planned;
  for (int i = 0; i < 3; ++i) {
    planned.push_back(previewNumbering(u"x.txt", u"x", u".txt", 0, planned, u"C:\\x\\", false));
  }
  EXPECT_EQ(planned, (std::vector<std::u16string>{u"x.txt", u"x(1).txt", u"x(2).txt"}));
}

TEST(PreviewNumbering, ContinuesFromTheDiskNumberAndComparesFullPathsWithSubfolders) {
  const std::vector<std::u16string> planned = {u"C:\\x\\b(2).txt", u"C:\\y\\b(3).txt"};
  EXPECT_EQ(previewNumbering(u"b(2).txt", u"b", u".txt", 2, planned, u"C:\\x\\", true),
            u"b(3).txt");
  EXPECT_EQ(previewNumbering(u"b(2).txt", u"b", u".txt", 2, planned, u"C:\\x\\", false),
            u"b(2).txt");
  // Each planned name is compared once, in row order.
  const std::vector<std::u16string> reversed = {u"x(1).txt", u"x.txt"};
  EXPECT_EQ(previewNumbering(u"x.txt", u"x", u".txt", 0, reversed, u"", false), u"x(1).txt");
}

}  // namespace
}  // namespace tessaline::engine
