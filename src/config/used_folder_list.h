#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings_store.h"

namespace tessaline::config {

// The folders renamed in, most recent first: the entries of the main
// window's folder box. Entries compare exactly (letter case counts). The
// list is not limited while the program runs; at most "Foldernum" entries
// are read at start and stored at exit.
class UsedFolderList {
 public:
  const std::vector<std::u16string>& entries() const { return m_entries; }
  bool empty() const { return m_entries.empty(); }

  // Fills an empty list from the stored folders (at most foldernum); a list
  // that already has entries stays as it is.
  void load(const SettingsStore& store, int foldernum);

  // Puts folder at position 0. An equal entry further down is moved rather
  // than repeated: the first one found searching from the end upwards.
  void promote(std::u16string_view folder);

  // Removes the entry at index (nothing when there is none).
  void removeAt(std::size_t index);
  void clear() { m_entries.clear(); }

 private:
  std::vector<std::u16string> m_entries;
};

}  // namespace tessaline::config
