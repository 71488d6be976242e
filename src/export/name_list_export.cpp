#include "export/name_list_export.h"

#include <optional>
#include <string>

#include "config/language_table.h"
#include "config/text_file.h"
#include "engine/path_parts.h"
#include "engine/text_rules.h"
#include "platform/number_text.h"
#include "platform/utf.h"

namespace tessaline::exporting {
namespace {

using engine::RenameJob;

// Numbered variants of the fallback file tried before giving up.
constexpr int kFallbackVariants = 10000;

// The file name the user chose; a name that is taken is used only once the
// user agreed to replace it. Empty when the dialog was cancelled.
std::optional<std::u16string> askFileName(run::RunContext& context) {
  const config::LanguageTable& language = context.language;
  for (;;) {
    std::u16string name = context.saveDialog.askFileName();
    if (name.empty()) return std::nullopt;
    const bool taken = context.fs.exists(name) || context.fs.exists(name + u".txt");
    if (!taken ||
        context.messages.okCancel(language.text(config::kCaptionConfirmation), language.text(185)))
      return name;
  }
}

// The lines, the whole-tree listing inside the progress window's searching
// form (its Cancel keeps what was collected), the others under the busy
// cursor.
std::vector<std::u16string> collectLines(run::RunContext& context, const RenameJob& job) {
  const bool listing = job.editMode != engine::EditMode::Savesomes && !job.targetFolder.empty();
  if (!listing) return collectNameList(context, job);
  std::vector<std::u16string> lines;
  if (job.saveContent != engine::SaveContent::AllFilesInSubfolders) {
    context.host.setBusy(true);
    lines = collectNameList(context, job);
    context.host.setBusy(false);
    return lines;
  }
  run::Progress& progress = context.progress;
  progress.showSearching(true);
  progress.setRange(600);
  progress.setPosition(0);
  progress.runModal([&] { lines = collectNameList(context, job); });
  progress.showSearching(false);
  return lines;
}

// The file written for the chosen name: a ".txt" is added unless the name
// already ends with it.
std::u16string listFileFor(const platform::FileSystem& fs, const std::u16string& chosen) {
  const std::u16string extension = fs.folderExists(chosen)
                                       ? std::u16string()
                                       : engine::splitPath(fs.style(), chosen, false).extension;
  return engine::asciiLower(extension) == u".txt" ? chosen : chosen + u".txt";
}

// "filenames.txt" in the home folder, or the first numbered variant of it
// that does not exist yet.
std::optional<std::u16string> fallbackFile(const run::RunContext& context) {
  const std::u16string home = context.shell.homeFolder();
  if (home.empty()) return std::nullopt;
  std::u16string path = home + u"filenames.txt";
  for (int number = 1; context.fs.exists(path); ++number) {
    if (number > kFallbackVariants) return std::nullopt;
    path = home + u"filenames(" + platform::decimalText(number) + u").txt";
  }
  return path;
}

// Writes the lines; where the chosen file cannot be written, to the fallback
// file, and tells the user where they went. Empty when nothing was written.
std::u16string writeList(run::RunContext& context, const std::u16string& chosen,
                         const std::vector<std::u16string>& lines) {
  const std::string bytes = config::encodeTextLines(lines);
  const std::u16string target = listFileFor(context.fs, chosen);
  if (context.fs.writeFile(target, bytes)) return target;
  const config::LanguageTable& language = context.language;
  const std::optional<std::u16string> fallback = fallbackFile(context);
  if (fallback && context.fs.writeFile(*fallback, bytes)) {
    context.messages.information(language.text(config::kCaptionInformation),
                                 language.text(176) + u":" + *fallback);
    return *fallback;
  }
  // Neither file could be written: say so rather than claim a save.
  context.messages.information(language.text(config::kCaptionInformation),
                               u"Filename/s could not be saved to:" + target);
  return {};
}

}  // namespace

std::u16string saveNameList(run::RunContext& context, const RenameJob& job) {
  const std::optional<std::u16string> chosen = askFileName(context);
  if (!chosen) return {};
  const std::vector<std::u16string> lines = collectLines(context, job);
  const std::u16string written = writeList(context, *chosen, lines);
  context.state.stopRequested = false;
  if (written.empty()) return {};
  if (!context.settings.options2) context.shell.openFile(written);
  if (context.settings.options1) {
    context.host.closeProgram();
  } else {
    context.state.runFinished = true;
    context.host.closeEditor();
  }
  return written;
}

}  // namespace tessaline::exporting
