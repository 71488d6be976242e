#include "engine/name_engine.h"

#include "engine/change_edit.h"
#include "engine/insert_edit.h"
#include "engine/name_checks.h"
#include "engine/path_parts.h"
#include "engine/remove_edit.h"
#include "engine/replace_edit.h"

namespace tessaline::engine {

namespace {

ItemResult decide(std::u16string base, std::u16string_view oldBase, std::u16string ext) {
  if (base.empty()) return ItemResult::emptyName();
  // Exact comparison: a change of case alone is a new name.
  if (base != oldBase) return ItemResult::newName(std::move(base), std::move(ext));
  return ItemResult::unchanged();
}

}  // namespace

ItemResult computeNewName(const RenameJob& job, std::u16string_view path,
                          const platform::FileSystem& fs, SpecialStrings& specials) {
  const bool isFolder = !path.empty() && fs.folderExists(path);
  return computeNewName(job, path, isFolder, fs, specials);
}

ItemResult computeNewName(const RenameJob& job, std::u16string_view path, bool isFolder,
                          const platform::FileSystem& fs, SpecialStrings& specials) {
  const PathView parts = splitPathView(fs.style(), path, isFolder);
  const std::u16string_view oldBase = parts.baseName;
  ItemExpander expander(specials, job, path);
  switch (job.editMode) {
    case EditMode::Removpart:
      return decide(removeEdit(job, oldBase), oldBase, std::u16string(parts.extension));
    case EditMode::Replapart:
      return decide(replaceEdit(job, oldBase, expander), oldBase, std::u16string(parts.extension));
    case EditMode::Addnewnum:
      return decide(insertEdit(job, oldBase, expander), oldBase, std::u16string(parts.extension));
    case EditMode::Changnew: {
      ChangeNames names{std::u16string(oldBase), std::u16string(oldBase),
                        std::u16string(parts.extension)};
      changeEdit(job, parts.fileName, names, expander);
      return decide(std::move(names.base), names.oldBase, std::move(names.ext));
    }
    case EditMode::Changexten:
      if (parts.isFolder) return ItemResult::skipped();
      return extensionEdit(job, oldBase, parts.extension);
    default:
      return decide(std::u16string(oldBase), oldBase, std::u16string(parts.extension));
  }
}

NameEngine::NameEngine(const platform::FileSystem& fs, const platform::Locale& locale,
                       platform::Messages& messages, const config::LanguageTable& language,
                       std::int64_t randomSeed)
    : m_fs(fs), m_messages(messages), m_language(language), m_specials(fs, locale, randomSeed) {}

ItemResult NameEngine::computeNewName(const RenameJob& job, std::u16string_view path) {
  return engine::computeNewName(job, path, m_fs, m_specials);
}

ItemResult NameEngine::computeNewName(const RenameJob& job, std::u16string_view path,
                                      bool isFolder) {
  return engine::computeNewName(job, path, isFolder, m_fs, m_specials);
}

FinishResult NameEngine::finishName(std::u16string_view path, std::u16string_view folder,
                                    std::u16string_view base, std::u16string_view ext,
                                    Numbering numbering) {
  return engine::finishName(m_fs, m_messages, m_language, path, folder, base, ext, numbering);
}

bool NameEngine::checkNameText(std::u16string_view text, bool useSpecialStrings) {
  return engine::checkNameText(m_messages, m_language, text, useSpecialStrings);
}

bool NameEngine::checkRandomSpecs(std::u16string_view text) {
  return engine::checkRandomSpecs(m_messages, m_language, text);
}

}  // namespace tessaline::engine
