#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/app_settings.h"
#include "config/language_table.h"
#include "config/new_name_list.h"
#include "engine/name_engine.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/memory_file_system.h"
#include "platform/path_style.h"
#include "platform/shell.h"
#include "run/run_context.h"
#include "run/run_ports.h"
#include "run/run_state.h"
#include "run/undo_journal.h"
#include "support/recording_messages.h"

// Recording fakes of the ports a run, an undo or an export works with, and a
// world that owns one of each and hands out a RunContext over them.
namespace tessaline::testing {

using NamePair = std::pair<std::u16string, std::u16string>;

// The preview window: keeps its rows.
class FakePreview : public run::PreviewSink {
 public:
  struct Row {
    bool note = false;
    std::u16string oldName;  // empty for a note row
    std::u16string newName;  // the note's text for a note row
  };

  void clear() override {
    rows.clear();
    ++clears;
  }
  void addItemRow(std::u16string_view oldName, std::u16string_view newName) override {
    rows.push_back({false, std::u16string(oldName), std::u16string(newName)});
  }
  void addNoteRow(std::u16string_view text) override {
    rows.push_back({true, {}, std::u16string(text)});
  }
  int rowCount() const override { return static_cast<int>(rows.size()); }
  void show() override { ++shows; }
  void setMaximized(bool isMaximized) override {
    maximized = isMaximized;
    ++stateChanges;
  }

  // The item rows as (old name, new name).
  std::vector<NamePair> itemRows() const {
    std::vector<NamePair> items;
    for (const Row& row : rows) {
      if (!row.note) items.emplace_back(row.oldName, row.newName);
    }
    return items;
  }
  std::vector<std::u16string> noteRows() const {
    std::vector<std::u16string> notes;
    for (const Row& row : rows) {
      if (row.note) notes.push_back(row.newName);
    }
    return notes;
  }

  std::vector<Row> rows;
  int clears = 0;
  int shows = 0;
  bool maximized = false;
  int stateChanges = 0;
};

// The progress window: runModal runs the work at once.
class FakeProgress : public run::Progress {
 public:
  void runModal(const std::function<void()>& work) override {
    ++modalRuns;
    inside = true;
    work();
    inside = false;
  }
  void setNames(std::u16string_view oldName, std::u16string_view newName) override {
    names.emplace_back(oldName, newName);
  }
  void setRange(int value) override { range = value; }
  void setPosition(int value) override { position = value; }
  void advance(int steps) override {
    position += steps;
    advanced += steps;
  }
  void showSearching(bool value) override {
    searching = value;
    ++searchingChanges;
  }

  int modalRuns = 0;
  bool inside = false;          // the work is running inside runModal
  std::vector<NamePair> names;  // every setNames, in order
  int range = 0;
  int position = 0;
  std::int64_t advanced = 0;  // sum of all advance() steps
  bool searching = false;
  int searchingChanges = 0;
};

// The rename error notice with its "do not show again" box.
class FakeNotice : public run::RenameErrorNotice {
 public:
  void notify(std::u16string_view oldName, std::u16string_view newName) override {
    ++calls;
    if (silenced) return;
    shown.emplace_back(oldName, newName);
    if (silenceAfterFirst) silenced = true;
  }

  bool silenced = false;
  bool silenceAfterFirst = false;  // the user ticks the box in the first notice
  int calls = 0;                   // notify() calls, shown or not
  std::vector<NamePair> shown;     // the notices the user saw
};

// The main window's file list over a vector of rows.
class FakeFileList : public run::FileListView {
 public:
  struct Row {
    std::u16string caption;
    bool checked = true;
  };

  int rowCount() const override { return static_cast<int>(rows.size()); }
  std::u16string caption(int row) const override { return rows.at(row).caption; }
  bool isChecked(int row) const override { return rows.at(row).checked; }
  bool hasCheckBoxes() const override { return checkBoxes; }
  void setCaption(int row, std::u16string_view text) override {
    rows.at(row).caption = text;
    ++captionChanges;
  }
  void addListItem(std::u16string_view path) override {
    rows.push_back({std::u16string(path), true});
    added.emplace_back(path);
  }
  int listedFileCount() const override { return listedFiles; }
  void clear() override {
    rows.clear();
    ++clears;
  }
  std::u16string folderBoxText() const override { return folderBox; }
  void refresh() override { ++refreshes; }

  // Adds rows with these captions, all checked.
  void setRows(const std::vector<std::u16string>& captions) {
    rows.clear();
    for (const std::u16string& text : captions)
      rows.push_back({text, true});
  }
  std::vector<std::u16string> captions() const {
    std::vector<std::u16string> result;
    for (const Row& row : rows)
      result.push_back(row.caption);
    return result;
  }

