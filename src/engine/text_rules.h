#pragma once

#include <string>
#include <string_view>

// The exact text operations the edits are built from. Positions are 1-based
// and count UTF-16 code units.
namespace tessaline::engine {

// Replaces occurrences of old, scanning from the left without overlap; the
// inserted text is never searched again. all = false replaces only the first.
// ignoreCase compares after the simple upper-case mapping of every code unit.
std::u16string replaceText(std::u16string_view text, std::u16string_view old,
                           std::u16string_view replacement, bool all, bool ignoreCase);

// 1-based position of the first exact occurrence of piece; 0 when piece is
// empty or absent.
int findText(std::u16string_view text, std::u16string_view piece);

// count code units from position from; from < 1 counts as 1; clipped at the end.
std::u16string subText(std::u16string_view text, long long from, long long count);

// text with piece inserted to begin at pos, pos clipped to 1..length + 1.
std::u16string insertText(std::u16string_view text, std::u16string_view piece, long long pos);

// Only the 26 ASCII letters change case.
std::u16string asciiLower(std::u16string_view text);
std::u16string asciiUpper(std::u16string_view text);
bool isAsciiLetter(char16_t c);
bool isAsciiLower(char16_t c);
bool isAsciiDigit(char16_t c);

// Removes code units 0 to 32 from both ends, or from the start only.
std::u16string trim(std::u16string_view text);
std::u16string trimLeft(std::u16string_view text);

// The Unicode simple upper-case mapping of one code unit (surrogates and
// code units without a one-unit mapping map to themselves).
char16_t unicodeUpper(char16_t c);

}  // namespace tessaline::engine
