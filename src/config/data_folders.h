#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/key_store.h"
#include "platform/file_system.h"

// Where the program finds its own files and keeps the user's.
namespace tessaline::config {

// What the folders are resolved from; hosts fill it from the process
// (processEnvironment), tests set it freely. Empty texts are unset values.
struct FolderEnvironment {
  std::u16string executablePath;  // full path of the running program
  std::u16string home;            // $HOME
  std::u16string xdgDataHome;     // $XDG_DATA_HOME
  std::u16string xdgConfigHome;   // $XDG_CONFIG_HOME
};

// The running program's path and the environment variables above.
FolderEnvironment processEnvironment();

// The program's folders; both end with the separator.
struct DataFolders {
  std::u16string programDir;    // the program's own, read-only files
  std::u16string dataDir;       // the files the program writes for the user
  std::u16string settingsPath;  // Settings.ini; stays for the whole run
};

// The folder of the running program, ending with the separator; empty when
// its path is unknown.
std::u16string programFolder(platform::PathStyle style, const FolderEnvironment& env);

// Resolves the folders at start. The data folder is the program's folder
// when its "Undos" folder exists or can be made there, otherwise the user's
// data folder ($XDG_DATA_HOME, by default ~/.local/share) + "Brenwick/
// Tessaline/", made when missing together with its "Undos". When that fails
// too, both folders are the program's folder.
DataFolders resolveFolders(platform::FileSystem& fs, const FolderEnvironment& env);

// A start with an argument runs from the installed program folder: when the
// key store holds "InstallDir", it becomes the program folder and the data
// folder; the settings file stays where it is. True when it was applied.
bool applyInstallDir(const KeyStore& keys, platform::PathStyle style, DataFolders& folders);

// The key store file: $XDG_CONFIG_HOME (by default ~/.config) +
// "Brenwick/tessaline.conf"; empty when neither variable gives a folder.
std::optional<std::u16string> keyStorePath(platform::PathStyle style, const FolderEnvironment& env);

// Makes a folder and every missing folder above it; true when the folder
// exists afterwards.
bool createFolderChain(platform::FileSystem& fs, std::u16string_view folder);

}  // namespace tessaline::config
