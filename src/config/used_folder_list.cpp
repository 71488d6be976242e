#include "config/used_folder_list.h"

namespace tessaline::config {

void UsedFolderList::load(const SettingsStore& store, int foldernum) {
  if (m_entries.empty()) m_entries = store.readFolders(foldernum);
}

void UsedFolderList::promote(std::u16string_view folder) {
  if (!m_entries.empty() && m_entries.front() == folder) return;
  // Only the first equal entry found from the end is removed: the box
  // normally holds each folder once.
  for (std::size_t i = m_entries.size(); i > 1; --i) {
    if (m_entries[i - 1] == folder) {
      m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(i - 1));
      break;
    }
  }
  m_entries.insert(m_entries.begin(), std::u16string(folder));
}

void UsedFolderList::removeAt(std::size_t index) {
  if (index < m_entries.size())
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace tessaline::config
