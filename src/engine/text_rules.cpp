#include "engine/text_rules.h"

#include <algorithm>

namespace tessaline::engine {
namespace {

// Position of the first occurrence of upperOld in text at or after from,
// comparing upper-case mappings; npos when there is none.
std::size_t findIgnoringCase(std::u16string_view text, std::u16string_view upperOld,
                             std::size_t from) {
  if (upperOld.size() > text.size()) return std::u16string_view::npos;
  const std::size_t last = text.size() - upperOld.size();
  for (std::size_t i = from; i <= last; ++i) {
    std::size_t k = 0;
    while (k < upperOld.size() && unicodeUpper(text[i + k]) == upperOld[k])
      ++k;
    if (k == upperOld.size()) return i;
  }
  return std::u16string_view::npos;
}

}  // namespace

std::u16string replaceText(std::u16string_view text, std::u16string_view old,
                           std::u16string_view replacement, bool all, bool ignoreCase) {
  if (text.empty() || old.empty()) return std::u16string(text);
  std::u16string upperOld;
  if (ignoreCase) {
    upperOld.resize(old.size());
    std::transform(old.begin(), old.end(), upperOld.begin(), unicodeUpper);
  }
  const auto find = [&](std::size_t from) {
    return ignoreCase ? findIgnoringCase(text, upperOld, from) : text.find(old, from);
  };
  std::u16string result;
  std::size_t done = 0;
  for (std::size_t at = find(0); at != std::u16string_view::npos; at = find(done)) {
    result.append(text.substr(done, at - done));
    result.append(replacement);
    done = at + old.size();
    if (!all) break;
  }
  result.append(text.substr(done));
  return result;
}

int findText(std::u16string_view text, std::u16string_view piece) {
  if (piece.empty()) return 0;
  const std::size_t at = text.find(piece);
  return at == std::u16string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::u16string subText(std::u16string_view text, long long from, long long count) {
  if (from < 1) from = 1;
  const auto length = static_cast<long long>(text.size());
  if (count <= 0 || from > length) return {};
  count = std::min(count, length - from + 1);
  return std::u16string(
      text.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(count)));
}

std::u16string insertText(std::u16string_view text, std::u16string_view piece, long long pos) {
  const auto length = static_cast<long long>(text.size());
  pos = std::clamp(pos, 1LL, length + 1);
  std::u16string result(text);
  result.insert(static_cast<std::size_t>(pos - 1), piece);
  return result;
}

bool isAsciiLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool isAsciiLower(char16_t c) {
  return c >= u'a' && c <= u'z';
}
bool isAsciiDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

std::u16string asciiLower(std::u16string_view text) {
  std::u16string result(text);
  for (char16_t& c : result) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  }
  return result;
}

std::u16string asciiUpper(std::u16string_view text) {
  std::u16string result(text);
  for (char16_t& c : result) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  }
  return result;
}

std::u16string trimLeft(std::u16string_view text) {
  std::size_t start = 0;
  while (start < text.size() && text[start] <= 32)
    ++start;
  return std::u16string(text.substr(start));
}

std::u16string trim(std::u16string_view text) {
  std::size_t start = 0;
  std::size_t end = text.size();
  while (start < end && text[start] <= 32)
    ++start;
  while (end > start && text[end - 1] <= 32)
    --end;
  return std::u16string(text.substr(start, end - start));
}

}  // namespace tessaline::engine
