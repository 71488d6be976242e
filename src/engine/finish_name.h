#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/language_table.h"
#include "platform/file_system.h"
#include "platform/messages.h"

namespace tessaline::engine {

// A finished new name, or a rejected one (the user has been told why).
struct FinishResult {
  bool finished = false;
  std::u16string newFileName;
  std::u16string newPath;
  std::u16string cleanBase;  // the base name after cleaning, before numbering
  int number = 0;            // the "(n)" used against existing names; 0 for none
};

// How a new name is numbered against the items of its folder.
enum class Numbering {
  CheckExisting,  // "(1)", "(2)", ... while an item of the name exists
  // The name is taken as free without asking the file system, for a caller
  // that renames without replacing and finishes the name again (checking)
  // when the rename finds the name taken. A name that would be refused
  // unnumbered is still finished with the check, so the outcome is the same.
  AssumeFree,
};

// Cleans base (leading spaces and dots), numbers it against the items of
// folder, and refuses reserved and over-long names with a message.
FinishResult finishName(const platform::FileSystem& fs, platform::Messages& messages,
                        const config::LanguageTable& language, std::u16string_view path,
                        std::u16string_view folder, std::u16string_view base,
                        std::u16string_view ext, Numbering numbering = Numbering::CheckExisting);

// The new file name a preview row shows, numbered against the names already
// planned in the preview (which the disk cannot show yet).
std::u16string previewNumbering(std::u16string newFileName, std::u16string_view cleanBase,
                                std::u16string_view ext, int number,
                                const std::vector<std::u16string>& plannedNames,
                                std::u16string_view folder, bool includeSubfolders);

}  // namespace tessaline::engine
