#include "config/ini_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/test_text.h"

namespace tessaline::config {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

// The keys and values of a document as "Section/key=value" texts, in order.
std::vector<std::u16string> flatten(const IniFile& ini) {
  std::vector<std::u16string> items;
  for (const IniFile::Section& section : ini.sections()) {
    items.push_back(u"[" + section.name + u"]");
    for (const IniFile::Entry& entry : section.entries)
      items.push_back(entry.key + u"=" + entry.value);
  }
  return items;
}

TEST(IniFile, ReadsSectionsAndSkipsWhatItCannotUse) {
  const std::string bytes =
      "orphan=before any section\r\n"
      "; a comment\r\n"
      "  [ Option ]  \r\n"
      "Prenum = 50 \r\n"
      "no equals sign here\r\n"
      "=no key\r\n"
      "prenum=60\r\n"  // the first of a key given twice counts
      "Path=a=b\r\n"
      "\r\n"
      "[Form\r\n"  // no closing bracket: still a section
      "Left=1\r\n"
      "[OPTION]\r\n"  // continues the first "Option"
      "Icon=Blue\r\n"
      "\x01\xFF garbage \x80\r\n";
  const IniFile ini = IniFile::parse(bytes);
  const std::vector<std::u16string> want = {u"[Option]",  u"Prenum=50", u"Path=a=b",
                                            u"Icon=Blue", u"[Form]",    u"Left=1"};
  EXPECT_EQ(flatten(ini), want);
  EXPECT_EQ(ini.get(u"oPtIoN", u"PRENUM"), u"50");
  EXPECT_EQ(ini.get(u"Option", u"Missing"), std::nullopt);
  EXPECT_EQ(ini.get(u"Nowhere", u"Prenum"), std::nullopt);
}

TEST(IniFile, ReadsTheEncodingsOfTextFiles) {
  const std::string utf16 = "\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\xE9\0"s;
  EXPECT_EQ(IniFile::parse(utf16).get(u"A", u"k"), u"\u00E9");
  EXPECT_EQ(IniFile::parse("\xEF\xBB\xBF[A]\nk=\xC3\xA9").get(u"A", u"k"), u"\u00E9");
  EXPECT_EQ(IniFile::parse("[A]\rk=v\r").get(u"A", u"k"), u"v");
}

TEST(IniFile, SetChangesInPlaceAndAddsAtTheEnd) {
  IniFile ini = IniFile::parse("[Option]\r\nA=1\r\nB=2\r\n[Form]\r\nC=3\r\n");
  EXPECT_TRUE(ini.set(u"option", u"a", u"9"));
  EXPECT_TRUE(ini.set(u"Option", u"D", u"4"));
  EXPECT_TRUE(ini.set(u"New", u"E", u"5"));
  EXPECT_TRUE(ini.remove(u"FORM", u"c"));
  EXPECT_FALSE(ini.remove(u"Form", u"C"));
  EXPECT_EQ(ini.toBytes(), "[Option]\r\nA=9\r\nB=2\r\nD=4\r\n\r\n[Form]\r\n\r\n[New]\r\nE=5\r\n");
}

TEST(IniFile, RefusesNamesItCouldNotReadBack) {
  IniFile ini;
  for (const std::u16string_view key :
       {u""sv, u"a=b"sv, u"[a"sv, u";a"sv, u" a"sv, u"a\t"sv, u"a\nb"sv, u"a\xD800"sv}) {
    SCOPED_TRACE(testing::utf8(key));
    EXPECT_FALSE(ini.set(u"S", key, u"v"));
  }
  EXPECT_FALSE(ini.set(u"a]b", u"k", u"v"));
  EXPECT_FALSE(ini.set(u"a\r", u"k", u"v"));
  EXPECT_TRUE(ini.sections().empty());
  EXPECT_TRUE(ini.set(u"", u"k", u"v"));  // "[]" reads back as the empty name
  EXPECT_EQ(IniFile::parse(ini.toBytes()).get(u"", u"k"), u"v");
}

// A value set, written and read again.
std::optional<std::u16string> roundTrip(std::u16string_view value) {
  IniFile ini;
  EXPECT_TRUE(ini.set(u"Form", u"Folder0", value));
  return IniFile::parse(ini.toBytes()).get(u"Form", u"Folder0");
}

TEST(IniFile, KeepsEveryValueAndWritesOrdinaryOnesAsTheyAre) {
  struct Row {
    std::u16string_view value;
    std::string_view written;  // the line in the file
  };
  const Row kRows[] = {
      {u"", "Folder0="},
      {u"C:\\Photos\\2009\\", "Folder0=C:\\Photos\\2009\\"},
      {u"/home/ann/a=b [c] ;d \"e\"", "Folder0=/home/ann/a=b [c] ;d \"e\""},
      {u"/x/\u00E9\U0001F600", "Folder0=/x/\xC3\xA9\xF0\x9F\x98\x80"},
      {u" lead", "Folder0=\" lead\""},
      {u"trail\t", "Folder0=\"trail\\t\""},
      {u"\"quoted\"", "Folder0=\"\\\"quoted\\\"\""},
      {u"a\r\nb\\", "Folder0=\"a\\r\\nb\\\\\""},
      {u"\x01\x7F", "Folder0=\"\\u0001\\u007F\""},
      // Escaped bytes that would join into "é" as raw bytes, and a lone
      // surrogate that UTF-8 cannot carry.
      {u"/\xDCC3\xDCA9/\xD800", "Folder0=\"/\\uDCC3\\uDCA9/\\uD800\""},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.written);
    IniFile ini;
    ini.set(u"Form", u"Folder0", r.value);
    EXPECT_EQ(ini.toBytes(), "[Form]\r\n" + std::string(r.written) + "\r\n");
    EXPECT_EQ(roundTrip(r.value), r.value);
  }
}

