#pragma once

#include <cstdint>
#include <functional>
#include <memory>
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

// How much enumerate() must find out about each entry.
enum class EntryDetail {
  Full,   // everything in EntryInfo
  Kinds,  // folder, hidden, system and symlink only; size and time may be
          // left out, which saves a stat of every entry on POSIX
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

// A file opened for appending, for journals that must hold every record
// written so far even when the program is killed.
class AppendFile {
 public:
  virtual ~AppendFile() = default;
  // Appends bytes at the end; true when all of them were written.
  virtual bool append(std::string_view bytes) = 0;
  // Cuts the file back to size bytes.
  virtual bool truncate(std::uint64_t size) = 0;
  virtual std::uint64_t size() const = 0;
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
  virtual bool enumerate(std::u16string_view folder, const Visitor& visit,
                         EntryDetail detail = EntryDetail::Full) const = 0;

  // The entry of exactly this path (a link is not followed, except to tell
  // whether it names a folder); empty when there is none or it cannot be read.
  virtual std::optional<EntryInfo> stat(std::u16string_view path) const = 0;

  // True when a file, folder or link of that path exists.
  virtual bool exists(std::u16string_view path) const = 0;
  virtual bool folderExists(std::u16string_view path) const = 0;
  virtual bool fileExists(std::u16string_view path) const = 0;

  // True when both paths name the same existing item, as two spellings of
  // one name do on a case-insensitive file system.
  virtual bool isSameItem(std::u16string_view first, std::u16string_view second) const = 0;

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

  // Opens a file for appending, creating it (and leaving an existing one as
  // it is); empty when it cannot be opened.
  virtual std::unique_ptr<AppendFile> openAppend(std::u16string_view path) = 0;

  // Moves one of the program's own files over another, replacing it. Only
  // for the program's own files: a user's item is never replaced.
  virtual bool replaceOwnFile(std::u16string_view from, std::u16string_view to) = 0;

  // Makes a file read-only (no one may write it) or writable by its owner
  // again; true on success.
  virtual bool setReadOnly(std::u16string_view path, bool readOnly) = 0;
  virtual bool isReadOnly(std::u16string_view path) const = 0;
};

// All entries of a folder in file-system order; empty when it cannot be read.
std::optional<std::vector<DirEntry>> listFolder(const FileSystem& fs, std::u16string_view folder,
                                                EntryDetail detail = EntryDetail::Full);

// folder + name with exactly one separator between them.
std::u16string joinPath(PathStyle style, std::u16string_view folder, std::u16string_view name);

}  // namespace tessaline::platform
