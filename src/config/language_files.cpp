#include "config/language_files.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "config/text_file.h"

namespace tessaline::config {
namespace {

// Header lines examined when looking for a language, and by the language list.
constexpr std::size_t kHeaderLines = 8;
constexpr std::size_t kListHeaderLines = 7;

constexpr std::u16string_view kLanguageKey = u"Language=";
constexpr std::u16string_view kLangIdKey = u"LangID=";

// The files (not folders) of the Languages folder, sorted by name so that the
// first match does not depend on the order the file system lists them in.
// Empty when the folder does not exist or cannot be read.
std::vector<std::u16string> languageFilePaths(const platform::FileSystem& fs,
                                              std::u16string_view languagesDir) {
  if (!fs.folderExists(languagesDir)) return {};
  const auto entries = platform::listFolder(fs, languagesDir);
  if (!entries) return {};
  std::vector<std::u16string> names;
  for (const platform::DirEntry& entry : *entries) {
    if (!entry.info.folder) names.push_back(entry.name);
  }
  std::sort(names.begin(), names.end());
  std::vector<std::u16string> paths;
  paths.reserve(names.size());
  for (const std::u16string& name : names)
    paths.push_back(platform::joinPath(fs.style(), languagesDir, name));
  return paths;
}

// A header line naming the language id: "LangID=" somewhere, and the id
// right after an "=" and ended by ";" or the end of the line.
bool namesId(std::u16string_view line, std::u16string_view id) {
  if (line.find(kLangIdKey) == std::u16string_view::npos) return false;
  std::u16string terminated(line);
  terminated += u';';
  std::u16string wanted = u"=";
  wanted += id;
  wanted += u';';
  return terminated.find(wanted) != std::u16string::npos;
}

// A header line naming the language: "Language=" and the name anywhere in it,
// so that "Chinese" finds "Language=Chinese (Simplified)".
bool namesLanguage(std::u16string_view line, std::u16string_view name) {
  return line.find(kLanguageKey) != std::u16string_view::npos &&
         line.find(name) != std::u16string_view::npos;
}

bool headerMatches(const std::vector<std::u16string>& lines, std::u16string_view name,
                   std::u16string_view id) {
  const std::size_t count = std::min(lines.size(), kHeaderLines);
  for (std::size_t i = 0; i < count; ++i) {
    if (!id.empty() && namesId(lines[i], id)) return true;
    if (!name.empty() && namesLanguage(lines[i], name)) return true;
  }
  return false;
}

// The language name of a file's header: the rest of the first of its first
// seven lines that begins with "Language=".
std::optional<std::u16string> listedName(const std::vector<std::u16string>& lines) {
  const std::size_t count = std::min(lines.size(), kListHeaderLines);
  for (std::size_t i = 0; i < count; ++i) {
    if (lines[i].starts_with(kLanguageKey)) return lines[i].substr(kLanguageKey.size());
  }
  return std::nullopt;
}

}  // namespace

bool findLanguageFile(const platform::FileSystem& fs, std::u16string_view languagesDir,
                      std::u16string_view name, std::u16string_view id, LanguageTable& table) {
  for (const std::u16string& path : languageFilePaths(fs, languagesDir)) {
    // A file that cannot be read is passed over; the table keeps what it had.
    std::optional<std::vector<std::u16string>> lines = readTextLines(fs, path);
    if (!lines) continue;
    table.assign(*std::move(lines));
    if (headerMatches(table.lines(), name, id)) return true;
  }
  return false;
}

std::vector<std::u16string> languageList(const platform::FileSystem& fs,
                                         std::u16string_view languagesDir) {
  std::vector<std::u16string> names;
  for (const std::u16string& path : languageFilePaths(fs, languagesDir)) {
    const std::optional<std::vector<std::u16string>> lines = readTextLines(fs, path);
    if (!lines) continue;
    if (std::optional<std::u16string> language = listedName(*lines)) {
      names.push_back(*std::move(language));
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

void chooseLanguage(const platform::FileSystem& fs, const platform::Locale& locale,
                    std::u16string_view languagesDir, std::u16string_view languageSetting,
                    bool directEdit, LanguageTable& table, LanguageHost& host) {
  if (languageSetting.empty()) {
    // The system's language: no file for it is normal, so no message.
    const std::u16string id = locale.defaultLanguageId();
    if (!findLanguageFile(fs, languagesDir, u"", id, table)) table.useBuiltin();
  } else if (!findLanguageFile(fs, languagesDir, languageSetting, u"", table)) {
    table.useBuiltin();
    host.showStatus(std::u16string(languageSetting) + u" Language file is lost!");
  }
  host.applyMainWindowTexts();
  if (!directEdit) host.applyOtherWindowTextsLater();
}

}  // namespace tessaline::config
