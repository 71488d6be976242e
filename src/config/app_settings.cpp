#include "config/app_settings.h"

#include <algorithm>
#include <cstdint>

#include "config/ini_file.h"
#include "platform/number_text.h"
#include "platform/utf.h"

namespace tessaline::config {
namespace {

enum class Kind { Flag, Number, Text, OptionalText };

// One key of section "Option" and the field of AppSettings behind it.
struct Field {
  std::u16string_view key;
  Kind kind;
  bool AppSettings::*flag = nullptr;
  int AppSettings::*number = nullptr;
  int min = 0, max = 0;
};

Field flag(std::u16string_view key, bool AppSettings::*member) {
  return {key, Kind::Flag, member};
}

Field number(std::u16string_view key, int AppSettings::*member, int min, int max) {
  return {key, Kind::Number, nullptr, member, min, max};
}

// In the order the settings are saved.
const std::vector<Field>& fields() {
  static const std::vector<Field> kFields = {
      flag(u"Options1", &AppSettings::options1),
      flag(u"Options2", &AppSettings::options2),
      flag(u"Options3", &AppSettings::options3),
      flag(u"Autocopy", &AppSettings::autocopy),
      flag(u"Capevery", &AppSettings::capevery),
      flag(u"Confirm", &AppSettings::confirm),
      number(u"Prenum", &AppSettings::prenum, 1, 1000),
      number(u"Listnum", &AppSettings::listnum, 0, 100),
      number(u"Foldernum", &AppSettings::foldernum, 0, 30),
      flag(u"Contextmenu", &AppSettings::contextmenu),
      flag(u"Endsound", &AppSettings::endsound),
      flag(u"PreviewMax", &AppSettings::previewMax),
      flag(u"Checkbox", &AppSettings::checkbox),
      flag(u"Showguide", &AppSettings::showguide),
      flag(u"Showhiddenfile", &AppSettings::showhiddenfile),
      flag(u"Showsysfile", &AppSettings::showsysfile),
      {u"Language", Kind::Text},
      {u"Icon", Kind::OptionalText},
      flag(u"Registereddll", &AppSettings::registereddll),
  };
  return kFields;
}

const Field* findField(std::u16string_view key) {
  for (const Field& field : fields()) {
    if (sameIniName(field.key, key)) return &field;
  }
  return nullptr;
}

std::u16string unknownKeyText(std::u16string_view key) {
  std::u16string text = u"unknown setting \"" + std::u16string(key) + u"\"; the settings are ";
  for (const std::u16string_view valid : appSettingKeys()) {
    if (valid != appSettingKeys().front()) text += u", ";
    text += valid;
  }
  return text;
}

std::u16string notANumberText(const Field& field, std::u16string_view value) {
  std::u16string text = u"the value \"" + std::u16string(value) + u"\" of " +
                        std::u16string(field.key) + u" is not a whole number";
  if (field.kind == Kind::Number) {
    text += u" (" + platform::decimalText(field.min) + u" to " + platform::decimalText(field.max) +
            u")";
  }
  return text;
}

}  // namespace

const std::vector<std::u16string_view>& appSettingKeys() {
  static const std::vector<std::u16string_view> kKeys = [] {
    std::vector<std::u16string_view> keys;
    for (const Field& field : fields())
      keys.push_back(field.key);
    return keys;
  }();
  return kKeys;
}

std::optional<std::u16string> setAppSetting(AppSettings& settings, std::u16string_view key,
                                            std::u16string_view value) {
  const Field* field = findField(key);
  if (!field) return unknownKeyText(key);
  switch (field->kind) {
    case Kind::Text:
      settings.language = value;
      return std::nullopt;
    case Kind::OptionalText:
      settings.icon = value.empty() ? std::nullopt : std::optional<std::u16string>(value);
      return std::nullopt;
    case Kind::Flag:
    case Kind::Number:
      break;
  }
  const std::optional<std::int64_t> parsed = parseIniInteger(value);
  if (!parsed) return notANumberText(*field, value);
  if (field->kind == Kind::Flag) {
    settings.*field->flag = *parsed != 0;
  } else {
    settings.*field->number =
        static_cast<int>(std::clamp<std::int64_t>(*parsed, field->min, field->max));
  }
  return std::nullopt;
}

std::optional<std::u16string> appSettingValue(const AppSettings& settings,
                                              std::u16string_view key) {
  const Field* field = findField(key);
  if (!field) return std::nullopt;
  switch (field->kind) {
    case Kind::Flag:
      return settings.*field->flag ? u"1" : u"0";
    case Kind::Number:
      return platform::decimalText(settings.*field->number);
    case Kind::Text:
      return settings.language;
    case Kind::OptionalText:
      return settings.icon;
  }
  return std::nullopt;
}

}  // namespace tessaline::config
