#include "platform/utf.h"

#include <gtest/gtest.h>

#include <random>

namespace tessaline::platform {
namespace {

TEST(Utf, EverySingleByteRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const std::string bytes(1, static_cast<char>(b));
    const std::u16string text = fromUtf8(bytes);
    const char16_t want = b < 0x80 ? char16_t(b) : char16_t(0xDC00 + b);
    EXPECT_EQ(text, std::u16string(1, want));
    EXPECT_EQ(toUtf8(text), bytes);
  }
}

// Random byte strings, biased towards lead and continuation bytes so that
// valid, truncated and broken multi-byte sequences all turn up often.
TEST(Utf, RandomByteStringsRoundTrip) {
  constexpr unsigned char kPieces[] = {0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xF0, 0x9F,
                                       0x98, 0x80, 0xED, 0xA0, 0xF4, 0x90, 'a'};
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> length(0, 24), anyByte(0, 255), coin(0, 1);
  std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
  for (int round = 0; round < 5000; ++round) {
    std::string bytes;
    for (int n = length(random); n > 0; --n)
      bytes.push_back(static_cast<char>(coin(random) ? anyByte(random) : kPieces[piece(random)]));
    const std::u16string text = fromUtf8(bytes);
    ASSERT_EQ(toUtf8(text), bytes) << "round " << round;
    ASSERT_EQ(utf8Length(text), bytes.size()) << "round " << round;
  }
}

struct DecodeRow {
  const char* name;
  std::string_view bytes;
  std::u16string_view want;
};

constexpr DecodeRow kDecodeRows[] = {
    {"ascii", "abc", u"abc"},
    {"two bytes", "\xC3\xA9", u"\u00E9"},
    {"three bytes", "\xE2\x82\xAC", u"\u20AC"},
    {"four bytes", "\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
    {"highest code point", "\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"},
    {"overlong two", "\xC0\x80", u"\xDCC0\xDC80"},
    {"overlong three", "\xE0\x80\xAF", u"\xDCE0\xDC80\xDCAF"},
    {"overlong four", "\xF0\x8F\xBF\xBF", u"\xDCF0\xDC8F\xDCBF\xDCBF"},
    {"encoded surrogate", "\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},
    {"truncated at end", "a\xE2\x82", u"a\xDCE2\xDC82"},
    {"truncated before ascii", "\xF0\x9F\x98z", u"\xDCF0\xDC9F\xDC98z"},
    {"above U+10FFFF", "\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},
    {"lead F5", "\xF5\x80\x80\x80", u"\xDCF5\xDC80\xDC80\xDC80"},
    {"lone continuation", "\x80z", u"\xDC80z"},
};

TEST(Utf, DecodesValidAndEscapesInvalidSequences) {
  for (const DecodeRow& row : kDecodeRows) {
    SCOPED_TRACE(row.name);
    const std::u16string text = fromUtf8(row.bytes);
    EXPECT_EQ(text, row.want);
    EXPECT_EQ(toUtf8(text), row.bytes);
    EXPECT_EQ(utf8Length(text), row.bytes.size());
  }
}

struct EncodeRow {
  const char* name;
  std::u16string_view text;
  std::string_view want;
};

constexpr EncodeRow kEncodeRows[] = {
    {"lone high surrogate", u"a\xD800", "a\xEF\xBF\xBD"},
    {"high surrogate before a letter", u"\xD83Dz", "\xEF\xBF\xBDz"},
    {"low surrogate outside the escapes", u"\xDC7F", "\xEF\xBF\xBD"},
    {"reversed pair", u"\xDE00\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"escaped bytes", u"\xDC80\xDCFF", "\x80\xFF"},
    {"pair", u"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
};

TEST(Utf, EncodesEscapesAsBytesAndOtherLoneSurrogatesAsReplacement) {
  for (const EncodeRow& row : kEncodeRows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(toUtf8(row.text), row.want);
    EXPECT_EQ(utf8Length(row.text), row.want.size());
  }
}

}  // namespace
}  // namespace tessaline::platform
