// The walks of a rename run: which items take part, in which order.
#include <algorithm>

#include "engine/path_parts.h"
#include "engine/text_rules.h"
#include "run/run_walker.h"

namespace tessaline::run {
namespace {

constexpr int kScopeOnlyChecked = 1;
constexpr int kScopeOnlyFolders = 2;
constexpr int kScopeThisFolder = 3;

std::u16string withSeparator(std::u16string_view folder, char16_t separator) {
  std::u16string result(folder);
  if (result.empty() || result.back() != separator) result.push_back(separator);
  return result;
}

}  // namespace

RunWalker::RunWalker(RunContext& context, const engine::RenameJob& job)
    : m_context(context),
      m_job(job),
      m_style(context.fs.style()),
      m_typeList(u"," + engine::asciiLower(job.typeFilterList) + u",") {}

void RunWalker::walk() {
  if (m_context.state.directEdit) {
    folderWalk(m_job.targetFolder);
  } else {
    listWalk();
  }
}

// ---------------------------------------------------------------------------
// Filters

bool RunWalker::typeFilterApplies() const {
  return m_job.typeFilterOn && m_job.editMode != engine::EditMode::Changexten;
}

// Whole entries of the comma list only; a file without an extension passes
// when the list holds an empty entry.
bool RunWalker::typeListed(std::u16string_view fileName) const {
  const std::size_t dot = fileName.rfind(u'.');
  const std::u16string_view ext =
      dot == std::u16string_view::npos ? std::u16string_view() : fileName.substr(dot + 1);
  return m_typeList.find(u"," + engine::asciiLower(ext) + u",") != std::u16string::npos;
}

// The filter of the list walk. info receives the item's entry when the
// filter had to look at it.
bool RunWalker::includeItem(std::u16string_view path,
                            std::optional<platform::EntryInfo>& info) const {
  if (!m_job.includeHidden && !m_job.includeSystem && !m_job.typeFilterOn) return true;
  info = m_context.fs.stat(path);
  if (!info) return true;  // gone: the rename reports it
  if (!info->folder && typeFilterApplies() && !typeListed(engine::fileNameOf(m_style, path))) {
    return false;
  }
  return !(info->hidden && !m_job.includeHidden) && !(info->system && !m_job.includeSystem);
}

// ---------------------------------------------------------------------------
// The list walk: the rows of the main window's list

void RunWalker::stepRow() {
  if (m_context.state.insideProgress) m_context.progress.advance(1);
  m_context.pump.processPendingEvents();
}

void RunWalker::listWalk() {
  const bool checkedScope =
      m_job.editScope == kScopeOnlyChecked || m_job.editScope == kScopeOnlyFolders;
  if (m_job.targetFolder.empty()) {
    listWalkPaths();
  } else if (checkedScope && m_context.list.hasCheckBoxes()) {
    listWalkChecked();
  } else {
    folderWalk(m_job.targetFolder);
  }
}

// Files mode: every row is a full path.
void RunWalker::listWalkPaths() {
  FileListView& list = m_context.list;
  const int rows = list.rowCount();
  for (int row = 0; row < rows && !m_context.state.stopRequested; ++row) {
    stepRow();
    if (list.hasCheckBoxes() && !list.isChecked(row)) continue;
    const std::u16string path = list.caption(row);
    std::optional<platform::EntryInfo> info;
    if (!includeItem(path, info)) continue;
    if (m_context.state.stopRequested) break;
    const ItemKind kind =
        !info ? ItemKind::Unknown : (info->folder ? ItemKind::Folder : ItemKind::File);
    processItem(path, row, kind);
  }
}

// Folder mode, only checked files or only checked folders. A checked folder's
// contents are walked (with IncludeSubfolders) before the folder itself.
void RunWalker::listWalkChecked() {
  FileListView& list = m_context.list;
  const bool wantFolders = m_job.editScope == kScopeOnlyFolders;
  const int rows = list.rowCount();
  for (int row = 0; row < rows && !m_context.state.stopRequested; ++row) {
    stepRow();
    if (!list.isChecked(row)) continue;
    const std::u16string path = m_job.targetFolder + list.caption(row);
    std::optional<platform::EntryInfo> info;
    if (!includeItem(path, info)) continue;
    const bool isFolder = info ? info->folder : m_context.fs.folderExists(path);
    if (isFolder && m_job.includeSubfolders) folderWalk(path);
    if (isFolder != wantFolders) continue;
    if (m_context.state.stopRequested) break;
    processItem(path, row, isFolder ? ItemKind::Folder : ItemKind::File);
  }
}

// ---------------------------------------------------------------------------
// The folder walk

void RunWalker::folderWalk(std::u16string_view folder) {
  Batch batch;
  if (m_job.targetFolder.empty()) {  // DirectEdit with a list of paths
    for (const std::u16string& path : m_job.selectedFiles)
      batch.entries.push_back({path, ItemKind::Unknown});
    processBatch(batch);
    return;
  }
  if (m_job.editScope == kScopeThisFolder) {
    std::u16string_view self = m_job.targetFolder;
    while (self.size() > 1 && self.back() == platform::separatorOf(m_style))
      self.remove_suffix(1);
    batch.entries.push_back({std::u16string(self), ItemKind::Folder});
    processBatch(batch);
    return;
  }
  batch.folder = withSeparator(folder, platform::separatorOf(m_style));
  if (!collectBatch(batch)) return;  // a folder that cannot be read gives no items
  // Each subfolder's walk, with its own batch, runs before this folder's
  // items are renamed, so no path waiting here goes stale. A link to a
  // folder is not followed: it could lead back up the tree for ever.
  if (m_job.includeSubfolders) {
    for (std::size_t i = 0; i < batch.entries.size() && !m_context.state.stopRequested; ++i) {
      if (batch.entries[i].kind == ItemKind::Folder && !batch.entries[i].link) {
        folderWalk(batch.folder + batch.entries[i].name);
      }
    }
  }
  if (m_job.editScope != kScopeOnlyFolders) {
    std::erase_if(batch.entries, [](const Batch::Entry& e) { return e.kind == ItemKind::Folder; });
  }
  processBatch(batch);
}

// Enumerates the folder once, keeping its files (as the scope and the type
// filter allow) and its subfolders in file-system order.
bool RunWalker::collectBatch(Batch& batch) const {
  const bool wantFiles = m_job.editScope != kScopeOnlyFolders;
  const bool keepFolders = m_job.includeSubfolders || !wantFiles;
  const RunState& state = m_context.state;
  return m_context.fs.enumerate(
      batch.folder,
      [&](const platform::DirEntry& entry) {
        if (state.stopRequested) return false;
        if ((entry.info.hidden && !m_job.includeHidden) ||
            (entry.info.system && !m_job.includeSystem)) {
          return true;
        }
        if (entry.info.folder) {
          // Folders of a saved web page are neither entered nor renamed.
          if (keepFolders && !engine::isWebpageFolder(entry.name)) {
            batch.entries.push_back({entry.name, ItemKind::Folder, entry.info.symlink});
          }
        } else if (wantFiles && (!typeFilterApplies() || typeListed(entry.name))) {
          batch.entries.push_back({entry.name, ItemKind::File});
        }
        return true;
      },
      platform::EntryDetail::Kinds);
}

void RunWalker::processBatch(const Batch& batch) {
  m_context.engine.specials().resetCounters(m_job);
  if (m_context.state.insideProgress) {
    m_context.progress.setPosition(0);
    m_context.progress.setRange(static_cast<int>(batch.entries.size()));
  }
  std::u16string path;
  for (const Batch::Entry& entry : batch.entries) {
    m_context.pump.processPendingEvents();
    if (m_context.state.stopRequested) return;
    path.assign(batch.folder).append(entry.name);
    processItem(path, -1, entry.kind);
  }
}

}  // namespace tessaline::run
