#include "run/sample_name.h"

#include <optional>

#include "config/language_table.h"
#include "platform/path_style.h"

namespace tessaline::run {
namespace {

using engine::EditMode;
using engine::RenameJob;

// The first file and the first folder of one folder, each the first of its
// kind in file-system order; the walk stops once it has what kind needs.
struct FirstNames {
  std::optional<std::u16string> file;
  std::optional<std::u16string> folder;
};

FirstNames scanFolder(const platform::FileSystem& fs, std::u16string_view folder, EntryKind kind) {
  FirstNames found;
  fs.enumerate(
      folder,
      [&found, kind](const platform::DirEntry& entry) {
        if (entry.name == u"." || entry.name == u"..") return true;
        if (entry.info.folder) {
          if (kind == EntryKind::FirstFile) return true;
          found.folder = entry.name;
          return false;
        }
        if (!found.file) found.file = entry.name;
        return kind != EntryKind::FirstFile;
      },
      platform::EntryDetail::Kinds);
  return found;
}

void tell(RunContext& context, int text) {
  context.messages.information(context.language.text(config::kCaptionInformation),
                               context.language.text(text));
}

// Scope 1: the first listed (and, with check boxes, checked) row that is a
// file of the target folder; failing that, with subfolders included, the
// first file of the last such row that is a folder.
std::u16string checkedRowSample(const RunContext& context, const RenameJob& job) {
  const FileListView& list = context.list;
  const bool checkBoxes = list.hasCheckBoxes();
  std::u16string lastFolder;
  for (int row = 0; row < list.rowCount(); ++row) {
    if (checkBoxes && !list.isChecked(row)) continue;
    std::u16string path = job.targetFolder + list.caption(row);
    if (context.fs.fileExists(path)) return path;
    if (context.fs.folderExists(path)) lastFolder = std::move(path);
  }
  // The last such folder decides, even when it holds no file.
  if (!job.includeSubfolders || lastFolder.empty()) return {};
  return firstEntry(context.fs, lastFolder, EntryKind::FirstFile);
}

SampleChoice oneLayerSample(RunContext& context, const RenameJob& job) {
  std::u16string sample = firstEntry(context.fs, job.targetFolder, EntryKind::FirstFile);
  if (!sample.empty()) return {std::move(sample), false};
  if (job.editMode != EditMode::Savealls) {
    tell(context, 130);
    return {{}, true};
  }
  if (!job.includeSubfolders) return {};
  sample = firstEntry(context.fs, job.targetFolder, EntryKind::FirstFileOfFirstSubfolder);
  if (!sample.empty()) return {std::move(sample), false};
  tell(context, 131);
  return {{}, true};
}

}  // namespace

std::u16string firstEntry(const platform::FileSystem& fs, std::u16string_view folder,
                          EntryKind kind) {
  std::u16string base(folder);
  const char16_t separator = platform::separatorOf(fs.style());
  if (base.empty() || base.back() != separator) base.push_back(separator);
  const FirstNames found = scanFolder(fs, base, kind);
  switch (kind) {
    case EntryKind::FirstFile:
      return found.file ? base + *found.file : std::u16string();
    case EntryKind::FirstSubfolder:
      return found.folder ? base + *found.folder : std::u16string();
    case EntryKind::FirstFileOfFirstSubfolder:
      if (found.folder) return firstEntry(fs, base + *found.folder, EntryKind::FirstFile);
      return found.file ? base + *found.file : std::u16string();
  }
  return {};
}

SampleChoice chooseSample(RunContext& context, const RenameJob& job) {
  switch (job.editScope) {
    case 3:
      if (context.fs.folderExists(job.targetFolder)) return {job.targetFolder, false};
      tell(context, 133);
      return {{}, true};
    case 2: {
      std::u16string sample = firstEntry(context.fs, job.targetFolder, EntryKind::FirstSubfolder);
      if (!sample.empty()) return {std::move(sample), false};
      tell(context, 132);
      return {{}, true};
    }
    case 1:
      return {checkedRowSample(context, job), false};
    default:
      return oneLayerSample(context, job);
  }
}

std::u16string chooseSampleName(RunContext& context, const RenameJob& job) {
  return chooseSample(context, job).name;
}

}  // namespace tessaline::run
