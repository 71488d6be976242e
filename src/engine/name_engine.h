#pragma once

#include <cstdint>
#include <string_view>

#include "config/language_table.h"
#include "engine/finish_name.h"
#include "engine/item_result.h"
#include "engine/name_symbols.h"
#include "engine/rename_job.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/messages.h"

namespace tessaline::engine {

// The name pipeline: the new name of one item from its path and the job.
ItemResult computeNewName(const RenameJob& job, std::u16string_view path,
                          const platform::FileSystem& fs, SpecialStrings& specials);

// The same for an item whose kind the caller already knows (a folder walk
// reads it from the directory entry), which saves asking the file system.
ItemResult computeNewName(const RenameJob& job, std::u16string_view path, bool isFolder,
                          const platform::FileSystem& fs, SpecialStrings& specials);

// The name engine with its services: what a run, a preview or a dialog uses to
// compute, finish and check new names.
class NameEngine {
 public:
  NameEngine(const platform::FileSystem& fs, const platform::Locale& locale,
             platform::Messages& messages, const config::LanguageTable& language,
             std::int64_t randomSeed);

  ItemResult computeNewName(const RenameJob& job, std::u16string_view path);
  ItemResult computeNewName(const RenameJob& job, std::u16string_view path, bool isFolder);
  FinishResult finishName(std::u16string_view path, std::u16string_view folder,
                          std::u16string_view base, std::u16string_view ext,
                          Numbering numbering = Numbering::CheckExisting);
  bool checkNameText(std::u16string_view text, bool useSpecialStrings);
  bool checkRandomSpecs(std::u16string_view text);

  SpecialStrings& specials() { return m_specials; }

 private:
  const platform::FileSystem& m_fs;
  platform::Messages& m_messages;
  const config::LanguageTable& m_language;
  SpecialStrings m_specials;
};

}  // namespace tessaline::engine
