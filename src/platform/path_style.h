#pragma once

#include <string_view>

namespace tessaline::platform {

// How a file system writes paths. Posix: "/" separates, no drive.
// Windows: "\" separates and a drive colon ends the drive part ("C:").
enum class PathStyle { Posix, Windows };

constexpr char16_t separatorOf(PathStyle style) {
  return style == PathStyle::Windows ? u'\\' : u'/';
}

// True for the characters after which a path's last component begins:
// the separator, and on Windows also the drive colon.
constexpr bool isSeparator(PathStyle style, char16_t c) {
  return style == PathStyle::Windows ? (c == u'\\' || c == u':') : c == u'/';
}

// Index of the last separator in path, or npos.
constexpr std::size_t lastSeparator(PathStyle style, std::u16string_view path) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (isSeparator(style, path[i - 1])) return i - 1;
  }
  return std::u16string_view::npos;
}

}  // namespace tessaline::platform
