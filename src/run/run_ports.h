#pragma once

#include <functional>
#include <string>
#include <string_view>

// What a rename run, an undo and an export need from the windows. The GUI,
// the command line and the tests each implement these.
namespace tessaline::run {

// The preview window's list.
class PreviewSink {
 public:
  virtual ~PreviewSink() = default;
  virtual void clear() = 0;
  virtual void addItemRow(std::u16string_view oldName, std::u16string_view newName) = 0;
  virtual void addNoteRow(std::u16string_view text) = 0;
  virtual int rowCount() const = 0;
  virtual void show() = 0;
  virtual void setMaximized(bool maximized) = 0;
};

// The progress window. runModal shows it, runs the work once inside it and
// returns when the work has finished and the window has closed. Its Cancel
// (after the user confirmed) sets RunState::stopRequested.
class Progress {
 public:
  virtual ~Progress() = default;
  virtual void runModal(const std::function<void()>& work) = 0;
  virtual void setNames(std::u16string_view oldName, std::u16string_view newName) = 0;
  virtual void setRange(int range) = 0;
  virtual void setPosition(int position) = 0;
  virtual void advance(int steps) = 0;
  // The searching form: the labels covered by "Searching... please wait".
  virtual void showSearching(bool searching) = 0;
};

// The rename error notice; it keeps its own "do not show again" state.
class RenameErrorNotice {
 public:
  virtual ~RenameErrorNotice() = default;
  virtual void notify(std::u16string_view oldName, std::u16string_view newName) = 0;
};

// The main window's file list.
class FileListView {
 public:
  virtual ~FileListView() = default;
  virtual int rowCount() const = 0;
  // A file or folder name in folder mode, a full path in files mode.
  virtual std::u16string caption(int row) const = 0;
  virtual bool isChecked(int row) const = 0;
  virtual bool hasCheckBoxes() const = 0;
  virtual void setCaption(int row, std::u16string_view caption) = 0;
  // Adds a row for path (a full path) at the end.
  virtual void addListItem(std::u16string_view path) = 0;
  // The number of files the last folder listing counted.
  virtual int listedFileCount() const = 0;
  virtual void clear() = 0;
  // The text of the folder box (the listed folder, ending with the separator).
  virtual std::u16string folderBoxText() const = 0;
  // Lists the folder again, or in files mode refreshes the rows.
  virtual void refresh() = 0;
};

// Lets pending window messages run (a no-op without windows).
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void processPendingEvents() = 0;
};

// The windows around a run: the editor, the main window, the cursor.
class RunHost {
 public:
  virtual ~RunHost() = default;
  virtual void setBusy(bool busy) = 0;  // the hourglass cursor
  // Hides the editor and the preview window during a run in the progress window.
  virtual void hideEditor() = 0;
  virtual void showEditor() = 0;
  // Closes the editor after a finished run or save (RunState::runFinished is set).
  virtual void closeEditor() = 0;
  // Closes the main window, which ends the program.
  virtual void closeProgram() = 0;
  // Starts the one-shot journal timer; when it fires, the host calls
  // writeJournal(). A host without timers may call it at once.
  virtual void scheduleJournalWrite(int milliseconds) = 0;
  // A panel of the main window's status bar.
  virtual void setStatus(int panel, std::u16string_view text) = 0;
  // A real run renamed an item (called once per item, after the rename).
  virtual void itemRenamed(std::u16string_view /*oldPath*/, std::u16string_view /*newPath*/) {}
};

// The save file dialog of a name list export.
class SaveDialog {
 public:
  virtual ~SaveDialog() = default;
  // The file name the user chose; empty when the dialog was cancelled. The
  // dialog remembers its last file name while the program runs.
  virtual std::u16string askFileName() = 0;
};

}  // namespace tessaline::run
