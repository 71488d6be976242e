#pragma once

#include "platform/locale.h"

namespace tessaline::platform {

// The locale of the environment (LC_ALL, LC_NUMERIC / LC_MESSAGES, LANG),
// read once when constructed.
class PosixLocale : public Locale {
 public:
  PosixLocale();

  char16_t decimalSeparator() const override { return m_separator; }
  std::u16string defaultLanguageId() const override { return m_languageId; }

  // The Windows language id of a POSIX locale name such as "de_DE.UTF-8";
  // "1033" (English, United States) for names it does not know.
  static std::u16string languageIdOf(std::string_view localeName);

 private:
  char16_t m_separator = u'.';
  std::u16string m_languageId;
};

}  // namespace tessaline::platform
