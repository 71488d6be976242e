#include "config/ini_file.h"

#include <map>
#include <set>

#include "config/text_file.h"
#include "platform/number_text.h"

namespace tessaline::config {
namespace {

bool isBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

char16_t asciiUpper(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool isHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// Index of the first surrogate that is not half of a pair, or npos. Such a
// code unit does not survive the file's UTF-8 as it is: most become U+FFFD,
// and escaped bytes (U+DC80..U+DCFF) may join their neighbours into another
// character.
std::size_t findLoneSurrogate(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
      ++i;
    } else if (isHighSurrogate(text[i]) || isLowSurrogate(text[i])) {
      return i;
    }
  }
  return std::u16string_view::npos;
}

bool isControl(char16_t c) {
  return c < 0x20 || c == 0x7F;
}

// A name is kept by the file when it reads back exactly as it was written.
bool isPlainName(std::u16string_view name) {
  if (!name.empty() && (isBlank(name.front()) || isBlank(name.back()))) return false;
  if (name.find_first_of(u"\r\n") != std::u16string_view::npos) return false;
  return findLoneSurrogate(name) == std::u16string_view::npos;
}

bool needsQuotes(std::u16string_view value) {
  if (value.empty()) return false;
  if (isBlank(value.front()) || isBlank(value.back()) || value.front() == u'"') return true;
  for (const char16_t c : value) {
    if (isControl(c)) return true;
  }
  return findLoneSurrogate(value) != std::u16string_view::npos;
}

// The one-letter escapes of a quoted value: a backslash and "t" stand for a
// tab.
struct Escape {
  char16_t letter;
  char16_t character;
};
constexpr Escape kEscapes[] = {
    {u'\\', u'\\'}, {u'"', u'"'}, {u't', u'\t'}, {u'r', u'\r'}, {u'n', u'\n'},
};

const Escape* escapeOf(char16_t character) {
  for (const Escape& escape : kEscapes) {
    if (escape.character == character) return &escape;
  }
  return nullptr;
}

const Escape* escapeByLetter(char16_t letter) {
  for (const Escape& escape : kEscapes) {
    if (escape.letter == letter) return &escape;
  }
  return nullptr;
}

void appendHexEscape(std::u16string& out, char16_t c) {
  constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  out += u"\\u";
  for (int shift = 12; shift >= 0; shift -= 4)
    out += kDigits[(c >> shift) & 0xF];
}

// The code unit of the four hex digits of a "\uXXXX" escape.
std::optional<char16_t> hexUnit(std::u16string_view digits) {
  if (digits.size() != 4) return std::nullopt;
  unsigned code = 0;
  for (const char16_t c : digits) {
    unsigned digit = 0;
    if (c >= u'0' && c <= u'9') {
      digit = c - u'0';
    } else if (c >= u'A' && c <= u'F') {
      digit = c - u'A' + 10;
    } else if (c >= u'a' && c <= u'f') {
      digit = c - u'a' + 10;
    } else {
      return std::nullopt;
    }
    code = code * 16 + digit;
  }
  return static_cast<char16_t>(code);
}

// The text between the quotes of a quoted value; empty when an escape is
// unknown or cut short, or a quote stands unescaped inside.
std::optional<std::u16string> unquote(std::u16string_view inner) {
  std::u16string out;
  std::size_t i = 0;
  while (i < inner.size()) {
    const char16_t c = inner[i++];
    if (c == u'"') return std::nullopt;
    if (c != u'\\') {
      out += c;
      continue;
    }
    if (i == inner.size()) return std::nullopt;
    const char16_t letter = inner[i++];
    if (letter == u'u') {
      const std::optional<char16_t> unit = hexUnit(inner.substr(i, 4));
      if (!unit) return std::nullopt;
      out += *unit;
      i += 4;
    } else if (const Escape* escape = escapeByLetter(letter)) {
      out += escape->character;
    } else {
      return std::nullopt;
    }
  }
  return out;
}

// The section of that name in sections (const or not); null when none.
template <typename Sections>
auto* findNamed(Sections& sections, std::u16string_view name) {
  decltype(&sections.front()) found = nullptr;
  for (auto& section : sections) {
    if (sameIniName(section.name, name)) {
      found = &section;
      break;
    }
  }
  return found;
}

// Reads the lines of a document; keeps track of which keys each section
// already holds so that a long file is read in one pass.
class Parser {
 public:
  explicit Parser(std::vector<IniFile::Section>& sections) : m_sections(sections) {}

  void line(std::u16string_view text) {
    text = trimIniBlanks(text);
    if (text.empty() || text.front() == u';') return;
    if (text.front() == u'[') {
      openSection(text.substr(1));
    } else {
      addEntry(text);
    }
  }

 private:
  void openSection(std::u16string_view rest) {
    const std::u16string_view name = trimIniBlanks(rest.substr(0, rest.find(u']')));
    m_current = -1;
    if (!isIniSectionName(name)) return;  // its keys are skipped with it
    const auto [it, added] = m_index.try_emplace(foldIniName(name), m_sections.size());
    if (added) m_sections.push_back({std::u16string(name), {}});
    m_current = static_cast<long>(it->second);
  }

