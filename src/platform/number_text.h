#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Whole numbers as the program writes and reads them: plain decimal.
namespace tessaline::platform {

// The decimal text of value ("-12", "0", "5000000000").
std::u16string decimalText(std::int64_t value);

// A decimal integer with an optional sign and nothing else around it; empty
// when the text is no number or does not fit in 64 bits.
std::optional<std::int64_t> parseDecimal(std::u16string_view text);

}  // namespace tessaline::platform
