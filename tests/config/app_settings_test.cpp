#include "config/app_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_text.h"

namespace tessaline::config {
namespace {

TEST(AppSettings, KeysComeInSaveOrderWithTheirDefaults) {
  const std::vector<std::u16string_view> wantKeys = {
      u"Options1",    u"Options2",   u"Options3", u"Autocopy",     u"Capevery",
      u"Confirm",     u"Prenum",     u"Listnum",  u"Foldernum",    u"Contextmenu",
      u"Endsound",    u"PreviewMax", u"Checkbox", u"Showguide",    u"Showhiddenfile",
      u"Showsysfile", u"Language",   u"Icon",     u"Registereddll"};
  EXPECT_EQ(appSettingKeys(), wantKeys);
  const std::vector<std::u16string> wantValues = {u"0",  u"0",  u"1", u"1", u"1", u"0", u"20",
                                                  u"20", u"10", u"1", u"1", u"0", u"1", u"1",
                                                  u"0",  u"0",  u"",  u"",  u"0"};
  const AppSettings defaults;
  std::vector<std::u16string> values;
  for (const std::u16string_view key : appSettingKeys())
    values.push_back(appSettingValue(defaults, key).value_or(u""));
  EXPECT_EQ(values, wantValues);
  EXPECT_EQ(appSettingValue(defaults, u"Icon"), std::nullopt);
  EXPECT_EQ(appSettingValue(defaults, u"Nonsense"), std::nullopt);
}

TEST(AppSettings, SetTakesIntegersAndBringsNumbersIntoRange) {
  struct Row {
    std::u16string_view key, value, want;
  };
  constexpr Row kRows[] = {
      {u"Prenum", u"0", u"1"},
      {u"Prenum", u"-7", u"1"},
      {u"Prenum", u"1000", u"1000"},
      {u"Prenum", u"5000000000", u"1000"},  // beyond 32 bits, still a number
      {u"Listnum", u"0", u"0"},
      {u"Listnum", u"101", u"100"},
      {u"Listnum", u"-1", u"0"},
      {u"Foldernum", u"31", u"30"},
      {u"Foldernum", u" 12 ", u"12"},
      {u"prenum", u"33", u"33"},  // keys ignore letter case, as in the file
      {u"Options3", u"0", u"0"},
      {u"Options1", u"2", u"1"},
      {u"Options1", u"-1", u"1"},
      {u"Registereddll", u"1", u"1"},
      {u"Language", u"Deutsch", u"Deutsch"},
      {u"Icon", u"Blue", u"Blue"},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(testing::utf8(r.key) + "=" + testing::utf8(r.value));
    AppSettings settings;
    EXPECT_EQ(setAppSetting(settings, r.key, r.value), std::nullopt);
    EXPECT_EQ(appSettingValue(settings, r.key), r.want);
  }
}

TEST(AppSettings, EmptyIconMeansTheBuiltInPictures) {
  AppSettings settings;
  settings.icon = u"Blue";
  EXPECT_EQ(setAppSetting(settings, u"Icon", u""), std::nullopt);
  EXPECT_EQ(settings.icon, std::nullopt);
}

TEST(AppSettings, RefusesUnknownKeysAndNonNumbersAndSaysWhy) {
  struct Row {
    std::u16string_view key, value;
    std::vector<std::u16string_view> mentioned;  // parts of the reason
  };
  const Row kRows[] = {
      {u"Prenums", u"5", {u"Prenums", u"Options1", u"Prenum", u"Registereddll"}},
      {u"Prenum", u"abc", {u"abc", u"Prenum", u"1 to 1000"}},
      {u"Prenum", u"", {u"Prenum"}},
      {u"Options1", u"true", {u"true", u"Options1"}},
      {u"Listnum", u"99999999999999999999", {u"Listnum"}},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(testing::utf8(r.key) + "=" + testing::utf8(r.value));
    AppSettings settings;
    const std::optional<std::u16string> reason = setAppSetting(settings, r.key, r.value);
    ASSERT_TRUE(reason.has_value());
    for (const std::u16string_view part : r.mentioned)
      EXPECT_NE(reason->find(part), std::u16string::npos) << testing::utf8(part);
    EXPECT_EQ(settings.prenum, 20);
    EXPECT_FALSE(settings.options1);
    EXPECT_EQ(settings.listnum, 20);
  }
}

}  // namespace
}  // namespace tessaline::config
