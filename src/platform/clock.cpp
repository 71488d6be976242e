#include "platform/clock.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/utf.h"

namespace tessaline::platform {
namespace {

std::u16string printf2(const char* format, int a, int b, int c) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, format, a, b, c);
  return fromUtf8(buffer);
}

struct tm partsOf(const LocalTime& time) {
  struct tm parts {};
  parts.tm_year = time.year - 1900;
  parts.tm_mon = time.month - 1;
  parts.tm_mday = time.day;
  parts.tm_hour = time.hour;
  parts.tm_min = time.minute;
  parts.tm_sec = time.second;
  parts.tm_isdst = -1;
  return parts;
}

// The name of the environment's time locale (LC_ALL, LC_TIME, LANG).
const char* timeLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return "C";
}

// time written with a strftime format in the environment's time locale.
std::u16string formatted(const LocalTime& time, const char* format) {
  locale_t locale = newlocale(LC_TIME_MASK, timeLocaleName(), static_cast<locale_t>(0));
  if (!locale) locale = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(0));
  const struct tm parts = partsOf(time);
  char buffer[128];
  const std::size_t length = strftime_l(buffer, sizeof buffer, format, &parts, locale);
  freelocale(locale);
  return fromUtf8(std::string_view(buffer, length));
}

}  // namespace

std::u16string FixedClock::shortDate(const LocalTime& time) const {
  return printf2("%04d-%02d-%02d", time.year, time.month, time.day);
}

std::u16string FixedClock::longTime(const LocalTime& time) const {
  return printf2("%02d:%02d:%02d", time.hour, time.minute, time.second);
}

LocalTime SystemClock::now() const {
  const std::time_t seconds = std::time(nullptr);
  struct tm parts {};
  localtime_r(&seconds, &parts);
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
          parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

std::int64_t SystemClock::secondsSinceEpoch() const {
  return static_cast<std::int64_t>(std::time(nullptr));
}

std::u16string SystemClock::shortDate(const LocalTime& time) const {
  return formatted(time, "%x");
}

std::u16string SystemClock::longTime(const LocalTime& time) const {
  return formatted(time, "%X");
}

}  // namespace tessaline::platform
