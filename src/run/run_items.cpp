// The processing of one item of a rename run: its new name, then its
// preview row or its rename.
#include "engine/path_parts.h"
#include "run/item_rename.h"
#include "run/run_walker.h"

namespace tessaline::run {
namespace {

constexpr int kTextEmptyName = 284;

using platform::RenameStatus;

}  // namespace

// A real run of DirectEdit over a list of paths shows every item again in the
// main window's list, renamed or not.
bool RunWalker::listsItemsAgain() const {
  return !m_context.state.previewMode && m_context.state.directEdit && m_job.targetFolder.empty();
}

void RunWalker::processItem(std::u16string_view path, int row, ItemKind kind) {
  engine::NameEngine& names = m_context.engine;
  const engine::ItemResult result =
      kind == ItemKind::Unknown ? names.computeNewName(m_job, path)
                                : names.computeNewName(m_job, path, kind == ItemKind::Folder);
  switch (result.kind) {
    case engine::ItemResult::Kind::EmptyName:
      m_context.messages.information(
          m_context.language.text(config::kCaptionInformation),
          m_context.language.text(kTextEmptyName) + u" - '" + std::u16string(path) + u"'");
      ++m_context.state.failedCount;
      return;
    case engine::ItemResult::Kind::Unchanged:
      if (listsItemsAgain()) m_context.list.addListItem(path);
      return;
    case engine::ItemResult::Kind::Skipped:
      return;
    case engine::ItemResult::Kind::NewName:
      break;
  }
  const std::u16string_view folder = engine::parentFolderOf(m_style, path);
  if (m_context.state.previewMode) {
    const engine::FinishResult finish = names.finishName(path, folder, result.base, result.ext);
    if (!finish.finished) {
      ++m_context.state.failedCount;
      return;
    }
    applyPreview(path, folder, result, finish);
    return;
  }
  // A real run renames without replacing, so the name is taken as free and
  // numbered only when the rename finds it taken.
  engine::FinishResult finish =
      names.finishName(path, folder, result.base, result.ext, engine::Numbering::AssumeFree);
  if (!finish.finished) {
    itemRejected(path);
    return;
  }
  applyReal(path, folder, row, result, std::move(finish));
}

void RunWalker::applyPreview(std::u16string_view path, std::u16string_view folder,
                             const engine::ItemResult& result, const engine::FinishResult& finish) {
  RunState& state = m_context.state;
  if (state.previewCount >= m_context.settings.prenum) {
    state.stopRequested = true;
    return;
  }
  const std::u16string shown =
      engine::previewNumbering(finish.newFileName, finish.cleanBase, result.ext, finish.number,
                               state.plannedNames, folder, m_job.includeSubfolders);
  std::u16string rowText = m_job.includeSubfolders ? std::u16string(folder) + shown : shown;
  m_context.preview.addItemRow(engine::fileNameOf(m_style, path), rowText);
  state.plannedNames.push_back(std::move(rowText));
  ++state.previewCount;
  m_context.engine.specials().advanceCounters(m_job);
}

void RunWalker::applyReal(std::u16string_view path, std::u16string_view folder, int row,
                          const engine::ItemResult& result, engine::FinishResult finish) {
  RenameStatus status = renameRecorded(path, finish.newPath);
  if (status == RenameStatus::TargetExists) {
    // The name is taken: number it against the folder as a check first would have.
    engine::FinishResult numbered =
        m_context.engine.finishName(path, folder, result.base, result.ext);
    if (!numbered.finished) {
      itemRejected(path);
      return;
    }
    if (numbered.newPath != finish.newPath) {
      finish = std::move(numbered);
      status = renameRecorded(path, finish.newPath);
    }
  }
  if (status == RenameStatus::Renamed) {
    itemRenamed(path, row, finish);
  } else {
    itemFailed(path, finish.newFileName);
  }
}

// Records the pair before the rename, so that a program killed at any moment
// leaves a record of every rename made, and takes it back when the rename
// fails. A pair that cannot be recorded is not renamed.
RenameStatus RunWalker::renameRecorded(std::u16string_view path, std::u16string_view newPath) {
  UndoJournal& journal = m_context.journal;
  if (!journal.recordPending(newPath, path)) return RenameStatus::Failed;
  const ItemRename outcome = renameItem(m_context.fs, path, newPath);
  if (outcome.status == RenameStatus::Renamed) {
    ++m_recorded;
    return outcome.status;
  }
  journal.dropLastPending();
  // Left under a temporary name: the undo can still bring it back.
  if (!outcome.strandedAt.empty() && journal.recordPending(outcome.strandedAt, path)) {
    ++m_recorded;
  }
  return outcome.status;
}

void RunWalker::itemRenamed(std::u16string_view path, int row, const engine::FinishResult& finish) {
  RunContext& c = m_context;
  if (c.state.insideProgress) {
    c.progress.setNames(engine::fileNameOf(m_style, path), finish.newFileName);
    c.progress.advance(1);
  }
  c.host.itemRenamed(path, finish.newPath);
  if (listsItemsAgain()) {
    c.list.addListItem(finish.newPath);
  } else if (row >= 0) {
    c.list.setCaption(row, m_job.targetFolder.empty() ? finish.newPath : finish.newFileName);
  }
  c.engine.specials().advanceCounters(m_job);
  ++c.state.renamedCount;
  ++c.state.renamedFilesTotal;
}

void RunWalker::itemFailed(std::u16string_view path, std::u16string_view newFileName) {
  m_context.notice.notify(engine::fileNameOf(m_style, path), newFileName);
  itemRejected(path);
}

// The user has been told why; the item keeps its name.
void RunWalker::itemRejected(std::u16string_view path) {
  if (listsItemsAgain()) m_context.list.addListItem(path);
  ++m_context.state.failedCount;
}

}  // namespace tessaline::run
