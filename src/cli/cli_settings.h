#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cli/cli_options.h"
#include "config/app_settings.h"
#include "platform/file_system.h"

namespace tessaline::cli {

// The folders and settings one call of tessaline-cli works with.
struct CliSettings {
  std::u16string programDir;  // the executable's folder, ending with "/"
  std::u16string dataDir;     // --data-dir, or resolved as the windows do
  config::AppSettings app;    // Settings.ini with the --option overrides
  std::int64_t renamedFilesTotal = 0;
};

// Resolves the folders, reads Settings.ini and applies --option; on a bad
// --option tells why on stderr and returns nothing.
std::optional<CliSettings> loadCliSettings(platform::FileSystem& fs, const CliOptions& options);

// Stores the renamed-files counter when it grew (the --option overrides are
// never stored).
void saveCliSettings(platform::FileSystem& fs, const CliSettings& settings,
                     std::int64_t renamedFilesTotal);

}  // namespace tessaline::cli
