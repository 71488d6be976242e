#pragma once

#include <cstdint>
#include <string>

#include "engine/rename_job.h"
#include "run/run_context.h"

namespace tessaline::run {

// Runs one job over its target: a preview (RunState::previewMode) fills the
// preview window, a real run renames the items, journals them and finishes.
// The counters of the special strings are reset here and per folder.
void startRun(RunContext& context, const engine::RenameJob& job);

// The journal timer's work: writes the pending undo pairs as the journal
// (nothing for the save modes). While a run walks the write waits: the run
// asks for it again when it ends, so its pairs are never split between two
// journals.
void writeJournal(RunContext& context, engine::EditMode mode);

// The counts of a run or an undo as the status bar shows them:
// "3 renamed successfully,0 failed." in English.
std::u16string countsText(const config::LanguageTable& language, std::int64_t renamed,
                          std::int64_t failed);

// Adds the new texts of the edit panel that is showing to the new name list.
void updateNewNamesAfterRun(config::NewNameList& newNames, const engine::RenameJob& job,
                            int listnum);

}  // namespace tessaline::run
