#pragma once

#include "cli/cli_options.h"

namespace tessaline::cli {

// Exit statuses of tessaline-cli.
inline constexpr int kExitDone = 0;         // the command did its work
inline constexpr int kExitNothingDone = 1;  // a run renamed nothing
inline constexpr int kExitRefused = 2;      // usage error, refused input, Cancel

// Runs one command line: sets up the data folder, settings, language and
// journal, then renames, previews, saves a name list or undoes.
int runSession(const CliOptions& options);

}  // namespace tessaline::cli
