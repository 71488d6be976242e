#pragma once

#include "engine/rename_job.h"
#include "run/run_context.h"

namespace tessaline::run {

// The input box a failed check puts the focus into; the host maps it to its
// control. Named after the job field the box fills.
enum class FocusTarget {
  None,
  RemoveText1,
  BetweenLeft,
  BetweenRight,
  CleanKeepOthers,
  CleanEraseText,
  KeepText1,
  ReplaceOld,
  ReplaceNew,
  InsertHeadText,
  InsertEndText,
  InsertCursorText,
  InsertAnchor,
  InsertAnchor2,
  InsertStringText,
  NewNameText,
  NewExtension,
  SaveTypeOther,
};

struct CommandOutcome {
  // Stopped: a check failed, a question was cancelled or the save wrote
  // nothing; Ran: the run (or preview) was started; Saved: a name list was
  // written.
  enum class Action { Stopped, Ran, Saved };
  Action action = Action::Stopped;
  FocusTarget focus = FocusTarget::None;
};

// The Rename command (also the editor's Save and, with
// RunState::previewMode, the Preview command): normalises the inputs in job
// (the host shows them back in its boxes), checks them with their notices,
// asks for confirmation where the settings say so, then starts the run or
// the name list export.
CommandOutcome renameCommand(RunContext& context, engine::RenameJob& job);

// The text that ends the summaries naming the scope ("and changes will
// affect: ... continue?"), built from the active language and the job.
std::u16string scopeText(const RunContext& context, const engine::RenameJob& job);

}  // namespace tessaline::run
