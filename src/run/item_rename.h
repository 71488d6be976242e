#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tessaline::run {

// The outcome of renaming one item.
struct ItemRename {
  platform::RenameStatus status = platform::RenameStatus::Failed;
  // Set when a case-only rename went half way: the item could neither take
  // its new name nor get its old one back and is left under this temporary
  // name in its folder.
  std::u16string strandedAt;
};

// Renames from to to without replacing anything. A new name that differs
// only in case, which a case-insensitive file system reports as taken by the
// item itself, is reached through a temporary name in the same folder. A
// path renamed to itself is left alone and counts as renamed when it exists.
ItemRename renameItem(platform::FileSystem& fs, std::u16string_view from, std::u16string_view to);

}  // namespace tessaline::run
