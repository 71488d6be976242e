#include "engine/file_facts.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "platform/number_text.h"
#include "platform/utf.h"

namespace tessaline::engine {
namespace {

using Real = long double;  // 64-bit mantissa: byte counts and kb values are exact

// x rounded to 1 / scale (10 or 100), halves to the even neighbour, then
// multiplied back, as the size texts define it.
Real roundTo(Real x, Real scale, Real back) {
  return std::nearbyint(x * scale) * back;
}

// The shortest general text of x with at most 15 significant digits.
std::u16string numberText(Real x, char16_t decimalSeparator) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15Lg", x);
  std::u16string text;
  for (const char* c = buffer; *c; ++c)
    text.push_back(*c == '.' ? decimalSeparator : char16_t(*c));
  return text;
}

std::u16string decimal(std::uint64_t value) {
  return platform::fromUtf8(std::to_string(value));
}

std::u16string twoDigits(int value) {
  return pad2(platform::decimalText(value));
}

struct SizeStyle {
  std::u16string_view lead;      // in front of the number
  std::u16string_view byteUnit;  // " Byte", "Bytes", "Byte"
  std::u16string_view kbUnit;    // " KB", "KB"
  std::u16string_view mbUnit;
  std::u16string_view gbUnit;
  bool inclusiveLimits;  // KB while kb <= 1023 (else kb < 1024), MB likewise
};

std::u16string sizeText(std::uint64_t size, char16_t separator, const SizeStyle& style) {
  const Real kb = static_cast<Real>(size) / 1024;
  std::u16string text(style.lead);
  const bool kbRange = style.inclusiveLimits ? kb <= 1023 : kb < 1024;
  const bool mbRange = style.inclusiveLimits ? kb <= 1048575 : kb < 1048576;
  if (kb < 1) {
    text += decimal(size);
    text += style.byteUnit;
  } else if (kbRange) {
    text += numberText(roundTo(kb, 10, 0.1L), separator);
    text += style.kbUnit;
  } else if (mbRange) {
    text += numberText(roundTo(kb / 1024, 10, 0.1L), separator);
    text += style.mbUnit;
  } else {
    text += numberText(roundTo(kb / 1048576, 100, 0.01L), separator);
    text += style.gbUnit;
  }
  return text;
}

constexpr SizeStyle kListStyle{u"", u" Byte", u" KB", u" MB", u" GB", false};
constexpr SizeStyle kSymbolStyle{u"", u"Bytes", u"KB", u"MB", u"GB", true};
constexpr SizeStyle kSavedStyle{u"  ", u"Byte", u"KB", u"MB", u"GB", true};

std::u16string yearMonthDay(const platform::LocalTime& time) {
  return platform::decimalText(time.year) + twoDigits(time.month) + twoDigits(time.day);
}

}  // namespace

FileFacts readFileFacts(const platform::FileSystem& fs, std::u16string_view path) {
  FileFacts facts;
  const std::optional<platform::EntryInfo> info = fs.stat(path);
  if (!info) return facts;
  facts.found = true;
  facts.fileSize = info->folder ? 0 : info->size;
  facts.lastWrite = info->lastWrite.value_or(platform::LocalTime{});
  return facts;
}

std::u16string listSizeText(std::uint64_t size, char16_t decimalSeparator) {
  return sizeText(size, decimalSeparator, kListStyle);
}

std::u16string symbolSizeText(std::uint64_t size, char16_t decimalSeparator) {
  return sizeText(size, decimalSeparator, kSymbolStyle);
}

std::u16string savedSizeText(std::uint64_t size, char16_t decimalSeparator) {
  return sizeText(size, decimalSeparator, kSavedStyle);
}

std::u16string listDateText(const platform::LocalTime& time) {
  return platform::decimalText(time.year) + u"/" + twoDigits(time.month) + u"/" +
         twoDigits(time.day) + u" " + twoDigits(time.hour) + u":" + twoDigits(time.minute) + u":" +
         twoDigits(time.second);
}

std::u16string symbolDateText(const platform::LocalTime& time) {
  return yearMonthDay(time);
}

std::u16string savedDateText(const platform::LocalTime& time) {
  return u"  " + yearMonthDay(time) + u" " + platform::decimalText(time.hour) + u":" +
         twoDigits(time.minute);
}

std::u16string typeText(std::u16string_view fileName) {
  const std::size_t dot = fileName.rfind(u'.');
  if (dot == std::u16string_view::npos) return {};
  std::u16string_view extension = fileName.substr(dot);
  if (extension.size() > 1) extension.remove_prefix(1);
  return std::u16string(extension);
}

std::u16string pad2(std::u16string_view text) {
  std::u16string result;
  if (text.size() == 1) result.push_back(u'0');
  result.append(text);
  return result;
}

}  // namespace tessaline::engine
