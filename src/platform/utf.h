#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Conversion between the engine's UTF-16 names and the byte strings of the
// file system. Bytes that are not part of valid UTF-8 are kept as the lone
// surrogates U+DC80..U+DCFF, so every byte string survives a round trip.
namespace tessaline::platform {

// Decodes UTF-8; each byte of an invalid sequence becomes U+DC80 + byte.
std::u16string fromUtf8(std::string_view bytes);

// Encodes UTF-16 as UTF-8. An escaped byte (a lone U+DC80..U+DCFF) becomes its
// raw byte again; any other lone surrogate becomes U+FFFD.
std::string toUtf8(std::u16string_view text);

// Appends toUtf8(text) to out, without a string of its own.
void appendUtf8(std::string& out, std::u16string_view text);

// Length in bytes of toUtf8(text), without building it.
std::size_t utf8Length(std::u16string_view text);

}  // namespace tessaline::platform
