#include "run/rename_run.h"

#include <string_view>
#include <vector>

#include "platform/number_text.h"
#include "run/run_walker.h"

namespace tessaline::run {
namespace {

constexpr int kTextNothingChanged = 129;
constexpr int kTextRenamedSuccessfully = 291;
constexpr int kTextFailed = 292;
constexpr int kTextNothingToEdit = 174;
constexpr int kTextPreviewLimit = 175;
constexpr int kJournalDelayMs = 3000;
constexpr std::size_t kProgressAbove = 5;

void runPreview(RunContext& context, RunWalker& walker) {
  RunState& state = context.state;
  context.host.setBusy(true);
  state.previewCount = 0;
  state.plannedNames.clear();
  context.preview.show();
  walker.walk();
  context.preview.setMaximized(context.settings.previewMax);
  if (context.preview.rowCount() == 0) {
    context.preview.addNoteRow(context.language.text(kTextNothingToEdit));
  } else if (state.stopRequested) {
    context.preview.addNoteRow(context.language.text(kTextPreviewLimit));
  }
  context.host.setBusy(false);
}

bool usesProgressWindow(const RunContext& context, const engine::RenameJob& job) {
  return job.selectedFiles.size() > kProgressAbove ||
         context.list.listedFileCount() > static_cast<int>(kProgressAbove) || job.includeSubfolders;
}

void walkInProgressWindow(RunContext& context, RunWalker& walker) {
  if (!context.state.directEdit) context.host.hideEditor();
  context.state.insideProgress = true;
  context.progress.runModal([&context, &walker] {
    if (!context.state.directEdit) {
      context.progress.setPosition(0);
      context.progress.setRange(context.list.rowCount());
    }
    walker.walk();
  });
  context.state.insideProgress = false;
}

void finishRun(RunContext& context, const engine::RenameJob& job, const RunWalker& walker) {
  if (walker.recordedPairs() == 0) {
    // Pairs of a run just before, whose journal write came due during this
    // run, still need writing.
    if (context.journal.pendingCount() > 0) context.host.scheduleJournalWrite(kJournalDelayMs);
    context.host.showEditor();
    context.messages.information(context.language.text(config::kCaptionInformation),
                                 context.language.text(kTextNothingChanged));
    return;
  }
  if (context.settings.options1) {
    writeJournal(context, job.editMode);
    context.host.closeProgram();
  } else {
    context.host.scheduleJournalWrite(kJournalDelayMs);
    context.state.runFinished = true;
    context.host.closeEditor();
  }
  if (context.settings.endsound) context.shell.playSound(context.endSoundPath);
}

void runReal(RunContext& context, const engine::RenameJob& job, RunWalker& walker) {
  if (job.editMode != engine::EditMode::Removpart && job.editMode != engine::EditMode::Changexten) {
    updateNewNamesAfterRun(context.newNames, job, context.settings.listnum);
  }
  // A journal write that comes due while the run walks would split the run's
  // pairs between two journals; it waits for the run's end.
  context.state.runActive = true;
  if (usesProgressWindow(context, job)) {
    walkInProgressWindow(context, walker);
  } else {
    context.host.setBusy(true);
    walker.walk();
    context.host.setBusy(false);
  }
  context.state.runActive = false;
  context.pump.processPendingEvents();
  finishRun(context, job, walker);
}

}  // namespace

void startRun(RunContext& context, const engine::RenameJob& job) {
  context.engine.specials().resetCounters(job);
  RunWalker walker(context, job);
  if (context.state.previewMode) {
    runPreview(context, walker);
  } else {
    runReal(context, job, walker);
  }
  context.state.stopRequested = false;
  context.state.previewMode = false;
}

void writeJournal(RunContext& context, engine::EditMode mode) {
  if (mode == engine::EditMode::Savealls || mode == engine::EditMode::Savesomes) return;
  if (context.state.runActive) return;  // the run schedules the write at its end
  context.journal.writeJournal();
}

std::u16string countsText(const config::LanguageTable& language, std::int64_t renamed,
                          std::int64_t failed) {
  return platform::decimalText(renamed) + u" " + language.text(kTextRenamedSuccessfully) +
         platform::decimalText(failed) + u" " + language.text(kTextFailed);
}

void updateNewNamesAfterRun(config::NewNameList& newNames, const engine::RenameJob& job,
                            int listnum) {
  std::vector<std::u16string_view> texts;
  switch (job.editMode) {
    case engine::EditMode::Addnewnum:
      if (job.insertKind == engine::InsertKind::InsertAtPosition) {
        if (job.insertHeadOn) texts.push_back(job.insertHeadText);
        if (job.insertEndOn) texts.push_back(job.insertEndText);
        if (job.insertCursorOn) texts.push_back(job.insertCursorText);
      } else {
        texts.push_back(job.insertStringText);
      }
      break;
    case engine::EditMode::Replapart:
      texts.push_back(job.replaceNew);
      break;
    case engine::EditMode::Changnew:
      texts.push_back(job.newNameText);
      break;
    default:
      break;
  }
  for (std::u16string_view text : texts) {
    if (!text.empty()) newNames.add(text, listnum);
  }
}

}  // namespace tessaline::run
