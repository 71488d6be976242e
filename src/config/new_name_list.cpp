#include "config/new_name_list.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "config/text_file.h"
#include "engine/text_rules.h"

namespace tessaline::config {
namespace {

constexpr std::u16string_view kFileName = u"Newname.txt";

// Equal without regard to letter case, by the same locale-independent upper
// case mapping the name engine uses, so that the list behaves alike
// whatever the user's locale.
bool sameIgnoringCase(std::u16string_view first, std::u16string_view second) {
  if (first.size() != second.size()) return false;
  for (std::size_t i = 0; i < first.size(); ++i) {
    if (engine::unicodeUpper(first[i]) != engine::unicodeUpper(second[i])) return false;
  }
  return true;
}

// The file holds one entry per line, so a text with a line break in it
// would come back as several entries.
bool fitsOnOneLine(std::u16string_view text) {
  return text.find_first_of(u"\r\n") == std::u16string_view::npos;
}

}  // namespace

NewNameList::NewNameList(platform::FileSystem& fs, std::u16string dataDir)
    : m_fs(fs), m_dataDir(std::move(dataDir)) {}

std::u16string NewNameList::filePath() const {
  return platform::joinPath(m_fs.style(), m_dataDir, kFileName);
}

void NewNameList::load() {
  const std::u16string path = filePath();
  if (!m_fs.fileExists(path)) return;
  if (std::optional<std::vector<std::u16string>> lines = readTextLines(m_fs, path))
    m_entries = std::move(*lines);
}

void NewNameList::add(std::u16string_view text, int listnum) {
  if (!fitsOnOneLine(text)) return;
  std::erase_if(m_entries,
                [text](const std::u16string& entry) { return sameIgnoringCase(entry, text); });
  m_entries.insert(m_entries.begin(), std::u16string(text));
  if (listnum <= 0) {
    clear();
    return;
  }
  if (m_entries.size() > static_cast<std::size_t>(listnum)) m_entries.resize(listnum);
  store();
}

void NewNameList::trim(int listnum) {
  const std::size_t limit = static_cast<std::size_t>(std::max(listnum, 0));
  if (m_entries.size() > limit) m_entries.resize(limit);
  store();
}

void NewNameList::clear() {
  m_entries.clear();
  const std::u16string path = filePath();
  if (m_fs.fileExists(path)) m_fs.removeFile(path);
}

int NewNameList::saveEdited(const std::vector<std::u16string>& lines) {
  // Empty lines go, lines of blanks stay. A line holding a line break is
  // split, so that the count is the number of lines the file gets.
  std::vector<std::u16string> kept;
  for (const std::u16string& line : lines) {
    for (std::u16string& part : splitLines(line)) {
      if (!part.empty()) kept.push_back(std::move(part));
    }
  }
  if (kept.empty()) {
    clear();
    return 0;
  }
  m_entries = std::move(kept);
  store();
  return static_cast<int>(m_entries.size());
}

void NewNameList::store() {
  m_fs.writeFile(filePath(), encodeTextLines(m_entries));
}

}  // namespace tessaline::config
