#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/rename_job.h"
#include "run/run_context.h"

namespace tessaline::exporting {

// The lines of a name list, without writing them: for EditMode "Savealls"
// the listing of job.targetFolder, for "Savesomes" the job's selectedFiles
// grouped by folder. A set RunState::stopRequested ends the listing early.
std::vector<std::u16string> collectNameList(run::RunContext& context, const engine::RenameJob& job);

// SaveNameList: asks for the file name, collects the lines (the all-layers
// listing inside the progress window's searching form), writes the file (or
// the fallback ~/filenames.txt), opens it unless "Options2" is set, and ends
// the edit. Returns the path written; empty when the dialog was cancelled or
// not even the fallback file could be written (the user is told, and the
// edit stays open).
std::u16string saveNameList(run::RunContext& context, const engine::RenameJob& job);

}  // namespace tessaline::exporting
