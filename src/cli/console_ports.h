#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/language_table.h"
#include "platform/file_system.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "run/run_ports.h"
#include "run/run_state.h"

// The command line's side of the ports: texts go to stdout and stderr as
// UTF-8 lines, questions are answered by --yes, nothing waits for a person.
namespace tessaline::cli {

// Writes text and a line feed to a stream, UTF-8 with escaped bytes restored.
void writeLine(std::FILE* stream, std::u16string_view text);

class ConsoleMessages : public platform::Messages {
 public:
  explicit ConsoleMessages(bool answerYes) : m_answer(answerYes) {}
  void information(std::u16string_view caption, std::u16string_view text) override;
  bool okCancel(std::u16string_view caption, std::u16string_view text) override;
  bool yesNo(std::u16string_view caption, std::u16string_view text) override;
  // True once a question was answered Cancel or No.
  bool declined() const { return m_declined; }

 private:
  bool answer(std::u16string_view text);

  bool m_answer;
  bool m_declined = false;
};

class ConsolePreview : public run::PreviewSink {
 public:
  void clear() override { m_rows = 0; }
  void addItemRow(std::u16string_view oldName, std::u16string_view newName) override;
  void addNoteRow(std::u16string_view text) override;
  int rowCount() const override { return m_rows; }
  void show() override {}
  void setMaximized(bool) override {}

 private:
  int m_rows = 0;
};

class ConsoleProgress : public run::Progress {
 public:
  void runModal(const std::function<void()>& work) override { work(); }
  void setNames(std::u16string_view, std::u16string_view) override {}
  void setRange(int) override {}
  void setPosition(int) override {}
  void advance(int) override {}
  void showSearching(bool) override {}
};

// Every failed rename is told on stderr; the command line never silences it.
class ConsoleNotice : public run::RenameErrorNotice {
 public:
  explicit ConsoleNotice(const config::LanguageTable& language) : m_language(language) {}
  void notify(std::u16string_view oldName, std::u16string_view newName) override;

 private:
  const config::LanguageTable& m_language;
};

// The rows a window's file list would hold: the given files (files mode), or
// the entries of the target folder, read when first asked for.
class ConsoleFileList : public run::FileListView {
 public:
  ConsoleFileList(const platform::FileSystem& fs, std::u16string folder,
                  std::vector<std::u16string> files, bool checkBoxes, bool showHidden,
                  bool showSystem);

  int rowCount() const override;
  std::u16string caption(int row) const override;
  bool isChecked(int) const override { return true; }
  bool hasCheckBoxes() const override { return m_checkBoxes; }
  void setCaption(int row, std::u16string_view caption) override;
  void addListItem(std::u16string_view path) override;
  int listedFileCount() const override;
  void clear() override;
  std::u16string folderBoxText() const override { return m_folder; }
  void refresh() override {}

 private:
  void listFolder() const;

  const platform::FileSystem& m_fs;
  std::u16string m_folder;
  bool m_checkBoxes, m_showHidden, m_showSystem;
  mutable bool m_listed = false;
  mutable std::vector<std::u16string> m_rows;
  mutable int m_fileCount = 0;
};

// Lets a Ctrl+C stop a run or an undo before its next item.
class ConsolePump : public run::EventPump {
 public:
  explicit ConsolePump(run::RunState& state);
  void processPendingEvents() override;

 private:
  run::RunState& m_state;
};

class ConsoleHost : public run::RunHost {
 public:
  explicit ConsoleHost(bool printRenames) : m_printRenames(printRenames) {}
  void setBusy(bool) override {}
  void hideEditor() override {}
  void showEditor() override {}
  void closeEditor() override {}
  void closeProgram() override {}
  void scheduleJournalWrite(int) override { m_journalDue = true; }
  void setStatus(int panel, std::u16string_view text) override;
  void itemRenamed(std::u16string_view oldPath, std::u16string_view newPath) override;
  bool journalDue() const { return m_journalDue; }

 private:
  bool m_printRenames;
  bool m_journalDue = false;
  std::string m_line;
};

// The save dialog answers once with --output; asked again (after a refused
// replace) it cancels, so a script never loops.
class ConsoleSaveDialog : public run::SaveDialog {
 public:
  explicit ConsoleSaveDialog(std::u16string output) : m_output(std::move(output)) {}
  std::u16string askFileName() override { return std::exchange(m_output, std::u16string()); }

 private:
  std::u16string m_output;
};

// No text editor opens and no sound plays from the command line.
class ConsoleShell : public platform::Shell {
 public:
  void openFile(std::u16string_view) override {}
  void playSound(std::u16string_view) override {}
  std::u16string homeFolder() const override;
};

}  // namespace tessaline::cli
