#include "cli/cli_session.h"

#include <unistd.h>

#include <memory>
#include <optional>
#include <string>

#include "cli/cli_settings.h"
#include "cli/console_ports.h"
#include "config/language_files.h"
#include "engine/path_parts.h"
#include "engine/rename_job_fields.h"
#include "export/name_list_export.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/posix_file_system.h"
#include "platform/posix_locale.h"
#include "platform/utf.h"
#include "run/rename_command.h"
#include "run/rename_run.h"
#include "run/sample_name.h"
#include "run/undo.h"

namespace tessaline::cli {
namespace {

constexpr int kTextFolderMissing = 28;

bool isSet(const CliOptions& options, std::u16string_view field) {
  for (const auto& [name, value] : options.fields) {
    if (name == field) return true;
  }
  return false;
}

// Status lines that are not message boxes: the language's " Language file is
// lost!" notice goes to stderr.
class ConsoleLanguageHost : public config::LanguageHost {
 public:
  void showStatus(std::u16string_view text) override { writeLine(stderr, text); }
  void applyMainWindowTexts() override {}
  void applyOtherWindowTextsLater() override {}
};

// Everything one call works with, wired into a RunContext.
class Session {
 public:
  Session(const CliOptions& options, CliSettings settings)
      : m_options(options),
        m_settings(std::move(settings)),
        m_messages(options.yes),
        m_notice(m_language),
        m_pump(m_state),
        m_host(!options.preview),
        m_saveDialog(options.output ? absoluteItemPath(*options.output) : std::u16string()),
        m_engine(m_fs, m_locale, m_messages, m_language, m_clock.secondsSinceEpoch()),
        m_journal(m_fs, m_settings.dataDir + u"Undos/"),
        m_newNames(m_fs, m_settings.dataDir) {
    ConsoleLanguageHost languageHost;
    config::chooseLanguage(m_fs, m_locale, m_settings.programDir + u"Languages/",
                           m_settings.app.language, true, m_language, languageHost);
    m_state.renamedFilesTotal = m_settings.renamedFilesTotal;
    m_fs.createFolder(m_settings.dataDir + u"Undos");
    m_journal.recoverPending();
    m_newNames.load();
  }

  int run();
  std::int64_t renamedFilesTotal() const { return m_state.renamedFilesTotal; }

 private:
  run::RunContext context(run::FileListView& list) { return context(list, m_messages); }
  run::RunContext context(run::FileListView& list, platform::Messages& messages) {
    return run::RunContext{
        m_fs,       messages, m_shell,   m_clock, m_language,   m_settings.app,
        m_newNames, m_engine, m_journal, m_state, m_preview,    m_progress,
        m_notice,   list,     m_pump,    m_host,  m_saveDialog, m_settings.programDir + u"end.wav",
        &m_locale};
  }

  int undo();
  int editOrSave();
  std::optional<engine::RenameJob> buildJob();
  void completeSample(engine::RenameJob& job, run::FileListView& list);
  int finish(run::RunContext& context, const engine::RenameJob& job, run::CommandOutcome outcome);
  void report(std::u16string_view text) { writeLine(stderr, text); }

