#include "platform/file_system.h"

namespace tessaline::platform {

std::optional<std::vector<DirEntry>> listFolder(const FileSystem& fs, std::u16string_view folder,
                                                EntryDetail detail) {
  std::vector<DirEntry> entries;
  const bool ok = fs.enumerate(
      folder,
      [&entries](const DirEntry& entry) {
        entries.push_back(entry);
        return true;
      },
      detail);
  if (!ok) return std::nullopt;
  return entries;
}

std::u16string joinPath(PathStyle style, std::u16string_view folder, std::u16string_view name) {
  std::u16string path(folder);
  const char16_t separator = separatorOf(style);
  if (!path.empty() && path.back() != separator) path.push_back(separator);
  path += name;
  return path;
}

}  // namespace tessaline::platform
