#include "support/test_text.h"

#include "platform/utf.h"

namespace tessaline::testing {

std::string utf8(std::u16string_view text) {
  return platform::toUtf8(text);
}

std::u16string utf16(std::string_view text) {
  return platform::fromUtf8(text);
}

std::u16string repeat(std::u16string_view text, std::size_t count) {
  std::u16string result;
  result.reserve(text.size() * count);
  for (std::size_t i = 0; i < count; ++i)
    result += text;
  return result;
}

}  // namespace tessaline::testing
