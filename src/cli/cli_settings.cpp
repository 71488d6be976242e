#include "cli/cli_settings.h"

#include <climits>
#include <cstdio>

#include "cli/console_ports.h"
#include "config/data_folders.h"
#include "config/settings_store.h"
#include "platform/utf.h"

namespace tessaline::cli {
namespace {

std::u16string settingsPath(const CliSettings& settings) {
  return settings.dataDir + u"Settings.ini";
}

}  // namespace

std::optional<CliSettings> loadCliSettings(platform::FileSystem& fs, const CliOptions& options) {
  const config::FolderEnvironment environment = config::processEnvironment();
  CliSettings settings;
  if (options.dataDir) {
    // The folders the windows would use are not looked for (nor made).
    settings.programDir = config::programFolder(fs.style(), environment);
    settings.dataDir = absoluteFolderPath(*options.dataDir);
    if (!config::createFolderChain(fs, settings.dataDir)) {
      writeLine(stderr, u"tessaline-cli: cannot make the data folder " + settings.dataDir);
      return std::nullopt;
    }
  } else {
    const config::DataFolders folders = config::resolveFolders(fs, environment);
    settings.programDir = folders.programDir;
    settings.dataDir = folders.dataDir;
  }
  config::SettingsStore store(fs, settingsPath(settings));
  settings.app.language = store.readPlacement(INT_MAX, 0).language;
  settings.renamedFilesTotal = store.loadSettings(settings.app).value_or(0);
  for (const auto& [key, value] : options.options) {
    if (const auto error = config::setAppSetting(settings.app, key, value)) {
      writeLine(stderr, u"tessaline-cli: " + *error);
      return std::nullopt;
    }
  }
  return settings;
}

void saveCliSettings(platform::FileSystem& fs, const CliSettings& settings,
                     std::int64_t renamedFilesTotal) {
  if (renamedFilesTotal <= settings.renamedFilesTotal) return;
  config::SettingsStore(fs, settingsPath(settings)).writeTotalfiles(renamedFilesTotal);
}

}  // namespace tessaline::cli
