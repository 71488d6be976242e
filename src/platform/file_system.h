#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/local_time.h"
#include "platform/path_style.h"

namespace tessaline::platform {

// What a directory entry tells about one item, read without opening it.
struct EntryInfo {
  bool folder = false;                 // a folder, or a symbolic link to one
  bool hidden = false;                 // POSIX: the name begins with "."
  bool system = false;                 // never set on POSIX
  bool symlink = false;                // the entry itself is a symbolic link
  std::uint64_t size = 0;              // bytes; 0 for folders
  std::optional<LocalTime> lastWrite;  // local time; empty when unknown
};

struct DirEntry {
  std::u16string name;
  EntryInfo info;
};

enum class RenameStatus {
  Renamed,
  TargetExists,   // an item of the new name exists; nothing was changed
  SourceMissing,  // the item to rename does not exist
  Failed,         // any other failure (rights, cross-device, bad name, ...)
};

// The file system as the core sees it. Paths are full paths in the style the
// implementation reports; folder paths may end with the separator.
class FileSystem {
 public:
  using Visitor = std::function<bool(const DirEntry&)>;

  virtual ~FileSystem() = default;

  virtual PathStyle style() const = 0;

  // Calls visit for each entry of folder ("." and ".." left out) in the order
  // the file system returns them, until visit returns false. Returns false
  // when the folder cannot be read.
  virtual bool enumerate(std::u16string_view folder, const Visitor& visit) const = 0;

  // The entry of exactly this path (a link is not followed, except to tell
  // whether it names a folder); empty when there is none or it cannot be read.
  virtual std::optional<EntryInfo> stat(std::u16string_view path) const = 0;

  // True when a file, folder or link of that path exists.
  virtual bool exists(std::u16string_view path) const = 0;
  virtual bool folderExists(std::u16string_view path) const = 0;
  virtual bool fileExists(std::u16string_view path) const = 0;

  // Renames (moves) an item. Never replaces an existing item.
  virtual RenameStatus rename(std::u16string_view from, std::u16string_view to) = 0;

  // Creates one folder; true when it exists afterwards.
  virtual bool createFolder(std::u16string_view path) = 0;

  // The whole content of a file; empty when it cannot be read.
  virtual std::optional<std::string> readFile(std::u16string_view path) const = 0;

  // Writes a whole file: to a temporary file in the same folder first, then
  // renamed into place, so a reader never sees half of it.
  virtual bool writeFile(std::u16string_view path, std::string_view bytes) = 0;

  // Deletes a file (not a folder).
  virtual bool removeFile(std::u16string_view path) = 0;
};

// All entries of a folder in file-system order; empty when it cannot be read.
std::optional<std::vector<DirEntry>> listFolder(const FileSystem& fs, std::u16string_view folder);

// folder + name with exactly one separator between them.
std::u16string joinPath(PathStyle style, std::u16string_view folder, std::u16string_view name);

}  // namespace tessaline::platform