  std::vector<Row> rows;
  bool checkBoxes = true;
  int listedFiles = 0;
  std::u16string folderBox;
  std::vector<std::u16string> added;  // every addListItem, in order
  int captionChanges = 0;
  int clears = 0;
  int refreshes = 0;
};

// Lets "window messages" run: counts the calls and runs onPump, where a test
// can press Cancel or change the disk in the middle of a run.
class FakeEventPump : public run::EventPump {
 public:
  void processPendingEvents() override {
    ++calls;
    if (onPump) onPump();
  }

  int calls = 0;
  std::function<void()> onPump;
};

// The windows around a run.
class FakeRunHost : public run::RunHost {
 public:
  void setBusy(bool value) override {
    busy = value;
    ++busyChanges;
  }
  void hideEditor() override { ++editorHides; }
  void showEditor() override { ++editorShows; }
  void closeEditor() override { ++editorCloses; }
  void closeProgram() override { ++programCloses; }
  void scheduleJournalWrite(int milliseconds) override {
    journalWrites.push_back(milliseconds);
    if (onScheduleJournalWrite) onScheduleJournalWrite(milliseconds);
  }
  void setStatus(int panel, std::u16string_view text) override { status[panel] = text; }
  void itemRenamed(std::u16string_view oldPath, std::u16string_view newPath) override {
    renamed.emplace_back(oldPath, newPath);
  }

  bool busy = false;
  int busyChanges = 0;
  int editorHides = 0;
  int editorShows = 0;
  int editorCloses = 0;
  int programCloses = 0;
  std::vector<int> journalWrites;  // the delays of scheduleJournalWrite()
  std::function<void(int)> onScheduleJournalWrite;
  std::map<int, std::u16string> status;
  std::vector<NamePair> renamed;  // (old path, new path) per renamed item
};

// The save dialog: returns a preset file name (empty = cancelled).
class FakeSaveDialog : public run::SaveDialog {
 public:
  std::u16string askFileName() override {
    ++asks;
    return fileName;
  }

  std::u16string fileName;
  int asks = 0;
};

// The desktop: records what was opened and played.
class FakeShell : public platform::Shell {
 public:
  void openFile(std::u16string_view path) override { opened.emplace_back(path); }
  void playSound(std::u16string_view path) override { sounds.emplace_back(path); }
  std::u16string homeFolder() const override { return home; }

  std::vector<std::u16string> opened;
  std::vector<std::u16string> sounds;
  std::u16string home;
};

// One of every service a run needs, over the file system of a test. The
// fields are public so that a test can set them up and look at them.
class RunWorld {
 public:
  // dataFolder ends with the separator; its "Undos" folder is made here. On a
  // MemoryFileSystem the folders are added (with their parents).
  RunWorld(platform::MemoryFileSystem& memoryFs, std::u16string dataFolder, bool answer = true)
      : RunWorld(static_cast<platform::FileSystem&>(memoryFs), std::move(dataFolder), answer,
                 &memoryFs) {}
  // On another file system dataFolder must exist; only "Undos" is created.
  RunWorld(platform::FileSystem& anyFs, std::u16string dataFolder, bool answer = true)
      : RunWorld(anyFs, std::move(dataFolder), answer, nullptr) {}

  // A context over the services; it refers to this world.
  run::RunContext context() {
    return run::RunContext{fs,     messages, shell,      clock,        language, settings, newNames,
                           engine, journal,  state,      preview,      progress, notice,   list,
                           pump,   host,     saveDialog, endSoundPath, &locale};
  }

  platform::FileSystem& fs;
  std::u16string dataDir;
  std::u16string undosFolder;
  RecordingMessages messages;
  FakeShell shell;
  platform::FixedClock clock;
  platform::FixedLocale locale;
  config::LanguageTable language;
  config::AppSettings settings;
  config::NewNameList newNames;
  engine::NameEngine engine;
  run::UndoJournal journal;
  run::RunState state;
  FakePreview preview;
  FakeProgress progress;
  FakeNotice notice;
  FakeFileList list;
  FakeEventPump pump;
  FakeRunHost host;
  FakeSaveDialog saveDialog;
  std::u16string endSoundPath;

 private:
  RunWorld(platform::FileSystem& anyFs, std::u16string folder, bool answer,
           platform::MemoryFileSystem* memoryFs)
      : fs(anyFs),
        dataDir(std::move(folder)),
        undosFolder(makeUndosFolder(anyFs, dataDir, memoryFs)),
        messages(answer),
        newNames(anyFs, dataDir),
        engine(anyFs, locale, messages, language, 12345),
        journal(anyFs, undosFolder),
        endSoundPath(dataDir + u"end.wav") {}

  static std::u16string makeUndosFolder(platform::FileSystem& anyFs, const std::u16string& data,
                                        platform::MemoryFileSystem* memoryFs) {
    const std::u16string undos = data + u"Undos" + platform::separatorOf(anyFs.style());
    if (memoryFs) {
      memoryFs->addFolder(undos);
    } else {
      anyFs.createFolder(undos);
    }
    return undos;
  }
};

}  // namespace tessaline::testing
