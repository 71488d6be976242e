#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/rename_job.h"
#include "platform/memory_file_system.h"
#include "run/rename_run.h"
#include "run/undo.h"
#include "support/fake_ports.h"

namespace tessaline::testing {

// An in-memory disk with one of every port around it, for the tests of the
// rename run, the journal and the undo. Windows style puts the data folder
// at "C:\data\", POSIX style at "/data/".
class RunBench {
 public:
  explicit RunBench(platform::PathStyle style = platform::PathStyle::Windows)
      : fs(style), world(fs, style == platform::PathStyle::Windows ? u"C:\\data\\" : u"/data/") {}

  void run(const engine::RenameJob& job) {
    run::RunContext context = world.context();
    run::startRun(context, job);
  }
  void preview(const engine::RenameJob& job) {
    world.state.previewMode = true;
    run(job);
  }
  // What the journal timer does.
  void writeJournal(engine::EditMode mode = engine::EditMode::Changnew) {
    run::RunContext context = world.context();
    run::writeJournal(context, mode);
  }
  run::UndoOutcome undo(bool ask = false) {
    run::RunContext context = world.context();
    return run::undoLastRun(context, ask);
  }

  std::vector<std::u16string> namesIn(std::u16string_view folder) const {
    std::vector<std::u16string> names;
    fs.enumerate(folder, [&names](const platform::DirEntry& entry) {
      names.push_back(entry.name);
      return true;
    });
    return names;
  }
  // The old paths of the items the run renamed, in order.
  std::vector<std::u16string> renamedFrom() const {
    std::vector<std::u16string> paths;
    for (const NamePair& pair : world.host.renamed)
      paths.push_back(pair.first);
    return paths;
  }
  std::vector<std::u16string> renamedTo() const {
    std::vector<std::u16string> paths;
    for (const NamePair& pair : world.host.renamed)
      paths.push_back(pair.second);
    return paths;
  }
  std::string journalBytes() const { return fs.readFile(world.journal.journalPath()).value_or(""); }
  std::string pendingBytes() const { return fs.readFile(world.journal.pendingPath()).value_or(""); }

  platform::MemoryFileSystem fs;
  RunWorld world;
};

// A job over targetFolder that names every item "n" + its running number,
// keeping file extensions.
inline engine::RenameJob numberingJob(std::u16string targetFolder = u"C:\\x\\") {
  engine::RenameJob job;
  job.editMode = engine::EditMode::Changnew;
  job.newNameText = u"n$";
  job.targetFolder = std::move(targetFolder);
  return job;
}

// A job over targetFolder that replaces old by replacement in every name.
inline engine::RenameJob replaceJob(std::u16string old, std::u16string replacement,
                                    std::u16string targetFolder = u"C:\\x\\") {
  engine::RenameJob job;
  job.editMode = engine::EditMode::Replapart;
  job.replaceOld = std::move(old);
  job.replaceNew = std::move(replacement);
  job.targetFolder = std::move(targetFolder);
  return job;
}

}  // namespace tessaline::testing