  void addEntry(std::u16string_view text) {
    const std::size_t equals = text.find(u'=');
    if (equals == std::u16string_view::npos || m_current < 0) return;
    const std::u16string_view key = trimIniBlanks(text.substr(0, equals));
    if (!isIniKey(key)) return;
    const auto current = static_cast<std::size_t>(m_current);
    if (!m_keys.insert({current, foldIniName(key)}).second) return;  // the first one counts
    m_sections[current].entries.push_back(
        {std::u16string(key), decodeIniValue(text.substr(equals + 1))});
  }

  std::vector<IniFile::Section>& m_sections;
  std::map<std::u16string, std::size_t> m_index;  // folded name -> section
  std::set<std::pair<std::size_t, std::u16string>> m_keys;
  long m_current = -1;
};

}  // namespace

IniFile IniFile::parse(std::string_view bytes) {
  IniFile file;
  Parser parser(file.m_sections);
  for (const std::u16string& line : splitLines(decodeText(bytes)))
    parser.line(line);
  return file;
}

std::string IniFile::toBytes() const {
  std::vector<std::u16string> lines;
  for (const Section& section : m_sections) {
    if (!lines.empty()) lines.emplace_back();
    lines.push_back(u"[" + section.name + u"]");
    for (const Entry& entry : section.entries)
      lines.push_back(entry.key + u"=" + encodeIniValue(entry.value));
  }
  return encodeTextLines(lines);
}

std::optional<std::u16string> IniFile::get(std::u16string_view section,
                                           std::u16string_view key) const {
  const Section* found = findSection(section);
  if (!found) return std::nullopt;
  for (const Entry& entry : found->entries) {
    if (sameIniName(entry.key, key)) return entry.value;
  }
  return std::nullopt;
}

bool IniFile::has(std::u16string_view section, std::u16string_view key) const {
  return get(section, key).has_value();
}

bool IniFile::set(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  if (!isIniSectionName(section) || !isIniKey(key)) return false;
  Section* found = findSection(section);
  if (!found) found = &m_sections.emplace_back(Section{std::u16string(section), {}});
  for (Entry& entry : found->entries) {
    if (sameIniName(entry.key, key)) {
      entry.value = value;
      return true;
    }
  }
  found->entries.push_back({std::u16string(key), std::u16string(value)});
  return true;
}

bool IniFile::remove(std::u16string_view section, std::u16string_view key) {
  Section* found = findSection(section);
  if (!found) return false;
  auto& entries = found->entries;
  for (auto it = entries.begin(); it != entries.end(); ++it) {
    if (sameIniName(it->key, key)) {
      entries.erase(it);
      return true;
    }
  }
  return false;
}

IniFile::Section* IniFile::findSection(std::u16string_view name) {
  return findNamed(m_sections, name);
}

const IniFile::Section* IniFile::findSection(std::u16string_view name) const {
  return findNamed(m_sections, name);
}

bool sameIniName(std::u16string_view first, std::u16string_view second) {
  if (first.size() != second.size()) return false;
  for (std::size_t i = 0; i < first.size(); ++i) {
    if (asciiUpper(first[i]) != asciiUpper(second[i])) return false;
  }
  return true;
}

std::u16string foldIniName(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded)
    c = asciiUpper(c);
  return folded;
}

std::u16string_view trimIniBlanks(std::u16string_view text) {
  while (!text.empty() && isBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

bool isIniSectionName(std::u16string_view name) {
  return isPlainName(name) && name.find(u']') == std::u16string_view::npos;
}

bool isIniKey(std::u16string_view key) {
  return !key.empty() && isPlainName(key) && key.find(u'=') == std::u16string_view::npos &&
         key.front() != u'[' && key.front() != u';';
}

std::u16string encodeIniValue(std::u16string_view value) {
  if (!needsQuotes(value)) return std::u16string(value);
  std::u16string out = u"\"";
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char16_t c = value[i];
    if (isHighSurrogate(c) && i + 1 < value.size() && isLowSurrogate(value[i + 1])) {
      out += c;
      out += value[++i];
    } else if (const Escape* escape = escapeOf(c)) {
      out += u'\\';
      out += escape->letter;
    } else if (isControl(c) || isHighSurrogate(c) || isLowSurrogate(c)) {
      appendHexEscape(out, c);
    } else {
      out += c;
    }
  }
  out += u'"';
  return out;
}

std::u16string decodeIniValue(std::u16string_view text) {
  text = trimIniBlanks(text);
  if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"') {
    if (std::optional<std::u16string> inner = unquote(text.substr(1, text.size() - 2)))
      return std::move(*inner);
  }
  return std::u16string(text);
}

std::optional<std::int64_t> parseIniInteger(std::u16string_view text) {
  return platform::parseDecimal(trimIniBlanks(text));
}

}  // namespace tessaline::config
