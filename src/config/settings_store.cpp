#include "config/settings_store.h"

#include <algorithm>
#include <limits>

#include "platform/number_text.h"
#include "platform/utf.h"

namespace tessaline::config {
namespace {

constexpr std::u16string_view kOption = u"Option";
constexpr std::u16string_view kForm = u"Form";

// The options loadSettings reads and saveSettings writes, in the order they
// are saved.
constexpr std::u16string_view kOptionKeys[] = {
    u"Options1", u"Options2",  u"Options3",       u"Autocopy",    u"Capevery", u"Confirm",
    u"Prenum",   u"Listnum",   u"Foldernum",      u"Contextmenu", u"Endsound", u"PreviewMax",
    u"Checkbox", u"Showguide", u"Showhiddenfile", u"Showsysfile",
};

std::u16string folderKey(std::size_t n) {
  return u"Folder" + platform::decimalText(static_cast<std::int64_t>(n));
}

int readInt(const IniFile& ini, std::u16string_view section, std::u16string_view key,
            int fallback) {
  const std::optional<std::u16string> text = ini.get(section, key);
  const std::optional<std::int64_t> value = text ? parseIniInteger(*text) : std::nullopt;
  if (!value || *value < std::numeric_limits<int>::min() ||
      *value > std::numeric_limits<int>::max())
    return fallback;
  return static_cast<int>(*value);
}

bool readFlag(const IniFile& ini, std::u16string_view section, std::u16string_view key,
              bool fallback) {
  const std::optional<std::u16string> text = ini.get(section, key);
  const std::optional<std::int64_t> value = text ? parseIniInteger(*text) : std::nullopt;
  return value ? *value != 0 : fallback;
}

// The counter counts renamed items: a negative or unreadable value counts
// as none.
std::int64_t readCounter(const IniFile& ini) {
  const std::optional<std::u16string> text = ini.get(kForm, u"Totalfiles");
  const std::optional<std::int64_t> value = text ? parseIniInteger(*text) : std::nullopt;
  return value ? std::max<std::int64_t>(*value, 0) : 0;
}

// One option from the file, or its default when missing or not a number.
void loadOption(AppSettings& settings, const IniFile& ini, std::u16string_view key) {
  const std::optional<std::u16string> text = ini.get(kOption, key);
  if (!text || setAppSetting(settings, key, *text))
    setAppSetting(settings, key, *appSettingValue(AppSettings{}, key));
}

void resetOption(AppSettings& settings, std::u16string_view key) {
  setAppSetting(settings, key, *appSettingValue(AppSettings{}, key));
}

}  // namespace

SettingsStore::SettingsStore(platform::FileSystem& fs, std::u16string path)
    : m_fs(fs), m_path(std::move(path)) {}

bool SettingsStore::exists() const {
  return m_fs.fileExists(m_path);
}

WindowPlacement SettingsStore::readPlacement(int screenHeight, int currentTop) const {
  WindowPlacement placement;
  const Contents file = read();
  if (file.state != FileState::Read) return placement;
  const IniFile& ini = file.ini;
  placement.language = ini.get(kOption, u"Language").value_or(u"");
  placement.maximize = readFlag(ini, kForm, u"Maximize", false);
  if (placement.maximize) return placement;
  WindowRect rect;
  rect.left = readInt(ini, kForm, u"Left", rect.left);
  const int top = readInt(ini, kForm, u"Top", rect.top);
  rect.top = top < screenHeight ? top : currentTop;
  rect.width = readInt(ini, kForm, u"Width", rect.width);
  rect.height = readInt(ini, kForm, u"Height", rect.height);
  placement.rect = rect;
  placement.rememberedTop = rect.top;
  return placement;
}

std::optional<std::int64_t> SettingsStore::loadSettings(AppSettings& settings) {
  const Contents file = read();
  std::optional<std::int64_t> counter;
  if (!m_loadedBefore) counter = file.state == FileState::Read ? readCounter(file.ini) : 0;
  m_loadedBefore = true;
  switch (file.state) {
    case FileState::Missing:
      for (const std::u16string_view key : kOptionKeys)
        resetOption(settings, key);
      break;
    case FileState::Unreadable:
      // Nothing could be read: the flags keep what they hold.
      for (const std::u16string_view key : {u"Prenum", u"Listnum", u"Foldernum"})
        resetOption(settings, key);
      break;
    case FileState::Read:
      for (const std::u16string_view key : kOptionKeys)
        loadOption(settings, file.ini, key);
      break;
  }
  return counter;
}

std::vector<std::u16string> SettingsStore::readFolders(int foldernum) const {
  std::vector<std::u16string> folders;
  const Contents file = read();
  if (file.state != FileState::Read) return folders;
  for (std::size_t n = 0; n < static_cast<std::size_t>(std::max(foldernum, 0)); ++n) {
    std::optional<std::u16string> folder = file.ini.get(kForm, folderKey(n));
    if (!folder) break;
    if (!folder->empty()) folders.push_back(std::move(*folder));
  }
  return folders;
}

bool SettingsStore::saveSettings(const AppSettings& settings) {
  return edit([&settings](IniFile& ini) {
    for (const std::u16string_view key : kOptionKeys)
      ini.set(kOption, key, *appSettingValue(settings, key));
  });
}

bool SettingsStore::saveWindowState(const WindowState& state, std::int64_t renamedFilesTotal,
                                    const std::vector<std::u16string>& folders, int foldernum) {
  return edit([&](IniFile& ini) {
    ini.set(kForm, u"Maximize", state.maximized ? u"1" : u"0");
    ini.set(kForm, u"Top", platform::decimalText(state.top));
    ini.set(kForm, u"Left", platform::decimalText(state.left));
    ini.set(kForm, u"Height", platform::decimalText(state.height));
    ini.set(kForm, u"Width", platform::decimalText(state.width));
    // An older stored counter stays when this run has none.
    if (renamedFilesTotal > 0)
      ini.set(kForm, u"Totalfiles", platform::decimalText(renamedFilesTotal));
    const std::size_t stored =
        std::min(folders.size(), static_cast<std::size_t>(std::max(foldernum, 0)));
    for (std::size_t n = 0; n < stored; ++n)
      ini.set(kForm, folderKey(n), folders[n]);
    for (std::size_t n = stored; ini.remove(kForm, folderKey(n)); ++n) {
    }
  });
}

std::u16string SettingsStore::readLastDir() const {
  return readValue(kForm, u"LastDir").value_or(u"");
}

std::optional<std::u16string> SettingsStore::readIcon() const {
  std::optional<std::u16string> icon = readValue(kOption, u"Icon");
  if (icon && icon->empty()) return std::nullopt;
  return icon;
}

bool SettingsStore::readRegistereddll() const {
  const Contents file = read();
  return file.state == FileState::Read && readFlag(file.ini, kOption, u"Registereddll", false);
}

bool SettingsStore::writeLastDir(std::u16string_view folder) {
  return edit([folder](IniFile& ini) { ini.set(kForm, u"LastDir", folder); });
}

bool SettingsStore::writeShowguide(bool showguide) {
  return edit(
      [showguide](IniFile& ini) { ini.set(kOption, u"Showguide", showguide ? u"1" : u"0"); });
}

bool SettingsStore::writeListnum(int listnum) {
  return edit(
      [listnum](IniFile& ini) { ini.set(kOption, u"Listnum", platform::decimalText(listnum)); });
}

bool SettingsStore::writeTotalfiles(std::int64_t renamedFilesTotal) {
  if (renamedFilesTotal <= 0) return true;
  return edit([renamedFilesTotal](IniFile& ini) {
    ini.set(kForm, u"Totalfiles", platform::decimalText(renamedFilesTotal));
  });
}

bool SettingsStore::writeRegistereddll(bool registereddll) {
  return edit([registereddll](IniFile& ini) {
    ini.set(kOption, u"Registereddll", registereddll ? u"1" : u"0");
  });
}

bool SettingsStore::writeLanguage(std::u16string_view language) {
  return edit([language](IniFile& ini) { ini.set(kOption, u"Language", language); });
}

bool SettingsStore::writeIcon(const std::optional<std::u16string>& icon) {
  return edit([&icon](IniFile& ini) {
    if (icon && !icon->empty()) {
      ini.set(kOption, u"Icon", *icon);
    } else {
      ini.remove(kOption, u"Icon");
    }
  });
}

SettingsStore::Contents SettingsStore::read() const {
  Contents file;
  if (!m_fs.fileExists(m_path)) return file;
  const std::optional<std::string> bytes = m_fs.readFile(m_path);
  if (!bytes) {
    file.state = FileState::Unreadable;
    return file;
  }
  file.state = FileState::Read;
  file.ini = IniFile::parse(*bytes);
  return file;
}

bool SettingsStore::edit(const std::function<void(IniFile&)>& change) {
  Contents file = read();
  if (file.state == FileState::Unreadable) return false;
  change(file.ini);
  return m_fs.writeFile(m_path, file.ini.toBytes());
}

std::optional<std::u16string> SettingsStore::readValue(std::u16string_view section,
                                                       std::u16string_view key) const {
  const Contents file = read();
  if (file.state != FileState::Read) return std::nullopt;
  return file.ini.get(section, key);
}

}  // namespace tessaline::config