  const CliOptions& m_options;
  CliSettings m_settings;
  platform::PosixFileSystem m_fs;
  platform::PosixLocale m_locale;
  platform::SystemClock m_clock;
  ConsoleShell m_shell;
  config::LanguageTable m_language;
  ConsoleMessages m_messages;
  run::RunState m_state;
  ConsolePreview m_preview;
  ConsoleProgress m_progress;
  ConsoleNotice m_notice;
  ConsolePump m_pump;
  ConsoleHost m_host;
  ConsoleSaveDialog m_saveDialog;
  engine::NameEngine m_engine;
  run::UndoJournal m_journal;
  config::NewNameList m_newNames;
};

int Session::run() {
  return m_options.undo ? undo() : editOrSave();
}

int Session::undo() {
  ConsoleFileList list(m_fs, {}, {}, m_settings.app.checkbox, false, false);
  run::RunContext ctx = context(list);
  const run::UndoOutcome outcome = run::undoLastRun(ctx, false);
  if (!outcome.ran) return kExitNothingDone;
  return outcome.restored > 0 || outcome.failed == 0 ? kExitDone : kExitNothingDone;
}

std::optional<engine::RenameJob> Session::buildJob() {
  engine::RenameJob job;
  const std::optional<engine::EditMode> mode = engine::parseEditMode(m_options.mode);
  if (!mode || *mode == engine::EditMode::Browsefile) {
    report(u"tessaline-cli: unknown mode \"" + m_options.mode +
           u"\"; the modes are Removpart Replapart Addnewnum Changnew Changexten Savealls "
           u"Savesomes");
    return std::nullopt;
  }
  job.editMode = *mode;
  job.excludeSmallWords = m_settings.app.capevery;
  if (m_options.folder) {
    job.targetFolder = absoluteFolderPath(*m_options.folder);
  } else {
    job.filesMode = true;
    for (const std::u16string& file : m_options.files)
      job.selectedFiles.push_back(absoluteItemPath(file));
  }
  for (const auto& [name, value] : m_options.fields) {
    if (const auto error = engine::setRenameJobField(job, name, value)) {
      report(u"tessaline-cli: " + *error);
      return std::nullopt;
    }
  }
  job.editMode = *mode;  // --mode wins over a --set EditMode
  return job;
}

// Fills what the editor would have shown: the sample name, its length as the
// sample box holds it, and the old extension of the extension panel. Picks the
// sample silently; the Rename command tells the user when there is none.
void Session::completeSample(engine::RenameJob& job, run::FileListView& list) {
  if (job.sampleName.empty()) {
    if (job.targetFolder.empty()) {
      if (!job.selectedFiles.empty()) job.sampleName = job.selectedFiles.front();
    } else {
      platform::SilentMessages silent;
      run::RunContext quiet = context(list, silent);
      job.sampleName = run::chooseSample(quiet, job).name;
    }
  }
  const engine::PathParts sample = engine::splitPath(m_fs, job.sampleName);
  const bool extensionMode = job.editMode == engine::EditMode::Changexten;
  if (!isSet(m_options, u"SampleLength")) {
    job.sampleLength = static_cast<int>((extensionMode ? sample.fileName : sample.baseName).size());
  }
  if (extensionMode && !isSet(m_options, u"OldExtension") && sample.extension.size() > 1) {
    job.oldExtension = sample.extension.substr(1);
  }
}

int Session::editOrSave() {
  std::optional<engine::RenameJob> job = buildJob();
  if (!job) return kExitRefused;
  if (!job->targetFolder.empty() && !m_fs.folderExists(job->targetFolder)) {
    m_messages.information(m_language.text(config::kCaptionInformation),
                           m_language.text(kTextFolderMissing));
    return kExitRefused;
  }
  ConsoleFileList list(m_fs, job->targetFolder, job->selectedFiles, m_settings.app.checkbox,
                       m_settings.app.showhiddenfile, m_settings.app.showsysfile);
  run::RunContext ctx = context(list);
  if (job->editMode == engine::EditMode::Savesomes) {
    return exporting::saveNameList(ctx, *job).empty() ? kExitRefused : kExitDone;
  }
  // A start with a mode and a target edits that target directly, as the
  // windows do when another program hands them the items.
  m_state.directEdit = true;
  m_state.previewMode = m_options.preview;
  completeSample(*job, list);
  const run::CommandOutcome outcome = run::renameCommand(ctx, *job);
  return finish(ctx, *job, outcome);
}

int Session::finish(run::RunContext& ctx, const engine::RenameJob& job,
                    run::CommandOutcome outcome) {
  run::writeJournal(ctx, job.editMode);
  switch (outcome.action) {
    case run::CommandOutcome::Action::Stopped:
      return kExitRefused;
    case run::CommandOutcome::Action::Saved:
      return kExitDone;
    case run::CommandOutcome::Action::Ran:
      break;
  }
  if (m_options.preview) return kExitDone;
  report(run::countsText(m_language, m_state.renamedCount, m_state.failedCount));
  return m_state.renamedCount > 0 ? kExitDone : kExitNothingDone;
}

}  // namespace

int runSession(const CliOptions& options) {
  platform::PosixFileSystem fs;
  std::optional<CliSettings> settings = loadCliSettings(fs, options);
  if (!settings) return kExitRefused;
  Session session(options, *settings);
  const int status = session.run();
  saveCliSettings(fs, *settings, session.renamedFilesTotal());
  return status;
}

}  // namespace tessaline::cli
