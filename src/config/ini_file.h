#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A Windows-style INI document: "[Section]" lines, each followed by
// "key=value" lines. Section and key names compare without regard to ASCII
// letter case; sections and keys keep their order.
namespace tessaline::config {

class IniFile {
 public:
  struct Entry {
    std::u16string key;
    std::u16string value;
  };
  struct Section {
    std::u16string name;
    std::vector<Entry> entries;
  };

  // Reads a document from a file's bytes (byte-order mark rules of
  // decodeText). Never fails: blank lines, comments (";"), lines without "=",
  // keys before the first section and names the file could not hold again are
  // skipped; of a key given twice in a section the first counts, and a
  // section given twice continues the first.
  static IniFile parse(std::string_view bytes);

  // The bytes of the document: UTF-8, CR LF line ends. Values that would not
  // read back as they are (see encodeIniValue) are quoted.
  std::string toBytes() const;

  const std::vector<Section>& sections() const { return m_sections; }

  std::optional<std::u16string> get(std::u16string_view section, std::u16string_view key) const;
  bool has(std::u16string_view section, std::u16string_view key) const;
  // Changes the value of a key in place or adds it at the end of its section
  // (adding the section at the end when needed). Returns false, and changes
  // nothing, for a name the file cannot hold (see isIniKey, isIniSectionName).
  bool set(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  // Removes a key; true when it existed.
  bool remove(std::u16string_view section, std::u16string_view key);

 private:
  Section* findSection(std::u16string_view name);
  const Section* findSection(std::u16string_view name) const;

  std::vector<Section> m_sections;
};

// True when two names are equal, ASCII letters compared without case.
bool sameIniName(std::u16string_view first, std::u16string_view second);
// The name with ASCII letters in upper case: equal for names sameIniName
// finds equal.
std::u16string foldIniName(std::u16string_view name);

// The text without the blanks (spaces and tabs) at either end.
std::u16string_view trimIniBlanks(std::u16string_view text);

// Names a file can hold and give back unchanged: no line break, no lone
// surrogate, no blank (space or tab) at either end; a section name holds no
// "]"; a key is not empty, holds no "=" and does not begin with "[" or ";".
bool isIniSectionName(std::u16string_view name);
bool isIniKey(std::u16string_view key);

// The text written after "key=". Ordinary values are written as they are.
// A value that would not read back unchanged (blanks at either end, a leading
// double quote, a control character such as CR or LF, a lone surrogate) is
// written in double quotes, with "\\", "\"", "\t", "\r", "\n" and "\uXXXX"
// escapes inside.
std::u16string encodeIniValue(std::u16string_view value);

// The value of the text after "key=": blanks at both ends dropped, and a
// quoted value (as encodeIniValue writes it) unquoted. Text that merely
// looks quoted but does not unquote cleanly is taken as it stands.
std::u16string decodeIniValue(std::u16string_view text);

// A whole decimal integer, with an optional sign and blanks around it;
// empty when the text is no number or does not fit in 64 bits.
std::optional<std::int64_t> parseIniInteger(std::u16string_view text);

}  // namespace tessaline::config
