#include "config/text_file.h"

#include "platform/utf.h"

namespace tessaline::config {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// A byte that is no part of a character is kept as U+DC00 + byte, the same
// escape the UTF-8 decoder uses for invalid bytes.
constexpr char16_t kEscapeBase = 0xDC00;

std::u16string decodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string text;
  text.reserve(bytes.size() / 2 + 1);
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    text.push_back(
        static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
  }
  // An odd trailing byte is half a code unit: keep it visible as an escape
  // rather than drop it or read past the end.
  if (i < bytes.size()) {
    text.push_back(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i])));
  }
  return text;
}

// True when text bytes at the start of a file would be taken for a
// byte-order mark by decodeText.
bool looksLikeBom(std::string_view bytes) {
  return bytes.starts_with(kUtf8Bom) || bytes.starts_with(kUtf16LeBom) ||
         bytes.starts_with(kUtf16BeBom);
}

}  // namespace

std::u16string decodeText(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return platform::fromUtf8(bytes.substr(kUtf8Bom.size()));
  if (bytes.starts_with(kUtf16LeBom)) return decodeUtf16(bytes.substr(kUtf16LeBom.size()), false);
  if (bytes.starts_with(kUtf16BeBom)) return decodeUtf16(bytes.substr(kUtf16BeBom.size()), true);
  // No mark: the locale's character set, which is UTF-8 on current systems.
  return platform::fromUtf8(bytes);
}

std::vector<std::u16string> splitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t begin = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (c != u'\r' && c != u'\n') {
      ++i;
      continue;
    }
    lines.emplace_back(text.substr(begin, i - begin));
    i += (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
    begin = i;
  }
  if (begin < text.size()) lines.emplace_back(text.substr(begin));
  return lines;
}

std::optional<std::vector<std::u16string>> readTextLines(const platform::FileSystem& fs,
                                                         std::u16string_view path) {
  const std::optional<std::string> bytes = fs.readFile(path);
  if (!bytes) return std::nullopt;
  return splitLines(decodeText(*bytes));
}

std::string encodeTextLines(const std::vector<std::u16string>& lines) {
  std::string bytes;
  for (const std::u16string& line : lines) {
    bytes += platform::toUtf8(line);
    bytes += "\r\n";
  }
  // Files are written without a byte-order mark. Only when the text itself
  // begins like one (a first line starting with U+FEFF, or with the escaped
  // bytes FF FE or FE FF) is a UTF-8 mark put in front, so that reading the
  // file back gives the same lines instead of dropping or misreading them.
  if (looksLikeBom(bytes)) bytes.insert(0, kUtf8Bom);
  return bytes;
}

}  // namespace tessaline::config
