#include "config/key_store.h"

#include <algorithm>
#include <set>

#include "config/data_folders.h"
#include "config/ini_file.h"
#include "config/text_file.h"

namespace tessaline::config {
namespace {

using Values = std::vector<std::pair<std::u16string, std::u16string>>;

Values::iterator findValue(Values& values, std::u16string_view name) {
  return std::find_if(values.begin(), values.end(),
                      [name](const auto& value) { return sameIniName(value.first, name); });
}

Values::const_iterator findValue(const Values& values, std::u16string_view name) {
  return std::find_if(values.begin(), values.end(),
                      [name](const auto& value) { return sameIniName(value.first, name); });
}

// Sets or adds a value; false for a name a file could not hold.
bool setValue(Values& values, std::u16string_view name, std::u16string_view value) {
  if (!isIniKey(name)) return false;
  const auto it = findValue(values, name);
  if (it != values.end()) {
    it->second = value;
  } else {
    values.emplace_back(name, value);
  }
  return true;
}

}  // namespace

Values parseKeyStore(std::string_view bytes) {
  Values values;
  std::set<std::u16string> seen;
  for (const std::u16string& raw : splitLines(decodeText(bytes))) {
    const std::u16string_view line = trimIniBlanks(raw);
    if (line.empty() || line.front() == u'#' || line.front() == u';') continue;
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) continue;
    const std::u16string_view name = trimIniBlanks(line.substr(0, equals));
    if (!isIniKey(name) || !seen.insert(foldIniName(name)).second) continue;
    values.emplace_back(name, decodeIniValue(line.substr(equals + 1)));
  }
  return values;
}

// ---------------------------------------------------------------------------

FileKeyStore::FileKeyStore(platform::FileSystem& fs, std::u16string path)
    : m_fs(fs), m_path(std::move(path)) {}

std::optional<std::u16string> FileKeyStore::get(std::u16string_view name) const {
  const std::optional<Values> values = read();
  if (!values) return std::nullopt;
  const auto it = findValue(*values, name);
  if (it == values->end()) return std::nullopt;
  return it->second;
}

bool FileKeyStore::set(std::u16string_view name, std::u16string_view value) {
  std::optional<Values> values = read();
  return values && setValue(*values, name, value) && write(*values);
}

bool FileKeyStore::remove(std::u16string_view name) {
  std::optional<Values> values = read();
  if (!values) return false;
  const auto it = findValue(*values, name);
  if (it == values->end()) return true;
  values->erase(it);
  return write(*values);
}

std::optional<Values> FileKeyStore::read() const {
  if (!m_fs.fileExists(m_path)) return Values{};
  // A file that exists but cannot be read is not overwritten by a change:
  // the values it holds would be lost.
  const std::optional<std::string> bytes = m_fs.readFile(m_path);
  if (!bytes) return std::nullopt;
  return parseKeyStore(*bytes);
}

bool FileKeyStore::write(const Values& values) {
  std::vector<std::u16string> lines;
  for (const auto& [name, value] : values)
    lines.push_back(name + u"=" + encodeIniValue(value));
  const std::size_t split = platform::lastSeparator(m_fs.style(), m_path);
  if (split != std::u16string::npos && !createFolderChain(m_fs, m_path.substr(0, split + 1)))
    return false;
  return m_fs.writeFile(m_path, encodeTextLines(lines));
}

// ---------------------------------------------------------------------------

std::optional<std::u16string> MemoryKeyStore::get(std::u16string_view name) const {
  const auto it = findValue(m_values, name);
  if (it == m_values.end()) return std::nullopt;
  return it->second;
}

bool MemoryKeyStore::set(std::u16string_view name, std::u16string_view value) {
  return setValue(m_values, name, value);
}

bool MemoryKeyStore::remove(std::u16string_view name) {
  const auto it = findValue(m_values, name);
  if (it != m_values.end()) m_values.erase(it);
  return true;
}

}  // namespace tessaline::config
