#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaline::config {

// The options of Settings.ini's section "Option", held for the whole run.
// Field names follow the keys ("Options1" -> options1).
struct AppSettings {
  bool options1 = false;  // exit after a rename run or a save
  bool options2 = false;  // do not open the text file after saving names
  bool options3 = true;   // keep the results in the file list after a run
  bool autocopy = true;
  bool capevery = true;  // leave small words out when capitalising every word
  bool confirm = false;  // ask before a rename run
  bool contextmenu = true;
  bool endsound = true;
  bool previewMax = false;
  bool checkbox = true;  // the file list has check boxes
  bool showguide = true;
  bool showhiddenfile = false;
  bool showsysfile = false;
  int prenum = 20;                     // 1-1000: rows a preview shows
  int listnum = 20;                    // 0-100: length of the new name list
  int foldernum = 10;                  // 0-30: used folders stored
  std::u16string language;             // "" = the system's language
  std::optional<std::u16string> icon;  // absent = built-in pictures
  bool registereddll = false;
};

// The keys of section "Option" that AppSettings holds, in the order the
// settings are saved ("Options1", ..., "Showsysfile"), then "Language",
// "Icon" and "Registereddll".
const std::vector<std::u16string_view>& appSettingKeys();

// Sets one setting from its key and text: flags take an integer (non-zero is
// true), numbers are brought into their range. Returns a text saying why when
// the key is unknown or the value is not a number.
std::optional<std::u16string> setAppSetting(AppSettings& settings, std::u16string_view key,
                                            std::u16string_view value);

// The text of one setting as Settings.ini stores it; empty for an unknown key
// (and for an absent "Icon").
std::optional<std::u16string> appSettingValue(const AppSettings& settings, std::u16string_view key);

}  // namespace tessaline::config
