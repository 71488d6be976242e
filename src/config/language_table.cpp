#include "config/language_table.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessaline::config {
namespace {

// Numbers below this are looked up forward in the built-in table, the others
// backward from its end.
constexpr int kFirstBackwardNumber = 200;

// The key of number n as rows write it: at least three characters, padded
// with leading zeros. Larger numbers keep all their digits, so their key
// (four characters and more) never matches a row.
std::u16string keyOf(int n) {
  std::u16string key;
  for (const char c : std::to_string(n))
    key.push_back(static_cast<char16_t>(c));
  if (key.size() < 3) key.insert(0, 3 - key.size(), u'0');
  return key;
}

// A row of that key: characters 2 to 4 of the line are the key; the
// bracket characters around them are not checked.
bool isRowOf(std::u16string_view line, std::u16string_view key) {
  return line.size() >= 4 && line.substr(1, 3) == key;
}

bool isBlankOrControl(char16_t c) {
  return c <= 32;
}

// The text of a row: from character 6 on, without blanks and control
// characters at either end.
std::u16string rowText(std::u16string_view line) {
  if (line.size() <= 5) return {};
  std::u16string_view text = line.substr(5);
  while (!text.empty() && isBlankOrControl(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isBlankOrControl(text.back()))
    text.remove_suffix(1);
  return std::u16string(text);
}

// The text of the first row of key in the language file's lines, scanning
// forward from line n + 4 (rows stand at least that far down), or from the
// first line when that start is past the end of the file.
std::optional<std::u16string> fileText(const std::vector<std::u16string>& lines, int n,
                                       std::u16string_view key) {
  const auto count = static_cast<long long>(lines.size());
  // Computed in long long: n + 4 must not overflow, and a negative n must
  // not start the scan before the first line.
  long long start = 0;
  if (n < count - 5) start = std::max(0LL, static_cast<long long>(n) + 4);
  for (auto i = static_cast<std::size_t>(start); i < lines.size(); ++i) {
    if (isRowOf(lines[i], key)) return rowText(lines[i]);
  }
  return std::nullopt;
}

// The text of key in the built-in table: forward from the first line for
// numbers below 200, backward from the last line down to the second one for
// the others.
std::optional<std::u16string> builtinText(int n, std::u16string_view key) {
  const std::vector<std::u16string>& lines = builtinEnglishLines();
  if (n < kFirstBackwardNumber) {
    for (const std::u16string& line : lines) {
      if (isRowOf(line, key)) return rowText(line);
    }
    return std::nullopt;
  }
  for (std::size_t i = lines.size(); i > 1; --i) {
    if (isRowOf(lines[i - 1], key)) return rowText(lines[i - 1]);
  }
  return std::nullopt;
}

}  // namespace

LanguageTable::LanguageTable() : m_lines(builtinEnglishLines()) {}

LanguageTable::LanguageTable(std::vector<std::u16string> lines) : m_lines(std::move(lines)) {}

std::u16string LanguageTable::text(int n) const {
  const std::u16string key = keyOf(n);
  if (std::optional<std::u16string> text = fileText(m_lines, n, key); text && !text->empty()) {
    return *std::move(text);
  }
  if (std::optional<std::u16string> text = builtinText(n, key); text && !text->empty()) {
    return *std::move(text);
  }
  return u"L{missing text " + key + u"}";
}

}  // namespace tessaline::config
