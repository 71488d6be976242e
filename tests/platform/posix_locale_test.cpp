#include "platform/posix_locale.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace tessaline::platform {
namespace {

TEST(PosixLocale, MapsLocaleNamesToWindowsLanguageIds) {
  struct Row {
    std::string_view name;
    std::u16string_view want;
  };
  constexpr Row rows[] = {
      {"en_US.UTF-8", u"1033"},
      {"en_GB.UTF-8", u"2057"},
      {"de_DE.UTF-8", u"1031"},
      {"de_AT", u"3079"},
      {"de_DE@euro", u"1031"},
      {"fr_CA.UTF-8", u"3084"},
      {"es_ES.UTF-8", u"3082"},
      {"ja_JP.eucJP", u"1041"},
      {"zh_CN.UTF-8", u"2052"},
      {"zh_TW.Big5", u"1028"},
      {"zh_HK.UTF-8", u"3076"},
      {"pt_BR.UTF-8", u"1046"},
      {"pt_PT.UTF-8", u"2070"},
      {"ru_RU.UTF-8", u"1049"},
      {"tr_TR.UTF-8", u"1055"},
      {"EN_gb", u"2057"},
      {"en-GB", u"2057"},  // case and dash spellings
      {"de", u"1031"},
      {"de_BR", u"1031"},  // language only, unknown country
      {"pt", u"1046"},
      {"zh", u"2052"},
      {"es", u"3082"},
      {"C", u"1033"},
      {"C.UTF-8", u"1033"},
      {"POSIX", u"1033"},
      {"", u"1033"},
      {"xx_YY.UTF-8", u"1033"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(PosixLocale::languageIdOf(row.name), row.want);
  }
}

// Sets the locale variables for one test and puts them back afterwards.
class LocaleEnvironment {
 public:
  LocaleEnvironment(std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const char* name : {"LC_ALL", "LC_NUMERIC", "LC_MESSAGES", "LANG"}) {
      const char* old = std::getenv(name);
      m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
      unsetenv(name);
    }
    for (const auto& [name, value] : values)
      setenv(name, value, 1);
  }
  ~LocaleEnvironment() {
    for (const auto& [name, value] : m_saved) {
      if (value) {
        setenv(name, value->c_str(), 1);
      } else {
        unsetenv(name);
      }
    }
  }

 private:
  std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
};

TEST(PosixLocale, ReadsTheEnvironmentInItsOrder) {
  {
    const LocaleEnvironment env({{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}});
    EXPECT_EQ(PosixLocale().defaultLanguageId(), u"1036");
  }
  {
    const LocaleEnvironment env({{"LC_ALL", "ja_JP.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}});
    EXPECT_EQ(PosixLocale().defaultLanguageId(), u"1041");
  }
  {
    const LocaleEnvironment env({{"LANG", "pt_PT.UTF-8"}, {"LC_NUMERIC", "no_such_locale"}});
    const PosixLocale locale;
    EXPECT_EQ(locale.defaultLanguageId(), u"2070");
    EXPECT_EQ(locale.decimalSeparator(), u'.');
  }
  {
    const LocaleEnvironment env({});
    EXPECT_EQ(PosixLocale().defaultLanguageId(), u"1033");
  }
}

TEST(PosixLocale, TakesTheDecimalSeparatorOfTheNumericLocale) {
  locale_t german = newlocale(LC_NUMERIC_MASK, "de_DE.UTF-8", locale_t{});
  if (!german) GTEST_SKIP() << "the locale de_DE.UTF-8 is not installed";
  freelocale(german);
  const LocaleEnvironment env({{"LANG", "en_US.UTF-8"}, {"LC_NUMERIC", "de_DE.UTF-8"}});
  EXPECT_EQ(PosixLocale().decimalSeparator(), u',');
}

}  // namespace
}  // namespace tessaline::platform