TEST(IniFile, KeepsRandomTexts) {
  // Code units that matter to the encoding, mixed at random.
  constexpr char16_t kUnits[] = {u'a',   u' ',   u'\t',  u'\r',  u'\n',  u'"',   u'\\',
                                 u'=',   u'[',   u']',   u';',   u'u',   0x00,   0x1F,
                                 0x7F,   0xE9,   0xFEFF, 0xD83D, 0xDE00, 0xDC80, 0xDCC3,
                                 0xDCA9, 0xDCFF, 0xD800, 0xFFFF};
  std::mt19937 random(20240601);
  std::uniform_int_distribution<std::size_t> length(0, 12);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kUnits) - 1);
  for (int i = 0; i < 5000; ++i) {
    std::u16string value;
    for (std::size_t n = length(random); n > 0; --n)
      value += kUnits[pick(random)];
    ASSERT_EQ(roundTrip(value), value) << ::testing::PrintToString(value);
  }
}

TEST(IniFile, TakesBadlyQuotedValuesAsTheyStand) {
  struct Row {
    std::u16string_view text, want;
  };
  constexpr Row kRows[] = {
      {u"  \"Deutsch\"  ", u"Deutsch"},
      {u"\"unclosed", u"\"unclosed"},
      {u"\"C:\\temp\\\"", u"\"C:\\temp\\\""},  // "\t" and a closing quote escaped
      {u"\"a\\qb\"", u"\"a\\qb\""},            // unknown escape
      {u"\"a\"b\"", u"\"a\"b\""},              // quote inside
      {u"\"\\u12\"", u"\"\\u12\""},            // cut short
      {u"\"\\u12G4\"", u"\"\\u12G4\""},
      {u"\"", u"\""},
      {u"\"\"", u""},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(testing::utf8(r.text));
    EXPECT_EQ(decodeIniValue(r.text), r.want);
    EXPECT_EQ(decodeIniValue(encodeIniValue(r.want)), r.want);
  }
}

TEST(ParseIniInteger, TakesWholeDecimalNumbersThatFit) {
  struct Row {
    std::u16string_view text;
    std::optional<std::int64_t> want;
  };
  const Row kRows[] = {
      {u"0", 0},
      {u" -5\t", -5},
      {u"+7", 7},
      {u"007", 7},
      {u"9223372036854775807", INT64_MAX},
      {u"-9223372036854775808", INT64_MIN},
      {u"9223372036854775808", std::nullopt},
      {u"-9223372036854775809", std::nullopt},
      {u"99999999999999999999999", std::nullopt},
      {u"", std::nullopt},
      {u"-", std::nullopt},
      {u"1a", std::nullopt},
      {u"1 2", std::nullopt},
      {u"0x10", std::nullopt},
      {u"1.5", std::nullopt},
      {u"\uFF11", std::nullopt},  // a full-width digit
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(testing::utf8(r.text));
    EXPECT_EQ(parseIniInteger(r.text), r.want);
  }
}

}  // namespace
}  // namespace tessaline::config
