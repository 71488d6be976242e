#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace tessaline::config {

// The texts the user typed as new parts of names, newest first, stored in
// DataDir + "Newname.txt". Entries that differ only in letter case count as
// the same entry.
class NewNameList {
 public:
  // dataDir ends with the separator; listnum is the "Listnum" setting.
  NewNameList(platform::FileSystem& fs, std::u16string dataDir);

  const std::vector<std::u16string>& entries() const { return m_entries; }
  std::u16string filePath() const;

  // Reads Newname.txt when it exists; otherwise the list keeps what it holds.
  void load();
  // Puts text on top (dropping equal entries), keeps at most listnum entries
  // and stores the list; listnum 0 keeps no list and removes the file.
  void add(std::u16string_view text, int listnum);
  // Drops entries from the end until at most listnum remain and stores the list.
  void trim(int listnum);
  // Empties the list and deletes the file.
  void clear();
  // The list editor's Save: empty lines dropped, the rest stored (no lines:
  // the file is deleted). Returns the number of lines kept.
  int saveEdited(const std::vector<std::u16string>& lines);

 private:
  void store();

  platform::FileSystem& m_fs;
  std::u16string m_dataDir;
  std::vector<std::u16string> m_entries;
};

}  // namespace tessaline::config
