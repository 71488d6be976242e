#pragma once

#include <string>
#include <string_view>

#include "engine/rename_job.h"
#include "run/run_context.h"

namespace tessaline::run {

enum class EntryKind { FirstFile, FirstSubfolder, FirstFileOfFirstSubfolder };

// The path of the first entry of that kind in folder, in file-system order;
// empty when there is none.
std::u16string firstEntry(const platform::FileSystem& fs, std::u16string_view folder,
                          EntryKind kind);

// A sample name for the edit scope of job (its TargetFolder, EditScope,
// IncludeSubfolders and EditMode), telling the user when there is none.
std::u16string chooseSampleName(RunContext& context, const engine::RenameJob& job);

// The same, also saying whether the user was told why there is no sample
// (some scopes find none without a message).
struct SampleChoice {
  std::u16string name;  // empty when there is none
  bool told = false;    // a message said why the name is empty
};
SampleChoice chooseSample(RunContext& context, const engine::RenameJob& job);

}  // namespace tessaline::run
