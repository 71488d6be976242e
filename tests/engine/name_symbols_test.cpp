#include "engine/name_symbols.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/memory_file_system.h"
#include "support/test_text.h"

namespace tessaline::engine {
namespace {

using testing::utf8;

class SpecialStringsTest : public ::testing::Test {
 protected:
  SpecialStringsTest() {
    fs.addFile(u"C:\\Music\\Jazz\\track.mp3", 1536, {2010, 5, 27, 10, 30, 0});
    fs.addFile(u"C:\\track.mp3", 0, {2010, 1, 2, 3, 4, 5});
    specials.resetCounters(job);
  }

  std::u16string expand(std::u16string_view text,
                        std::u16string_view path = u"C:\\Music\\Jazz\\track.mp3") {
    return specials.expand(job, text, path);
  }

  platform::MemoryFileSystem fs;
  platform::FixedLocale locale;
  RenameJob job;
  SpecialStrings specials{fs, locale, 1000};
};

TEST_F(SpecialStringsTest, NumbersArePaddedToTheirRunLength) {
  struct Row {
    std::u16string_view text;
    int counter;
    std::u16string_view want;
  };
  constexpr Row kRows[] = {
      {u"a$$$c", 1, u"a001c"}, {u"x$", 123, u"x123"},
      {u"$$-$", 7, u"07-7"},   {u"Price@$@$$", 5, u"Price$05"},
      {u"@$@", 5, u"$"},       {u"$$$", 123456, u"123456"},
      {u"$@$@$", 2, u"2$2"},   {u"no symbols", 9, u"no symbols"},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(utf8(row.text));
    job.counterStart = row.counter;
    specials.resetCounters(job);
    EXPECT_EQ(expand(row.text), row.want);
  }
}

TEST_F(SpecialStringsTest, CountersAdvancePerItemAndWrap) {
  std::vector<std::u16string> names;
  for (int i = 0; i < 27; ++i) {
    names.push_back(expand(u"you-{a}$$"));
    specials.advanceCounters(job);
  }
  EXPECT_EQ(names[0], u"you-a01");
  EXPECT_EQ(names[1], u"you-b02");
  EXPECT_EQ(names[25], u"you-z26");
  EXPECT_EQ(names[26], u"you-a27");

  job.letterUpper = true;
  specials.resetCounters(job);
  EXPECT_EQ(expand(u"{a}{A}"), u"AA");
  for (int i = 0; i < 25; ++i)
    specials.advanceCounters(job);
  EXPECT_EQ(expand(u"{a}"), u"Z");
  specials.advanceCounters(job);
  EXPECT_EQ(expand(u"{A}"), u"A");
}

TEST_F(SpecialStringsTest, FolderNameOfTheHoldingFolder) {
  EXPECT_EQ(expand(u"%%-$$"), u"Jazz-01");
  EXPECT_EQ(expand(u"%%-$$", u"C:\\track.mp3"), u"-01");

  platform::MemoryFileSystem posix(platform::PathStyle::Posix);
  SpecialStrings posixSpecials(posix, locale, 1);
  posixSpecials.resetCounters(job);
  EXPECT_EQ(posixSpecials.expand(job, u"%%_$", u"/home/me/Jazz/t.mp3"), u"Jazz_1");
}

TEST_F(SpecialStringsTest, DateAndSizeOfTheItem) {
  EXPECT_EQ(expand(u"@@ ##"), u"20100527 1.5KB");
  EXPECT_EQ(expand(u"@@ ##", u"C:\\Music\\gone.mp3"), u"nofiletime nofilesize");
}

TEST_F(SpecialStringsTest, LaterStepsSearchWhatEarlierStepsInserted) {
  fs.addFile(u"C:\\a@@b\\x.txt", 0, {2001, 2, 3, 0, 0, 0});
  fs.addFile(u"C:\\c$d\\x.txt");
  EXPECT_EQ(expand(u"%%", u"C:\\a@@b\\x.txt"), u"a20010203b");
  EXPECT_EQ(expand(u"%%", u"C:\\c$d\\x.txt"), u"c$d");
}

TEST_F(SpecialStringsTest, RandomTextsHaveTheGivenLengthAndDiffer) {
  const std::u16string first = expand(u"%6%");
  const std::u16string second = expand(u"%6%");
  EXPECT_EQ(first.size(), 6u);
  EXPECT_EQ(second.size(), 6u);
  EXPECT_NE(first, second);
  for (char16_t c : first + second)
    EXPECT_TRUE(std::isalnum(static_cast<int>(c))) << char(c);

  EXPECT_EQ(expand(u"a%0%b"), u"ab");
  EXPECT_EQ(expand(u"%2%-%3%").size(), 6u);
}

TEST_F(SpecialStringsTest, LongRandomSpecsStayAsTyped) {
  EXPECT_EQ(expand(u"%100%"), u"%100%");
  EXPECT_EQ(expand(u"%abc%"), u"%abc%");
  const std::u16string mixed = expand(u"%abc% %2%");
  EXPECT_EQ(mixed.substr(0, 6), u"%abc% ");
  EXPECT_EQ(mixed.size(), 8u);
}

TEST_F(SpecialStringsTest, RandomTextsUseOnlyTheAllowedClasses) {
  job.randomUpper = job.randomLower = false;
  for (char16_t c : specials.randomText(200, job))
    EXPECT_TRUE(c >= u'0' && c <= u'9');
  job.randomDigits = false;
  job.randomLower = true;
  for (char16_t c : specials.randomText(200, job))
    EXPECT_TRUE(c >= u'a' && c <= u'z');

  std::set<char16_t> seen;
  job.randomDigits = job.randomUpper = job.randomLower = true;
  for (char16_t c : specials.randomText(2000, job))
    seen.insert(c);
  EXPECT_EQ(seen.size(), 62u);
}

TEST_F(SpecialStringsTest, RandomTextsFollowTheSeed) {
  SpecialStrings again(fs, locale, 1000);
  EXPECT_EQ(specials.randomText(20, job), again.randomText(20, job));
  EXPECT_EQ(specials.randomSeed(), 1001);
  EXPECT_EQ(specials.randomText(0, job), u"");
  EXPECT_EQ(specials.randomSeed(), 1002);
}

TEST_F(SpecialStringsTest, NothingExpandsWithSpecialStringsOff) {
  job.useSpecialStrings = false;
  EXPECT_EQ(expand(u"a$$ {a} %% %5% @@ ##"), u"a$$ {a} %% %5% @@ ##");
}

TEST(PadNumber, PadsWithLeadingZeros) {
  EXPECT_EQ(padNumber(7, 3), u"007");
  EXPECT_EQ(padNumber(1234, 2), u"1234");
  EXPECT_EQ(padNumber(0, 1), u"0");
  EXPECT_EQ(padNumber(0, 0), u"0");
}

}  // namespace
}  // namespace tessaline::engine
