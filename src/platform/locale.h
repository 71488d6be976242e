#pragma once

#include <string>

namespace tessaline::platform {

// The user's regional settings as far as the core needs them.
class Locale {
 public:
  virtual ~Locale() = default;

  // The decimal separator of numbers, "." or "," in most locales.
  virtual char16_t decimalSeparator() const = 0;

  // The Windows language id of the user's language in decimal ("1033" for
  // English, United States), which language files name in "LangID=".
  virtual std::u16string defaultLanguageId() const = 0;
};

// A locale with fixed answers, for tests and for hosts that know better.
class FixedLocale : public Locale {
 public:
  explicit FixedLocale(char16_t separator = u'.', std::u16string languageId = u"1033")
      : m_separator(separator), m_languageId(std::move(languageId)) {}

  char16_t decimalSeparator() const override { return m_separator; }
  std::u16string defaultLanguageId() const override { return m_languageId; }

 private:
  char16_t m_separator;
  std::u16string m_languageId;
};

}  // namespace tessaline::platform
