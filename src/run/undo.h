#pragma once

#include "run/run_context.h"

namespace tessaline::run {

struct UndoOutcome {
  bool ran = false;  // false: the user said No, or there was no journal
  int restored = 0;
  int failed = 0;
  bool cancelled = false;
};

// The Undo command: renames the journal's pairs back, the last rename first.
// Pairs still waiting for the journal timer are written to the journal
// first. Pairs that cannot be undone stay in the journal; only a complete
// undo deletes it. ask = false skips the Yes/No question.
UndoOutcome undoLastRun(RunContext& context, bool ask);

}  // namespace tessaline::run
