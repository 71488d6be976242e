#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessaline::run {

// The state of the rename run shared by the hosts; one object for the whole
// program, used by one run (or undo, or export) at a time.
struct RunState {
  bool previewMode = false;                  // the run fills the preview instead of renaming
  bool stopRequested = false;                // stop before the next item (Cancel, preview limit)
  bool directEdit = false;                   // started from the command line with a mode
  bool runFinished = false;                  // a real run or a save finished in the editor
  int previewCount = 0;                      // item rows of this preview
  int renamedCount = 0;                      // items renamed by the last run
  int failedCount = 0;                       // items that failed in the last run
  std::int64_t renamedFilesTotal = 0;        // kept between starts ("Totalfiles")
  std::vector<std::u16string> plannedNames;  // new-name column of this preview
  bool insideProgress = false;               // the walk runs in the progress window
  bool runActive = false;                    // a rename run is walking; journal writes wait
};

}  // namespace tessaline::run
