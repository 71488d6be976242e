#include "run/item_rename.h"

#include <string>

#include "engine/path_parts.h"
#include "platform/number_text.h"
#include "platform/utf.h"

namespace tessaline::run {
namespace {

using platform::RenameStatus;

constexpr unsigned kTemporaryNameTries = 1000;

// A name in folder that no item has, ".tessaline-<n>.tmp"; empty when none
// of the first ones is free.
std::u16string freeTemporaryPath(const platform::FileSystem& fs, std::u16string_view folder) {
  for (unsigned n = 0; n < kTemporaryNameTries; ++n) {
    std::u16string path(folder);
    path += u".tessaline-" + platform::decimalText(n) + u".tmp";
    if (!fs.exists(path)) return path;
  }
  return {};
}

// from and to name the same item: move it aside, then to its new name.
ItemRename renameThroughTemporary(platform::FileSystem& fs, std::u16string_view from,
                                  std::u16string_view to) {
  const std::u16string temporary = freeTemporaryPath(fs, engine::parentFolderOf(fs.style(), from));
  if (temporary.empty()) return {RenameStatus::Failed, {}};
  const RenameStatus aside = fs.rename(from, temporary);
  if (aside != RenameStatus::Renamed) {
    return {aside == RenameStatus::SourceMissing ? aside : RenameStatus::Failed, {}};
  }
  if (fs.rename(temporary, to) == RenameStatus::Renamed) return {RenameStatus::Renamed, {}};
  if (fs.rename(temporary, from) == RenameStatus::Renamed) return {RenameStatus::Failed, {}};
  return {RenameStatus::Failed, temporary};
}

}  // namespace

ItemRename renameItem(platform::FileSystem& fs, std::u16string_view from, std::u16string_view to) {
  if (from == to) {
    return {fs.exists(from) ? RenameStatus::Renamed : RenameStatus::SourceMissing, {}};
  }
  const RenameStatus status = fs.rename(from, to);
  if (status != RenameStatus::TargetExists || !fs.isSameItem(from, to)) return {status, {}};
  return renameThroughTemporary(fs, from, to);
}

}  // namespace tessaline::run
