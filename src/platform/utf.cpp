#include "platform/utf.h"

#include <cstdint>
#include <cstring>

namespace tessaline::platform {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // an invalid byte b becomes kEscapeBase + b

bool isContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence at bytes[i], or 0 when it is invalid.
// Rejects overlong forms, surrogates and code points above U+10FFFF.
std::size_t validSequenceLength(std::string_view bytes, std::size_t i, char32_t& codePoint) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[i + k]); };
  const unsigned char lead = at(0);
  const std::size_t left = bytes.size() - i;
  if (lead >= 0xC2 && lead <= 0xDF) {
    if (left < 2 || !isContinuation(at(1))) return 0;
    codePoint = (char32_t(lead & 0x1F) << 6) | (at(1) & 0x3F);
    return 2;
  }
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (left < 3 || !isContinuation(at(1)) || !isContinuation(at(2))) return 0;
    if (lead == 0xE0 && at(1) < 0xA0) return 0;  // overlong
    if (lead == 0xED && at(1) > 0x9F) return 0;  // surrogate
    codePoint = (char32_t(lead & 0x0F) << 12) | (char32_t(at(1) & 0x3F) << 6) | (at(2) & 0x3F);
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (left < 4 || !isContinuation(at(1)) || !isContinuation(at(2)) || !isContinuation(at(3))) {
      return 0;
    }
    if (lead == 0xF0 && at(1) < 0x90) return 0;  // overlong
    if (lead == 0xF4 && at(1) > 0x8F) return 0;  // above U+10FFFF
    codePoint = (char32_t(lead & 0x07) << 18) | (char32_t(at(1) & 0x3F) << 12) |
                (char32_t(at(2) & 0x3F) << 6) | (at(3) & 0x3F);
    return 4;
  }
  return 0;
}

void appendCodePoint(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
  } else {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  }
}

bool isHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}
bool isEscapedByte(char16_t c) {
  return c >= 0xDC80 && c <= 0xDCFF;
}

// The number of leading units below 0x80, looked at sixteen at a time.
template <typename Unit>
std::size_t asciiPrefix(std::basic_string_view<Unit> text) {
  std::size_t i = 0;
  for (; i + 16 <= text.size(); i += 16) {
    unsigned all = 0;
    for (std::size_t k = 0; k < 16; ++k)
      all |= static_cast<unsigned>(text[i + k]);
    if (all >= 0x80) break;
  }
  while (i < text.size() && static_cast<unsigned>(text[i]) < 0x80)
    ++i;
  return i;
}

}  // namespace

std::u16string fromUtf8(std::string_view bytes) {
  const std::size_t ascii = asciiPrefix(bytes);
  std::u16string out(ascii, u'\0');
  for (std::size_t k = 0; k < ascii; ++k)
    out[k] = static_cast<unsigned char>(bytes[k]);
  if (ascii == bytes.size()) return out;
  out.reserve(bytes.size());
  std::size_t i = ascii;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    char32_t codePoint = 0;
    const std::size_t length = validSequenceLength(bytes, i, codePoint);
    if (length == 0) {
      out.push_back(static_cast<char16_t>(kEscapeBase + lead));
      ++i;
    } else {
      appendCodePoint(out, codePoint);
      i += length;
    }
  }
  return out;
}

namespace {

// Calls emit(byte) for each byte of the UTF-8 form of text.
template <typename Emit>
void encode(std::u16string_view text, Emit emit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((char32_t(text[i]) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
      ++i;
    } else if (isEscapedByte(text[i])) {
      emit(static_cast<char>(text[i] - kEscapeBase));
      continue;
    } else if (isHighSurrogate(text[i]) || isLowSurrogate(text[i])) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      emit(static_cast<char>(c));
    } else if (c < 0x800) {
      emit(static_cast<char>(0xC0 | (c >> 6)));
      emit(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      emit(static_cast<char>(0xE0 | (c >> 12)));
      emit(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      emit(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      emit(static_cast<char>(0xF0 | (c >> 18)));
      emit(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      emit(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      emit(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
}

}  // namespace

void appendUtf8(std::string& out, std::u16string_view text) {
  // Most names are ASCII: their leading ASCII run is copied by a loop the
  // compiler vectorises; the rest is encoded one code point at a time.
  const std::size_t ascii = asciiPrefix(text);
  const std::size_t start = out.size();
  out.resize(start + ascii);
  char* to = out.data() + start;
  for (std::size_t i = 0; i < ascii; ++i)
    to[i] = static_cast<char>(text[i]);
  if (ascii == text.size()) return;
  encode(text.substr(ascii), [&out](char byte) { out.push_back(byte); });
}

std::string toUtf8(std::u16string_view text) {
  std::string out;
  appendUtf8(out, text);
  return out;
}

std::size_t utf8Length(std::u16string_view text) {
  const std::size_t ascii = asciiPrefix(text);
  std::size_t length = ascii;
  encode(text.substr(ascii), [&length](char) { ++length; });
  return length;
}

}  // namespace tessaline::platform
