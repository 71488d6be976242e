#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/app_settings.h"
#include "config/ini_file.h"
#include "platform/file_system.h"

// Settings.ini: the options of section "Option" and the main window's state
// in section "Form".
namespace tessaline::config {

struct WindowRect {
  int left = 299;
  int top = 172;
  int width = 626;
  int height = 513;
};

// What the main window takes from the file at start.
struct WindowPlacement {
  std::u16string language;         // "" = the system's language
  bool maximize = false;           // open maximized; nothing else was read
  std::optional<WindowRect> rect;  // empty: keep the designed, centred placement
  int rememberedTop = 0;           // the top edge read at start; 0 when none
};

// The main window as it closes.
struct WindowState {
  bool maximized = false;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The settings file of the run. Every read reads the file; every write
// reads it, changes the keys concerned and writes it whole (atomically), so
// keys the program does not know survive. A missing file reads as defaults
// and is made by the first write. A file that exists but cannot be read is
// never written over: writes fail instead of losing its keys.
class SettingsStore {
 public:
  SettingsStore(platform::FileSystem& fs, std::u16string path);

  const std::u16string& path() const { return m_path; }
  bool exists() const;

  // The placement stored at exit. A stored top edge at or below the screen's
  // height (a window closed while off-screen) is replaced by currentTop.
  WindowPlacement readPlacement(int screenHeight, int currentTop) const;

  // Fills the options of section "Option" (all but Language, Icon and
  // Registereddll), each brought into its range; a missing or bad value gives
  // the default. Without a file every one of them takes its default; with a
  // file that cannot be read, the flags stay as they are and the numbers take
  // their defaults. Returns the renamed-files counter ("Totalfiles") at the
  // first call of the run only. The used folders are loaded after it
  // (UsedFolderList::load).
  std::optional<std::int64_t> loadSettings(AppSettings& settings);

  // The values of "Folder0", "Folder1", ... up to the first missing key and
  // at most foldernum keys; empty values are left out.
  std::vector<std::u16string> readFolders(int foldernum) const;

  // Writes the options of section "Option" that loadSettings reads.
  bool saveSettings(const AppSettings& settings);
  // Writes the window's state, the counter (only when above 0) and the first
  // foldernum folders; "Folder" keys past them are deleted up to the first
  // one missing.
  bool saveWindowState(const WindowState& state, std::int64_t renamedFilesTotal,
                       const std::vector<std::u16string>& folders, int foldernum);

  std::u16string readLastDir() const;
  std::optional<std::u16string> readIcon() const;  // empty: the built-in pictures
  bool readRegistereddll() const;

  bool writeLastDir(std::u16string_view folder);
  bool writeShowguide(bool showguide);
  bool writeListnum(int listnum);
  // The renamed-files counter alone, for a host without a main window;
  // nothing is written for 0.
  bool writeTotalfiles(std::int64_t renamedFilesTotal);
  bool writeRegistereddll(bool registereddll);
  bool writeLanguage(std::u16string_view language);
  bool writeIcon(const std::optional<std::u16string>& icon);  // empty: the key is removed

 private:
  enum class FileState { Missing, Unreadable, Read };
  struct Contents {
    FileState state = FileState::Missing;
    IniFile ini;
  };

  Contents read() const;
  bool edit(const std::function<void(IniFile&)>& change);
  std::optional<std::u16string> readValue(std::u16string_view section,
                                          std::u16string_view key) const;

  platform::FileSystem& m_fs;
  std::u16string m_path;
  bool m_loadedBefore = false;
};

}  // namespace tessaline::config
