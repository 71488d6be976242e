// Takes the input as an undo journal, and then as a pending file left by a
// program that ended early, on an in-memory file system holding a few items:
// reads it, undoes it, recovers it and undoes again. Nothing may crash, an
// undo never leaves the journal longer than it found it, and what it leaves
// (like what a recovery writes) is whole pairs.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "config/app_settings.h"
#include "config/language_table.h"
#include "config/new_name_list.h"
#include "engine/name_engine.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/memory_file_system.h"
#include "run/run_context.h"
#include "run/undo.h"
#include "run/undo_journal.h"

namespace {

using namespace tessaline;

class YesMessages : public platform::Messages {
 public:
  void information(std::u16string_view, std::u16string_view) override {}
  bool okCancel(std::u16string_view, std::u16string_view) override { return true; }
  bool yesNo(std::u16string_view, std::u16string_view) override { return true; }
};

class QuietShell : public platform::Shell {
 public:
  void openFile(std::u16string_view) override {}
  void playSound(std::u16string_view) override {}
  std::u16string homeFolder() const override { return u"/"; }
};

class NoPreview : public run::PreviewSink {
 public:
  void clear() override {}
  void addItemRow(std::u16string_view, std::u16string_view) override {}
  void addNoteRow(std::u16string_view) override {}
  int rowCount() const override { return 0; }
  void show() override {}
  void setMaximized(bool) override {}
};

class InlineProgress : public run::Progress {
 public:
  void runModal(const std::function<void()>& work) override { work(); }
  void setNames(std::u16string_view, std::u16string_view) override {}
  void setRange(int) override {}
  void setPosition(int) override {}
  void advance(int) override {}
  void showSearching(bool) override {}
};

class QuietNotice : public run::RenameErrorNotice {
 public:
  void notify(std::u16string_view, std::u16string_view) override {}
};

class RowList : public run::FileListView {
 public:
  int rowCount() const override { return static_cast<int>(rows.size()); }
  std::u16string caption(int row) const override { return rows.at(row); }
  bool isChecked(int) const override { return true; }
  bool hasCheckBoxes() const override { return true; }
  void setCaption(int row, std::u16string_view text) override { rows.at(row) = text; }
  void addListItem(std::u16string_view path) override { rows.emplace_back(path); }
  int listedFileCount() const override { return 0; }
  void clear() override { rows.clear(); }
  std::u16string folderBoxText() const override { return folderBox; }
  void refresh() override {}

  std::vector<std::u16string> rows;
  std::u16string folderBox;
};

// Presses Cancel after a number of pairs, when asked to.
class CancellingPump : public run::EventPump {
 public:
  explicit CancellingPump(run::RunState& state) : m_state(state) {}
  void processPendingEvents() override {
    if (cancelAfter > 0 && --cancelAfter == 0) m_state.stopRequested = true;
  }
  int cancelAfter = 0;

 private:
  run::RunState& m_state;
};

class QuietHost : public run::RunHost {
 public:
  void setBusy(bool) override {}
  void hideEditor() override {}
  void showEditor() override {}
  void closeEditor() override {}
  void closeProgram() override {}
  void scheduleJournalWrite(int) override {}
  void setStatus(int, std::u16string_view) override {}
};

class NoSaveDialog : public run::SaveDialog {
 public:
  std::u16string askFileName() override { return {}; }
};

struct World {
  explicit World(platform::MemoryFileSystem& memory, std::u16string undos)
      : fs(memory),
        newNames(memory, undos),
        engine(memory, locale, messages, language, 1),
        journal(memory, undos),
        pump(state) {}

  run::RunContext context() {
    return run::RunContext{fs,     messages, shell,      clock,      language, settings, newNames,
                           engine, journal,  state,      preview,    progress, notice,   list,
                           pump,   host,     saveDialog, u"end.wav", &locale};
  }

  platform::MemoryFileSystem& fs;
  YesMessages messages;
  QuietShell shell;
  platform::FixedClock clock;
  platform::FixedLocale locale;
  config::LanguageTable language;
  config::AppSettings settings;
  config::NewNameList newNames;
  engine::NameEngine engine;
  run::UndoJournal journal;
  run::RunState state;
  NoPreview preview;
  InlineProgress progress;
  QuietNotice notice;
  RowList list;
  CancellingPump pump;
  QuietHost host;
  NoSaveDialog saveDialog;
};

void addItems(platform::MemoryFileSystem& fs, bool posix) {
  const std::vector<std::u16string_view> items =
      posix ? std::vector<std::u16string_view>{u"/x/a.txt", u"/x/b.txt", u"/x/Sub/c", u"/x/A.TXT"}
            : std::vector<std::u16string_view>{u"C:\\x\\a.txt", u"C:\\x\\b.txt", u"C:\\x\\Sub\\c",
                                               u"C:\\x\\B.TXT"};
  for (std::u16string_view item : items)
    fs.addFile(item);
}

void check(bool condition) {
  if (!condition) std::abort();
}

// The journal never grows: an undo keeps at most the pairs it was given.
void undoAndCheck(World& world) {
  const auto before = world.journal.readLines();
  run::RunContext context = world.context();
  const run::UndoOutcome outcome = run::undoLastRun(context, true);
  if (!before) return;
  check(outcome.ran);
  check(outcome.restored + outcome.failed <= static_cast<int>(before->size() / 2));
  const auto after = world.journal.readLines();
  if (after) {
    check(after->size() % 2 == 0);
    check(after->size() <= before->size() - 2 * static_cast<std::size_t>(outcome.restored));
  }
  check(!world.state.stopRequested);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const bool posix = (data[0] & 1) != 0;
  const bool folderMode = (data[0] & 2) != 0;
  const int cancelAfter = data[1] % 8;
  const std::string bytes(reinterpret_cast<const char*>(data + 2), size - 2);

  platform::MemoryFileSystem fs(posix ? platform::PathStyle::Posix : platform::PathStyle::Windows);
  fs.refuseCaseOnlyRenames((data[0] & 4) != 0 && !posix);
  const std::u16string undos = posix ? u"/data/Undos/" : u"C:\\data\\Undos\\";
  fs.addFolder(undos);
  addItems(fs, posix);
  World world(fs, undos);
  world.list.folderBox = folderMode ? (posix ? u"/x/" : u"C:\\x\\") : u"";
  world.list.rows = folderMode ? std::vector<std::u16string>{u"a.txt", u"b.txt"}
                               : std::vector<std::u16string>{posix ? u"/x/a.txt" : u"C:\\x\\a.txt"};

  // As a journal.
  fs.addFileWithContent(world.journal.journalPath(), bytes);
  world.pump.cancelAfter = cancelAfter;
  undoAndCheck(world);

  // As a pending file left behind, then its journal undone.
  fs.addFileWithContent(world.journal.pendingPath(), bytes);
  world.journal.recoverPending();
  check(!fs.exists(world.journal.pendingPath()));
  const auto recovered = world.journal.readLines();
  check(!recovered || recovered->size() % 2 == 0);
  world.pump.cancelAfter = 0;
  undoAndCheck(world);

  // The same bytes continued as this program's own pending file.
  fs.addFileWithContent(world.journal.pendingPath(), bytes);
  if (world.journal.recordPending(posix ? u"/x/n" : u"C:\\x\\n", posix ? u"/x/o" : u"C:\\x\\o")) {
    world.journal.dropLastPending();
  }
  world.journal.writeJournal();
  world.journal.readLines();
  return 0;
}
