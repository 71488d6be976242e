#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/file_system.h"

namespace tessaline::platform {

// A file system held in memory, for tests, fuzzers and benchmarks. In Windows
// style paths look like "C:\dir\file.txt" and names compare without regard to
// case (as on NTFS); in POSIX style they look like "/dir/file.txt" and compare
// exactly. Entries are listed in the order they were created; a renamed entry
// keeps its place. Faults can be injected per path.
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

  // Counts how often rename() was called, for tests of what a run touched.
  int renameCalls() const { return m_renameCalls; }

  PathStyle style() const override { return m_style; }
  bool enumerate(std::u16string_view folder, const Visitor& visit) const override;
  std::optional<EntryInfo> stat(std::u16string_view path) const override;
  bool exists(std::u16string_view path) const override;
  bool folderExists(std::u16string_view path) const override;
  bool fileExists(std::u16string_view path) const override;
  RenameStatus rename(std::u16string_view from, std::u16string_view to) override;
  bool createFolder(std::u16string_view path) override;
  std::optional<std::string> readFile(std::u16string_view path) const override;
  bool writeFile(std::u16string_view path, std::string_view bytes) override;
  bool removeFile(std::u16string_view path) override;

 private:
  struct Node;
  Node* find(std::u16string_view path) const;
  Node* ensureFolder(std::u16string_view path);
  Node* addNode(std::u16string_view path, bool folder);
  std::u16string keyOf(std::u16string_view name) const;

  PathStyle m_style;
  bool m_caseSensitive;
  std::unique_ptr<Node> m_root;
  std::set<std::u16string> m_failRename, m_failEnumerate, m_failWrite, m_failStat;
  int m_renameCalls = 0;
};

}  // namespace tessaline::platform
