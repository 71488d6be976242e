#include "platform/posix_locale.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <initializer_list>
#include <string>

#include "platform/utf.h"

namespace tessaline::platform {
namespace {

struct LanguageId {
  std::string_view language;  // lower case
  std::string_view country;   // upper case
  int id;
};

// Windows language ids of common POSIX locales. The first row of a language
// is also its id when only the language is known.
constexpr LanguageId kLanguageIds[] = {
    {"af", "ZA", 1078},  {"ar", "SA", 1025},  {"ar", "EG", 3073},  {"be", "BY", 1059},
    {"bg", "BG", 1026},  {"bn", "IN", 1093},  {"ca", "ES", 1027},  {"cs", "CZ", 1029},
    {"da", "DK", 1030},  {"de", "DE", 1031},  {"de", "CH", 2055},  {"de", "AT", 3079},
    {"de", "LU", 4103},  {"de", "LI", 5127},  {"el", "GR", 1032},  {"en", "US", 1033},
    {"en", "GB", 2057},  {"en", "AU", 3081},  {"en", "CA", 4105},  {"en", "NZ", 5129},
    {"en", "IE", 6153},  {"en", "ZA", 7177},  {"en", "IN", 16393}, {"es", "ES", 3082},
    {"es", "MX", 2058},  {"es", "CO", 9226},  {"es", "AR", 11274}, {"es", "CL", 13322},
    {"es", "US", 21514}, {"et", "EE", 1061},  {"eu", "ES", 1069},  {"fa", "IR", 1065},
    {"fi", "FI", 1035},  {"fil", "PH", 1124}, {"fr", "FR", 1036},  {"fr", "BE", 2060},
    {"fr", "CA", 3084},  {"fr", "CH", 4108},  {"fr", "LU", 5132},  {"ga", "IE", 2108},
    {"gl", "ES", 1110},  {"he", "IL", 1037},  {"hi", "IN", 1081},  {"hr", "HR", 1050},
    {"hu", "HU", 1038},  {"hy", "AM", 1067},  {"id", "ID", 1057},  {"is", "IS", 1039},
    {"it", "IT", 1040},  {"it", "CH", 2064},  {"ja", "JP", 1041},  {"ka", "GE", 1079},
    {"kk", "KZ", 1087},  {"ko", "KR", 1042},  {"lt", "LT", 1063},  {"lv", "LV", 1062},
    {"mk", "MK", 1071},  {"ms", "MY", 1086},  {"nb", "NO", 1044},  {"nl", "NL", 1043},
    {"nl", "BE", 2067},  {"nn", "NO", 2068},  {"no", "NO", 1044},  {"pl", "PL", 1045},
    {"pt", "BR", 1046},  {"pt", "PT", 2070},  {"ro", "RO", 1048},  {"ru", "RU", 1049},
    {"sk", "SK", 1051},  {"sl", "SI", 1060},  {"sq", "AL", 1052},  {"sv", "SE", 1053},
    {"sv", "FI", 2077},  {"sw", "KE", 1089},  {"ta", "IN", 1097},  {"th", "TH", 1054},
    {"tr", "TR", 1055},  {"uk", "UA", 1058},  {"ur", "PK", 1056},  {"vi", "VN", 1066},
    {"zh", "CN", 2052},  {"zh", "TW", 1028},  {"zh", "HK", 3076},  {"zh", "SG", 4100},
    {"zh", "MO", 5124},
};

constexpr int kEnglishUnitedStates = 1033;

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char upperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Splits "ll_CC.codeset@modifier" (or "ll-CC") into language and country.
void splitLocaleName(std::string_view name, std::string& language, std::string& country) {
  const std::size_t end = name.find_first_of(".@");
  name = name.substr(0, end);
  const std::size_t separator = name.find_first_of("_-");
  for (char c : name.substr(0, separator))
    language.push_back(lowerAscii(c));
  if (separator == std::string_view::npos) return;
  for (char c : name.substr(separator + 1))
    country.push_back(upperAscii(c));
}

// The first set variable of names, or an empty text.
std::string firstSet(std::initializer_list<const char*> names) {
  for (const char* name : names) {
    const char* value = std::getenv(name);
    if (value && *value) return value;
  }
  return {};
}

char16_t separatorOf(const std::string& localeName) {
  if (localeName.empty()) return u'.';
  const locale_t locale = newlocale(LC_NUMERIC_MASK, localeName.c_str(), locale_t{});
  if (!locale) return u'.';
  const std::u16string radix = fromUtf8(nl_langinfo_l(RADIXCHAR, locale));
  freelocale(locale);
  // One character of a UTF-8 locale; anything else (a legacy charset's byte
  // that decodes to an escape) falls back to the point.
  if (radix.size() != 1 || (radix[0] >= 0xD800 && radix[0] <= 0xDFFF)) return u'.';
  return radix[0];
}

}  // namespace

PosixLocale::PosixLocale() {
  m_separator = separatorOf(firstSet({"LC_ALL", "LC_NUMERIC", "LANG"}));
  m_languageId = languageIdOf(firstSet({"LC_ALL", "LC_MESSAGES", "LANG"}));
}

std::u16string PosixLocale::languageIdOf(std::string_view localeName) {
  std::string language, country;
  splitLocaleName(localeName, language, country);
  int id = kEnglishUnitedStates;
  bool languageSeen = false;
  for (const LanguageId& row : kLanguageIds) {
    if (row.language != language) continue;
    if (row.country == country) {
      id = row.id;
      break;
    }
    if (!languageSeen) id = row.id;
    languageSeen = true;
  }
  const std::string text = std::to_string(id);
  return std::u16string(text.begin(), text.end());
}

}  // namespace tessaline::platform
