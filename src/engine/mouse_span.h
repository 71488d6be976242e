#pragma once

#include "engine/rename_job.h"

namespace tessaline::engine {

// Where the part selected on the sample text lies in a name of length n:
// before = code units in front of it, after = position of the first code unit
// behind it. Not clipped; the edits cut with subText.
struct MouseSpan {
  long long before = 0;
  long long after = 0;
};

MouseSpan mouseSpan(const RenameJob& job, long long n, bool fromEnd);

}  // namespace tessaline::engine
