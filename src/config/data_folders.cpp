#include "config/data_folders.h"

#include <unistd.h>

#include <cstdlib>
#include <initializer_list>
#include <vector>

#include "platform/utf.h"

namespace tessaline::config {
namespace {

using platform::PathStyle;

constexpr std::u16string_view kUndos = u"Undos";
constexpr std::u16string_view kSettingsFile = u"Settings.ini";

std::u16string withSeparator(PathStyle style, std::u16string path) {
  if (path.empty() || path.back() != platform::separatorOf(style))
    path += platform::separatorOf(style);
  return path;
}

bool isAbsolute(PathStyle style, std::u16string_view path) {
  if (style == PathStyle::Posix) return path.starts_with(u'/');
  return path.size() >= 3 && path[1] == u':' && path[2] == u'\\';
}

// The folder of a file's path, ending with the separator; empty when the
// path names no folder.
std::u16string folderOf(PathStyle style, std::u16string_view path) {
  const std::size_t split = platform::lastSeparator(style, path);
  if (split == std::u16string_view::npos) return {};
  return withSeparator(style, std::u16string(path.substr(0, split + 1)));
}

// An XDG base folder: the variable when it holds an absolute path (others
// are to be ignored), otherwise the fallback below the home folder.
std::optional<std::u16string> baseFolder(PathStyle style, std::u16string_view variable,
                                         std::u16string_view home,
                                         std::initializer_list<std::u16string_view> fallback) {
  if (isAbsolute(style, variable)) return std::u16string(variable);
  if (!isAbsolute(style, home)) return std::nullopt;
  std::u16string path(home);
  for (const std::u16string_view name : fallback)
    path = platform::joinPath(style, path, name);
  return path;
}

std::optional<DataFolders> tryResolve(platform::FileSystem& fs, const FolderEnvironment& env,
                                      const std::u16string& programDir) {
  if (programDir.empty()) return std::nullopt;
  const PathStyle style = fs.style();
  const std::u16string undos = programDir + std::u16string(kUndos);
  if (fs.folderExists(undos) || fs.createFolder(undos))
    return DataFolders{programDir, programDir, programDir + std::u16string(kSettingsFile)};

  // The program folder is read-only: the user's data folder instead.
  const std::optional<std::u16string> base =
      baseFolder(style, env.xdgDataHome, env.home, {u".local", u"share"});
  if (!base) return std::nullopt;
  const std::u16string dataDir = withSeparator(
      style,
      platform::joinPath(style, platform::joinPath(style, *base, u"Brenwick"), u"Tessaline"));
  if (!createFolderChain(fs, dataDir)) return std::nullopt;
  // Not checked: the undo journal tells when it cannot be written.
  fs.createFolder(dataDir + std::u16string(kUndos));
  return DataFolders{programDir, dataDir, dataDir + std::u16string(kSettingsFile)};
}

std::u16string environmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? platform::fromUtf8(value) : std::u16string();
}

std::u16string executablePath() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size())
      return platform::fromUtf8(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

FolderEnvironment processEnvironment() {
  return {executablePath(), environmentValue("HOME"), environmentValue("XDG_DATA_HOME"),
          environmentValue("XDG_CONFIG_HOME")};
}

std::u16string programFolder(PathStyle style, const FolderEnvironment& env) {
  return folderOf(style, env.executablePath);
}

DataFolders resolveFolders(platform::FileSystem& fs, const FolderEnvironment& env) {
  const std::u16string programDir = programFolder(fs.style(), env);
  if (std::optional<DataFolders> folders = tryResolve(fs, env, programDir)) return *folders;
  return {programDir, programDir, programDir + std::u16string(kSettingsFile)};
}

bool applyInstallDir(const KeyStore& keys, PathStyle style, DataFolders& folders) {
  const std::optional<std::u16string> installDir = keys.get(kInstallDirValue);
  // An empty value names no folder; taking it would put the data in "/".
  if (!installDir || installDir->empty()) return false;
  folders.programDir = withSeparator(style, *installDir);
  folders.dataDir = folders.programDir;
  return true;
}

std::optional<std::u16string> keyStorePath(PathStyle style, const FolderEnvironment& env) {
  const std::optional<std::u16string> base =
      baseFolder(style, env.xdgConfigHome, env.home, {u".config"});
  if (!base) return std::nullopt;
  return platform::joinPath(style, platform::joinPath(style, *base, u"Brenwick"),
                            u"tessaline.conf");
}

bool createFolderChain(platform::FileSystem& fs, std::u16string_view folder) {
  const PathStyle style = fs.style();
  // The first separator follows the root ("/") or the drive ("C:"), which
  // exist or cannot be made.
  const std::size_t first = style == PathStyle::Windows ? 3 : 1;
  for (std::size_t i = first; i < folder.size(); ++i) {
    if (folder[i] != platform::separatorOf(style)) continue;
    const std::u16string_view above = folder.substr(0, i);
    if (!fs.folderExists(above)) fs.createFolder(above);
  }
  return fs.folderExists(folder) || fs.createFolder(folder);
}

}  // namespace tessaline::config
