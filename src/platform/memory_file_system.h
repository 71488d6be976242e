#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tessaline::platform {

// A file system held in memory, for tests, fuzzers and benchmarks. In Windows
// style paths look like "C:\dir\file.txt" and names compare without regard to
// case (as on NTFS); in POSIX style they look like "/dir/file.txt" and compare
// exactly. Entries are listed in the order they were created; a renamed entry
// keeps its place (one moved to another folder comes last there). Faults can
// be injected per path.
//
// Misuse while setting up (a relative path, a file where a folder is needed,
// a flag on a missing item) throws std::invalid_argument. A file added by
// addFile() with a size above 0 has no content: readFile() fails on it. In
// POSIX style a name beginning with "." is hidden, as on a real POSIX system.
class MemoryFileSystem : public FileSystem {
 public:
  explicit MemoryFileSystem(PathStyle style = PathStyle::Windows);
  MemoryFileSystem(PathStyle style, bool caseSensitive);
  ~MemoryFileSystem() override;

  // Setting up: parent folders (and the drive root) are created as needed.
  void addFolder(std::u16string_view path, LocalTime lastWrite = {});
  void addFile(std::u16string_view path, std::uint64_t size = 0, LocalTime lastWrite = {});
  void addFileWithContent(std::u16string_view path, std::string content, LocalTime lastWrite = {});
  void setHidden(std::u16string_view path, bool hidden);
  void setSystem(std::u16string_view path, bool system);

  // Fault injection: the operation on exactly this path fails from now on.
  void failRename(std::u16string_view from);
  void failEnumerate(std::u16string_view folder);
  void failWrite(std::u16string_view path);
  void failStat(std::u16string_view path);

  // Makes a rename that changes only the case of a name fail with
  // TargetExists, as renameat2(RENAME_NOREPLACE) does on a case-insensitive
  // file system mounted on Linux. Only for case-insensitive file systems.
  void refuseCaseOnlyRenames(bool refuse) { m_refuseCaseOnly = refuse; }

  // Counts how often rename() was called, for tests of what a run touched.
  int renameCalls() const { return m_renameCalls; }

  PathStyle style() const override { return m_style; }
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
  struct Node;
  // The components of an absolute path (the drive first in Windows style).
  using Parts = std::vector<std::u16string_view>;

  Node* find(std::u16string_view path) const;
  Node* ensureFolder(std::u16string_view path);
  Node* addNode(std::u16string_view path, bool folder);
  std::u16string keyOf(std::u16string_view name) const;
  void foldInto(std::u16string& key, std::u16string_view name, bool drive) const;
  std::optional<Parts> split(std::u16string_view path) const;
  Node* walk(const Parts& parts, std::size_t count) const;
  std::u16string componentKey(const Parts& parts, std::size_t i) const;
  bool isRootLevel(const Parts& parts) const;
  bool isRoot(const Node& node) const;
  std::u16string pathKey(std::u16string_view path) const;
  bool injected(const std::set<std::u16string>& faults, std::u16string_view path) const;
  EntryInfo infoOf(const Node& node) const;

  PathStyle m_style;
  bool m_caseSensitive;
  std::unique_ptr<Node> m_root;
  std::set<std::u16string> m_failRename, m_failEnumerate, m_failWrite, m_failStat;
  int m_renameCalls = 0;
  bool m_refuseCaseOnly = false;
  mutable std::u16string m_keyBuffer;  // reused by find(); the class is not thread-safe
};

}  // namespace tessaline::platform
