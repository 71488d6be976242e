#pragma once

#include <string>
#include <string_view>

namespace tessaline::testing {

// UTF-8 text of a UTF-16 string, for SCOPED_TRACE and messages.
std::string utf8(std::u16string_view text);

// UTF-16 text of a UTF-8 string.
std::u16string utf16(std::string_view text);

// text repeated count times.
std::u16string repeat(std::u16string_view text, std::size_t count);

}  // namespace tessaline::testing
