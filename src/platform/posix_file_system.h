#pragma once

#include <string>

#include "platform/file_system.h"

namespace tessaline::platform {

// The real file system of a POSIX system. Names are decoded from their bytes
// with the escape of utf.h, so any name on disk can be named again exactly.
class PosixFileSystem : public FileSystem {
 public:
  PosixFileSystem() = default;
  ~PosixFileSystem() override;
  PosixFileSystem(const PosixFileSystem&) = delete;
  PosixFileSystem& operator=(const PosixFileSystem&) = delete;

  PathStyle style() const override { return PathStyle::Posix; }
  bool enumerate(std::u16string_view folder, const Visitor& visit,
                 EntryDetail detail = EntryDetail::Full) const override;
  std::optional<EntryInfo> stat(std::u16string_view path) const override;
  bool exists(std::u16string_view path) const override;
  bool folderExists(std::u16string_view path) const override;
  bool fileExists(std::u16string_view path) const override;
  bool isSameItem(std::u16string_view first, std::u16string_view second) const override;
  RenameStatus rename(std::u16string_view from, std::u16string_view to) override;
  bool createFolder(std::u16string_view path) override;
  std::optional<std::string> readFile(std::u16string_view path) const override;
  bool writeFile(std::u16string_view path, std::string_view bytes) override;
  bool removeFile(std::u16string_view path) override;
  std::unique_ptr<AppendFile> openAppend(std::u16string_view path) override;
  bool replaceOwnFile(std::u16string_view from, std::u16string_view to) override;
  bool setReadOnly(std::u16string_view path, bool readOnly) override;
  bool isReadOnly(std::u16string_view path) const override;

 private:
  int sharedFolderFd(const std::string& from, const std::string& to) const;
  void forgetFolder() const;

  mutable std::string m_folder;  // the folder m_folderFd holds, ending with "/"
  mutable int m_folderFd = -1;
};

// The no-replace rename that PosixFileSystem::rename falls back on when the
// file system refuses renameat2(RENAME_NOREPLACE): link + unlink for files, a
// rename after checking that the target is absent for folders. Declared here
// so that tests can run it on file systems that do support the flag.
RenameStatus renameWithoutReplacingFallback(std::u16string_view from, std::u16string_view to);

}  // namespace tessaline::platform
