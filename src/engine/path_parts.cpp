#include "engine/path_parts.h"

#include "engine/text_rules.h"

namespace tessaline::engine {

std::u16string_view fileNameOf(platform::PathStyle style, std::u16string_view path) {
  const std::size_t separator = platform::lastSeparator(style, path);
  return separator == std::u16string_view::npos ? path : path.substr(separator + 1);
}

std::u16string_view parentFolderOf(platform::PathStyle style, std::u16string_view path) {
  const std::size_t separator = platform::lastSeparator(style, path);
  return separator == std::u16string_view::npos ? std::u16string_view{}
                                                : path.substr(0, separator + 1);
}

PathView splitPathView(platform::PathStyle style, std::u16string_view path, bool isFolder) {
  PathView parts;
  parts.isFolder = isFolder;
  parts.parentFolder = parentFolderOf(style, path);
  parts.fileName = fileNameOf(style, path);
  if (isFolder) {
    std::u16string_view whole = path;
    if (!whole.empty() && whole.back() == platform::separatorOf(style)) whole.remove_suffix(1);
    parts.baseName = fileNameOf(style, whole);
    return parts;
  }
  const std::size_t dot = parts.fileName.rfind(u'.');
  parts.baseName = parts.fileName.substr(0, dot);
  if (dot != std::u16string_view::npos) parts.extension = parts.fileName.substr(dot);
  return parts;
}

PathParts splitPath(platform::PathStyle style, std::u16string_view path, bool isFolder) {
  const PathView view = splitPathView(style, path, isFolder);
  return {std::u16string(view.parentFolder), std::u16string(view.baseName),
          std::u16string(view.extension), std::u16string(view.fileName), view.isFolder};
}

PathParts splitPath(const platform::FileSystem& fs, std::u16string_view path) {
  const bool isFolder = !path.empty() && fs.folderExists(path);
  return splitPath(fs.style(), path, isFolder);
}

bool isWebpageFolder(std::u16string_view name) {
  const auto endsWith = [name](std::u16string_view tail) {
    return name.size() >= tail.size() && asciiLower(name.substr(name.size() - tail.size())) == tail;
  };
  return endsWith(u".files") || endsWith(u"_files");
}

}  // namespace tessaline::engine
