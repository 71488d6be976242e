#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tessaline::engine {

// The parts of an item path. A folder's whole name is its base name.
struct PathParts {
  std::u16string parentFolder;  // up to and including the last separator
  std::u16string baseName;
  std::u16string extension;  // from the last dot on, dot included
  std::u16string fileName;   // after the last separator
  bool isFolder = false;
};

// The same parts as views into the path they were split from.
struct PathView {
  std::u16string_view parentFolder;
  std::u16string_view baseName;
  std::u16string_view extension;
  std::u16string_view fileName;
  bool isFolder = false;
};

// Splits path without copying it; the views live as long as path does.
PathView splitPathView(platform::PathStyle style, std::u16string_view path, bool isFolder);

// Splits path; isFolder tells whether it names an existing folder.
PathParts splitPath(platform::PathStyle style, std::u16string_view path, bool isFolder);

// Splits path, asking the file system whether it names an existing folder.
PathParts splitPath(const platform::FileSystem& fs, std::u16string_view path);

// The text after the last separator (or drive colon) of path.
std::u16string_view fileNameOf(platform::PathStyle style, std::u16string_view path);

// The text up to and including the last separator (or drive colon) of path.
std::u16string_view parentFolderOf(platform::PathStyle style, std::u16string_view path);

// True for a folder that holds the parts of a saved web page: its name ends
// in ".files" or "_files" (ASCII case ignored).
bool isWebpageFolder(std::u16string_view name);

}  // namespace tessaline::engine
