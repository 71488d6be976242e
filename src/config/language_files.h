#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/language_table.h"
#include "platform/file_system.h"
#include "platform/locale.h"

// Finding and choosing the language file of the Languages folder.
namespace tessaline::config {

// Looks through the files of languagesDir (sorted by name) for one whose
// header names the language (name) or the Windows language id (id); exactly
// one of the two is non-empty. table holds the lines of the last file read.
bool findLanguageFile(const platform::FileSystem& fs, std::u16string_view languagesDir,
                      std::u16string_view name, std::u16string_view id, LanguageTable& table);

// The language names offered by the options dialog, sorted.
std::vector<std::u16string> languageList(const platform::FileSystem& fs,
                                         std::u16string_view languagesDir);

// What choosing a language does to the windows.
class LanguageHost {
 public:
  virtual ~LanguageHost() = default;
  // Status bar panel 0 of the main window.
  virtual void showStatus(std::u16string_view text) = 0;
  virtual void applyMainWindowTexts() = 0;
  // About a second later: the editor, the special string dialog and the
  // options dialog apply their texts, the editor takes its button pictures.
  virtual void applyOtherWindowTextsLater() = 0;
};

// Chooses the language of the Language setting (the system's language when it
// is empty), falling back to the built-in English table.
void chooseLanguage(const platform::FileSystem& fs, const platform::Locale& locale,
                    std::u16string_view languagesDir, std::u16string_view languageSetting,
                    bool directEdit, LanguageTable& table, LanguageHost& host);

}  // namespace tessaline::config
