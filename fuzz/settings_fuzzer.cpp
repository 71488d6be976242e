// Feeds arbitrary bytes to the readers of the program's own files: as
// Settings.ini (the INI document and the settings store), as Newname.txt and
// as the key store file. Whatever they read must be written and read back
// unchanged, and every number must come out in its range.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/app_settings.h"
#include "config/ini_file.h"
#include "config/key_store.h"
#include "config/new_name_list.h"
#include "config/settings_store.h"
#include "config/used_folder_list.h"
#include "platform/memory_file_system.h"
#include "platform/utf.h"

namespace {

using namespace tessaline;

constexpr std::u16string_view kDataDir = u"/data/";
constexpr std::u16string_view kSettings = u"/data/Settings.ini";
constexpr std::u16string_view kNewNames = u"/data/Newname.txt";
constexpr std::u16string_view kKeyStore = u"/data/tessaline.conf";

void check(bool condition) {
  if (!condition) __builtin_trap();
}

bool sameDocument(const config::IniFile& first, const config::IniFile& second) {
  const auto& a = first.sections();
  const auto& b = second.sections();
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].name != b[i].name || a[i].entries.size() != b[i].entries.size()) return false;
    for (std::size_t k = 0; k < a[i].entries.size(); ++k) {
      if (a[i].entries[k].key != b[i].entries[k].key) return false;
      if (a[i].entries[k].value != b[i].entries[k].value) return false;
    }
  }
  return true;
}

void checkIniRoundTrip(std::string_view input) {
  const config::IniFile ini = config::IniFile::parse(input);
  const std::string bytes = ini.toBytes();
  const config::IniFile again = config::IniFile::parse(bytes);
  check(sameDocument(ini, again));
  check(again.toBytes() == bytes);
  for (const auto& section : ini.sections()) {
    check(config::isIniSectionName(section.name));
    for (const auto& entry : section.entries) {
      check(config::isIniKey(entry.key));
      check(ini.get(section.name, entry.key).has_value());
    }
  }
}

bool sameOptions(const config::AppSettings& a, const config::AppSettings& b) {
  for (const std::u16string_view key : config::appSettingKeys()) {
    if (config::appSettingValue(a, key) != config::appSettingValue(b, key)) return false;
  }
  return true;
}

void checkSettingsStore(std::string_view input) {
  platform::MemoryFileSystem fs(platform::PathStyle::Posix);
  fs.addFileWithContent(kSettings, std::string(input));
  config::SettingsStore store(fs, std::u16string(kSettings));
  const config::WindowPlacement placement = store.readPlacement(768, 10);
  check(!placement.rect || placement.rect->top < 768 || placement.rect->top == 10);

  config::AppSettings settings;
  const std::optional<std::int64_t> counter = store.loadSettings(settings);
  check(counter && *counter >= 0);
  check(settings.prenum >= 1 && settings.prenum <= 1000);
  check(settings.listnum >= 0 && settings.listnum <= 100);
  check(settings.foldernum >= 0 && settings.foldernum <= 30);
  config::UsedFolderList folders;
  folders.load(store, settings.foldernum);
  check(folders.entries().size() <= static_cast<std::size_t>(settings.foldernum));
  const std::u16string lastDir = store.readLastDir();

  // Written and read again, everything comes back.
  check(store.saveSettings(settings));
  check(store.saveWindowState({true, 1, 2, 3, 4}, *counter, folders.entries(), settings.foldernum));
  check(store.writeLastDir(lastDir));
  config::SettingsStore reread(fs, std::u16string(kSettings));
  config::AppSettings reloaded;
  reloaded.language = settings.language;
  reloaded.icon = settings.icon;
  // A counter of 0 is not written, and what stood there reads as 0 again.
  check(reread.loadSettings(reloaded) == *counter);
  check(sameOptions(settings, reloaded));
  check(reread.readFolders(settings.foldernum) == folders.entries());
  check(reread.readLastDir() == lastDir);
  check(reread.readPlacement(768, 10).maximize);
}

// Entries that the file's UTF-8 carries unchanged.
bool survivesUtf8(const std::vector<std::u16string>& entries) {
  for (const std::u16string& entry : entries) {
    if (platform::fromUtf8(platform::toUtf8(entry)) != entry) return false;
  }
  return true;
}

void checkNewNames(std::string_view input) {
  platform::MemoryFileSystem fs(platform::PathStyle::Posix);
  fs.addFileWithContent(kNewNames, std::string(input));
  config::NewNameList list(fs, std::u16string(kDataDir));
  list.load();
  const int listnum = input.empty() ? 20 : static_cast<unsigned char>(input[0]) % 102;
  const std::vector<std::u16string> before = list.entries();
  list.add(u"Holiday", listnum);
  if (listnum == 0) {
    check(list.entries().empty() && !fs.exists(kNewNames));
    return;
  }
  check(list.entries().size() <= static_cast<std::size_t>(listnum));
  check(list.entries().front() == u"Holiday");
  if (survivesUtf8(before)) {
    config::NewNameList reread(fs, std::u16string(kDataDir));
    reread.load();
    check(reread.entries() == list.entries());
  }
  list.trim(listnum / 2);
  check(list.entries().size() <= static_cast<std::size_t>(listnum / 2));
  check(list.saveEdited(before) <= static_cast<int>(before.size()));
}

void checkKeyStore(std::string_view input) {
  platform::MemoryFileSystem fs(platform::PathStyle::Posix);
  fs.addFileWithContent(kKeyStore, std::string(input));
  auto values = config::parseKeyStore(input);
  config::FileKeyStore keys(fs, std::u16string(kKeyStore));
  for (const auto& [name, value] : values)
    check(keys.get(name) == value);
  check(keys.set(config::kDataDirValue, u"/new data/\r\n"));
  bool replaced = false;
  for (auto& [name, value] : values) {
    if (config::sameIniName(name, config::kDataDirValue)) {
      value = u"/new data/\r\n";
      replaced = true;
    }
  }
  if (!replaced) values.emplace_back(config::kDataDirValue, u"/new data/\r\n");
  check(config::parseKeyStore(*fs.readFile(kKeyStore)) == values);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, unsigned long size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  checkIniRoundTrip(input);
  checkSettingsStore(input);
  checkNewNames(input);
  checkKeyStore(input);
  return 0;
}
