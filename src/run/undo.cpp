#include "run/undo.h"

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/path_parts.h"
#include "platform/number_text.h"
#include "platform/utf.h"
#include "run/item_rename.h"
#include "run/rename_run.h"

namespace tessaline::run {
namespace {

constexpr int kTextUndo = 6;  // the Undo button's caption
constexpr int kTextUndoQuestion = 29;
constexpr int kTextUndoCompleted = 30;
constexpr std::size_t kProgressFromLines = 61;
constexpr int kStatusPanel = 1;

// The rows of the main window's list by the full path they show, so that the
// row of each restored item is found without searching the whole list.
class RowIndex {
 public:
  explicit RowIndex(FileListView& list) : m_list(list), m_folder(list.folderBoxText()) {}

  // The last row showing the item at from now shows it at to.
  void renamed(platform::PathStyle style, const std::u16string& from, const std::u16string& to) {
    if (m_list.rowCount() == 0) return;
    if (!m_built) build(style);
    const auto found = m_rows.find(from);
    if (found == m_rows.end() || found->second.empty()) return;
    const int row = found->second.back();
    found->second.pop_back();
    const std::u16string caption = filesMode() ? to : std::u16string(engine::fileNameOf(style, to));
    m_list.setCaption(row, caption);
    std::vector<int>& rows = m_rows[keyOf(caption)];
    rows.insert(std::upper_bound(rows.begin(), rows.end(), row), row);
  }

 private:
  bool filesMode() const { return m_folder.empty(); }

  std::u16string keyOf(const std::u16string& caption) const {
    return filesMode() ? caption : m_folder + caption;
  }

  void build(platform::PathStyle style) {
    m_built = true;
    if (!filesMode() && m_folder.back() != platform::separatorOf(style)) {
      m_folder.push_back(platform::separatorOf(style));
    }
    for (int row = 0; row < m_list.rowCount(); ++row)
      m_rows[keyOf(m_list.caption(row))].push_back(row);
  }

  FileListView& m_list;
  std::u16string m_folder;
  bool m_built = false;
  std::unordered_map<std::u16string, std::vector<int>> m_rows;
};

// Renames the pairs of the journal back, the last rename first: a chain of
// renames (a to b, then c to a) and a folder renamed after its contents only
// come undone in that order.
class Undoer {
 public:
  Undoer(RunContext& context, std::vector<std::u16string>& lines)
      : m_context(context), m_lines(lines), m_rows(context.list) {}

  void run(UndoOutcome& outcome) {
    RunContext& c = m_context;
    c.host.setBusy(true);
    if (c.state.insideProgress) {
      c.progress.setPosition(0);
      c.progress.setRange(static_cast<int>(m_lines.size()));
    }
    const std::size_t pairs = m_lines.size() / 2;
    m_done.assign(pairs, false);
    for (std::size_t k = pairs; k-- > 0;) {
      if (c.state.stopRequested) {
        outcome.cancelled = true;
        break;
      }
      undoPair(k, outcome);
      c.pump.processPendingEvents();
    }
    c.host.setBusy(false);
    keepWhatRemains(outcome);
  }

 private:
  void undoPair(std::size_t k, UndoOutcome& outcome) {
    RunContext& c = m_context;
    std::u16string& renamedPath = m_lines[2 * k];
    const std::u16string& oldPath = m_lines[2 * k + 1];
    const ItemRename result = renameItem(c.fs, renamedPath, oldPath);
    if (result.status != platform::RenameStatus::Renamed) {
      ++outcome.failed;
      if (!result.strandedAt.empty()) renamedPath = result.strandedAt;
      return;
    }
    m_done[k] = true;
    ++outcome.restored;
    m_rows.renamed(c.fs.style(), renamedPath, oldPath);
    if (c.state.insideProgress) {
      c.progress.setNames(engine::fileNameOf(c.fs.style(), renamedPath),
                          engine::fileNameOf(c.fs.style(), oldPath));
      c.progress.advance(2);
    }
  }

  // Only a complete undo deletes the journal; otherwise it keeps the pairs
  // that failed or were not tried, in their order.
  void keepWhatRemains(const UndoOutcome& outcome) {
    if (outcome.failed == 0 && !outcome.cancelled) {
      m_context.journal.remove();
      return;
    }
    std::vector<std::u16string> remaining;
    for (std::size_t k = 0; k < m_done.size(); ++k) {
      if (m_done[k]) continue;
      remaining.push_back(std::move(m_lines[2 * k]));
      remaining.push_back(std::move(m_lines[2 * k + 1]));
    }
    m_context.journal.rewrite(remaining);
  }

  RunContext& m_context;
  std::vector<std::u16string>& m_lines;
  RowIndex m_rows;
  std::vector<bool> m_done;
};

std::u16string statusText(const RunContext& context, const UndoOutcome& outcome) {
  const config::LanguageTable& language = context.language;
  if (outcome.failed == 0 && !outcome.cancelled) return language.text(kTextUndoCompleted);
  return countsText(language, outcome.restored, outcome.failed);
}

}  // namespace

UndoOutcome undoLastRun(RunContext& context, bool ask) {
  // Pairs still waiting for the journal timer belong to the last run.
  if (context.journal.pendingCount() > 0) context.journal.writeJournal();
  std::optional<std::vector<std::u16string>> lines = context.journal.readLines();
  if (!lines) return {};
  const config::LanguageTable& language = context.language;
  if (ask && !context.messages.yesNo(
                 language.text(kTextUndo) + u" " + language.text(config::kCaptionConfirmation),
                 language.text(kTextUndoQuestion))) {
    return {};
  }
  UndoOutcome outcome;
  outcome.ran = true;
  Undoer undoer(context, *lines);
  if (lines->size() >= kProgressFromLines) {
    context.state.insideProgress = true;
    context.progress.runModal([&undoer, &outcome] { undoer.run(outcome); });
    context.state.insideProgress = false;
  } else {
    undoer.run(outcome);
  }
  if (!context.settings.options3) context.list.clear();
  if (context.settings.endsound) context.shell.playSound(context.endSoundPath);
  context.state.stopRequested = false;
  context.list.refresh();
  context.host.setStatus(kStatusPanel, statusText(context, outcome));
  return outcome;
}

}  // namespace tessaline::run
