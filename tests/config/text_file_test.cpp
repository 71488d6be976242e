#include "config/text_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "support/test_text.h"

namespace tessaline::config {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;
using Lines = std::vector<std::u16string>;

TEST(DecodeText, ChoosesTheEncodingByByteOrderMark) {
  struct Row {
    const char* name;
    std::string_view bytes;
    std::u16string_view want;
  };
  constexpr Row kRows[] = {
      {"empty", "", u""},
      {"no mark: UTF-8", "Z\xC3\xA9", u"Z\u00E9"},
      {"no mark, invalid byte escaped", "z\xFFz", u"z\xDCFFz"},
      {"UTF-8 mark dropped", "\xEF\xBB\xBFZ\xC3\xA9", u"Z\u00E9"},
      {"UTF-8 mark, invalid byte escaped", "\xEF\xBB\xBFZ\xC3", u"Z\xDCC3"},
      {"UTF-16 LE with a surrogate pair", "\xFF\xFEZ\0\x3D\xD8\x00\xDE"sv, u"Z\U0001F600"},
      {"UTF-16 BE with a surrogate pair", "\xFE\xFF\0Z\xD8\x3D\xDE\x00"sv, u"Z\U0001F600"},
      {"UTF-16 LE, odd byte kept escaped", "\xFF\xFEZ\0\xC3"sv, u"Z\xDCC3"},
      {"UTF-16 BE, odd byte kept escaped", "\xFE\xFF\0Z\x7A"sv, u"Z\xDC7A"},
      {"UTF-16 mark alone", "\xFF\xFE", u""},
      {"UTF-16 mark and one byte", "\xFE\xFF\x41", u"\xDC41"},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(decodeText(r.bytes), r.want);
  }
}

TEST(SplitLines, EndsLinesAtCrLfLfAndCr) {
  struct Row {
    std::u16string_view text;
    Lines want;
  };
  const Row kRows[] = {
      {u"", {}},
      {u"a", {u"a"}},
      {u"a\r\nb", {u"a", u"b"}},
      {u"a\nb", {u"a", u"b"}},
      {u"a\rb", {u"a", u"b"}},
      {u"a\r\n", {u"a"}},
      {u"\n", {u""}},
      {u"a\n\n", {u"a", u""}},
      {u"a\r\n\r\nb", {u"a", u"", u"b"}},
      {u"\n\r", {u"", u""}},  // LF then a lone CR: two line ends
      {u"a\r\r\nb\r", {u"a", u"", u"b"}},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(testing::utf8(r.text));
    EXPECT_EQ(splitLines(r.text), r.want);
  }
}

TEST(EncodeTextLines, WritesUtf8WithCrLfAndRestoresEscapedBytes) {
  EXPECT_EQ(encodeTextLines({}), "");
  EXPECT_EQ(encodeTextLines({u""}), "\r\n");
  EXPECT_EQ(encodeTextLines({u"a", u"\u00E9\U0001F600", u"x\xDCFF"}),
            "a\r\n\xC3\xA9\xF0\x9F\x98\x80\r\nx\xFF\r\n");
}

TEST(EncodeTextLines, RoundTripsThroughDecodeText) {
  struct Row {
    const char* name;
    Lines lines;
  };
  const Row kRows[] = {
      {"plain", {u"C:\\a\\b.txt", u"", u"\u00E9t\u00E9"}},
      {"escaped bytes", {u"caf\xDCE9", u"\xDCC3", u"na\u00EFve"}},
      // Text that starts like a byte-order mark must not be taken for one.
      {"first line begins with U+FEFF", {u"\uFEFFx", u"y"}},
      {"first line begins with the bytes FF FE", {u"\xDCFF\xDCFEz"}},
      {"first line begins with the bytes FE FF", {u"\xDCFE\xDCFF"}},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(splitLines(decodeText(encodeTextLines(r.lines))), r.lines);
  }
}

TEST(EncodeTextLines, ReproducesTheBytesOfACrLfFileWithoutMark) {
  const std::string bytes = "caf\xE9\r\n\xFF\xC3\r\nna\xC3\xAFve\r\n";
  EXPECT_EQ(encodeTextLines(splitLines(decodeText(bytes))), bytes);
}

TEST(ReadTextLines, ReadsTheLinesOfAFile) {
  platform::MemoryFileSystem fs(platform::PathStyle::Posix);
  fs.addFileWithContent(u"/data/list.txt", "\xFF\xFEz\0\r\0\n\0b\0"s);
  EXPECT_EQ(readTextLines(fs, u"/data/list.txt"), (Lines{u"z", u"b"}));
  EXPECT_EQ(readTextLines(fs, u"/data/missing.txt"), std::nullopt);
}

}  // namespace
}  // namespace tessaline::config
