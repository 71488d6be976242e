#pragma once

#include <string>
#include <string_view>

#include "engine/item_result.h"
#include "engine/rename_job.h"
#include "engine/text_expander.h"

namespace tessaline::engine {

// The names the change edit works on. A case conversion that includes the
// extension replaces base and oldBase by the file name and empties ext.
struct ChangeNames {
  std::u16string base;
  std::u16string oldBase;
  std::u16string ext;
};

// The edit of EditMode "Changnew". fileName is the item's whole file name.
void changeEdit(const RenameJob& job, std::u16string_view fileName, ChangeNames& names,
                TextExpander& expander);

// Raises the first letter of every word (never lowers a letter); with
// excludeSmallWords, small words such as "of" and "the" stay lower case.
std::u16string capitalizeWords(std::u16string_view text, bool excludeSmallWords);

// The edit of EditMode "Changexten" for a file: Unchanged or NewName(base, new
// extension).
ItemResult extensionEdit(const RenameJob& job, std::u16string_view base, std::u16string_view ext);

}  // namespace tessaline::engine
