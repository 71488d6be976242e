#include "run/undo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run/run_bench.h"
#include "support/test_text.h"

namespace tessaline::run {
namespace {

using testing::NamePair;
using testing::numberingJob;
using testing::replaceJob;
using testing::RunBench;
using testing::utf16;
using Paths = std::vector<std::u16string>;

constexpr std::u16string_view kUndoCompleted =
    u"UNDO COMPLETED! Previous filenames have been restored.";

class UndoTest : public ::testing::Test {
 protected:
  // A finished run of job, its journal written.
  void renameAndJournal(const engine::RenameJob& job) {
    bench.run(job);
    bench.writeJournal();
  }

  RunBench bench;
};

TEST_F(UndoTest, AsksThenRenamesEverythingBackAndDeletesTheJournal) {
  bench.fs.addFile(u"C:\\x\\a.txt");
  bench.fs.addFile(u"C:\\x\\c.txt");
  renameAndJournal(numberingJob());
  const UndoOutcome outcome = bench.undo(true);
  const auto& boxes = bench.world.messages.boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, u"Undo Confirmation");
  EXPECT_EQ(boxes[0].text, u"Do you want to UNDO the last rename operation?");
  EXPECT_TRUE(outcome.ran);
  EXPECT_EQ(outcome.restored, 2);
  EXPECT_EQ(outcome.failed, 0);
  EXPECT_EQ(bench.namesIn(u"C:\\x"), (Paths{u"a.txt", u"c.txt"}));
  EXPECT_FALSE(bench.world.journal.exists());
  EXPECT_EQ(bench.world.host.status.at(1), kUndoCompleted);
  EXPECT_EQ(bench.world.list.refreshes, 1);
  EXPECT_EQ(bench.world.list.clears, 0);           // Options3 keeps the list
  EXPECT_EQ(bench.world.shell.sounds.size(), 2u);  // the run's and the undo's
  EXPECT_EQ(bench.world.progress.modalRuns, 0);
}

TEST_F(UndoTest, NoOrNoJournalDoesNothing) {
  EXPECT_FALSE(bench.undo(true).ran);  // no journal: not even the question
  EXPECT_TRUE(bench.world.messages.boxes().empty());

  RunBench no;
  no.world.messages = testing::RecordingMessages(false);
  no.fs.addFile(u"C:\\x\\a.txt");
  no.run(numberingJob());
  no.writeJournal();
  const std::string journal = no.journalBytes();
  EXPECT_FALSE(no.undo(true).ran);
  EXPECT_EQ(no.journalBytes(), journal);
  EXPECT_EQ(no.namesIn(u"C:\\x"), (Paths{u"n1.txt"}));
  EXPECT_TRUE(no.world.host.status.empty());
}

TEST_F(UndoTest, UndoesTheLastRenameFirst) {
  // A chain: a to b, then c to a.
  bench.fs.addFile(u"C:\\x\\a");
  bench.fs.addFile(u"C:\\x\\c");
  ASSERT_TRUE(bench.world.journal.rewrite({u"C:\\x\\b", u"C:\\x\\a", u"C:\\x\\a", u"C:\\x\\c"}));
  bench.fs.rename(u"C:\\x\\a", u"C:\\x\\b");
  bench.fs.rename(u"C:\\x\\c", u"C:\\x\\a");
  const UndoOutcome outcome = bench.undo();
  EXPECT_EQ(outcome.restored, 2);
  EXPECT_EQ(bench.namesIn(u"C:\\x"), (Paths{u"a", u"c"}));
  EXPECT_FALSE(bench.world.journal.exists());
}

TEST_F(UndoTest, RestoresFoldersRenamedAfterTheirContents) {
  // One run: nested folders, the innermost renamed first.
  bench.fs.addFile(u"C:\\x\\pa\\pb\\pc\\f.txt");
  engine::RenameJob folders = replaceJob(u"p", u"q");
  folders.editScope = 2;
  folders.includeSubfolders = true;
  bench.world.list.checkBoxes = false;
  renameAndJournal(folders);
  ASSERT_EQ(bench.namesIn(u"C:\\x\\qa\\qb"), (Paths{u"qc"}));
  EXPECT_EQ(bench.undo().restored, 3);
  EXPECT_EQ(bench.namesIn(u"C:\\x\\pa\\pb\\pc"), (Paths{u"f.txt"}));

  // Two runs in one journal: a folder's files, then the folder.
  RunBench twice;
  twice.fs.addFile(u"C:\\x\\pa\\pf.txt");
  twice.fs.addFile(u"C:\\x\\pa\\pg.txt");
  twice.world.list.checkBoxes = false;
  engine::RenameJob files = replaceJob(u"p", u"q");
  files.includeSubfolders = true;
  twice.run(files);
  twice.run(folders);
  twice.writeJournal();
  ASSERT_EQ(twice.namesIn(u"C:\\x\\qa"), (Paths{u"qf.txt", u"qg.txt"}));
  EXPECT_EQ(twice.undo().restored, 3);
  EXPECT_EQ(twice.namesIn(u"C:\\x\\pa"), (Paths{u"pf.txt", u"pg.txt"}));
}

TEST_F(UndoTest, KeepsThePairsThatFailed) {
  bench.fs.addFile(u"C:\\x\\a1.txt");
  bench.fs.addFile(u"C:\\x\\a2.txt");
  bench.fs.addFile(u"C:\\x\\a3.txt");
  renameAndJournal(replaceJob(u"a", u"b"));
  bench.fs.failRename(u"C:\\x\\b2.txt");
  const UndoOutcome outcome = bench.undo();
  EXPECT_EQ(outcome.restored, 2);
  EXPECT_EQ(outcome.failed, 1);
  EXPECT_EQ(bench.namesIn(u"C:\\x"), (Paths{u"a1.txt", u"b2.txt", u"a3.txt"}));
  EXPECT_EQ(bench.journalBytes(), "C:\\x\\b2.txt\r\nC:\\x\\a2.txt\r\n");
  EXPECT_TRUE(bench.fs.isReadOnly(bench.world.journal.journalPath()));
  EXPECT_EQ(bench.world.host.status.at(1), u"2 renamed successfully,1 failed.");
}

TEST_F(UndoTest, ACancelledUndoKeepsWhatItDidNotTry) {
  for (int i = 1; i <= 4; ++i)
    bench.fs.addFile(u"C:\\x\\a" + utf16(std::to_string(i)));
  renameAndJournal(replaceJob(u"a", u"b"));
  bench.fs.failRename(u"C:\\x\\b4");  // the first pair the undo tries
  int pumps = 0;
  bench.world.pump.onPump = [&] {
    if (++pumps == 2) bench.world.state.stopRequested = true;
  };
  const UndoOutcome first = bench.undo();
  EXPECT_TRUE(first.cancelled);
  EXPECT_EQ(first.restored, 1);
  EXPECT_EQ(first.failed, 1);
  EXPECT_FALSE(bench.world.state.stopRequested);
  EXPECT_EQ(bench.namesIn(u"C:\\x"), (Paths{u"b1", u"b2", u"a3", u"b4"}));
  EXPECT_EQ(bench.journalBytes(),
            "C:\\x\\b1\r\nC:\\x\\a1\r\nC:\\x\\b2\r\nC:\\x\\a2\r\n"
            "C:\\x\\b4\r\nC:\\x\\a4\r\n");
  EXPECT_EQ(bench.world.host.status.at(1), u"1 renamed successfully,1 failed.");

  bench.world.pump.onPump = nullptr;
  const UndoOutcome second = bench.undo();
  EXPECT_EQ(second.restored, 2);
  EXPECT_EQ(second.failed, 1);
  EXPECT_EQ(bench.journalBytes(), "C:\\x\\b4\r\nC:\\x\\a4\r\n");
}

TEST_F(UndoTest, LargeJournalsRunInTheProgressWindow) {
  for (const int pairs : {30, 31}) {
    SCOPED_TRACE(pairs);
    RunBench large;
    Paths lines;
    for (int i = 0; i < pairs; ++i) {
      const std::u16string n = utf16(std::to_string(i));
      large.fs.addFile(u"C:\\x\\b" + n);
      lines.push_back(u"C:\\x\\b" + n);
      lines.push_back(u"C:\\x\\a" + n);
    }
    ASSERT_TRUE(large.world.journal.rewrite(lines));
    const UndoOutcome outcome = large.undo();
    EXPECT_EQ(outcome.restored, pairs);
    const auto& progress = large.world.progress;
    EXPECT_EQ(progress.modalRuns, pairs == 31 ? 1 : 0);
    if (pairs == 31) {
      EXPECT_EQ(progress.range, 62);
      EXPECT_EQ(progress.advanced, 62);
      EXPECT_EQ(progress.names.front(), (NamePair{u"b30", u"a30"}));
    }
    EXPECT_FALSE(large.world.state.insideProgress);
  }
}

TEST_F(UndoTest, UpdatesTheListRows) {
  struct Row {
    const char* name;
    std::u16string folderBox;
    Paths before, after;
  };
  const Row rows[] = {
      {"files mode, the last equal row",
       u"",
       {u"C:\\x\\b1", u"C:\\x\\b2", u"C:\\x\\b1", u"C:\\x\\other"},
       {u"C:\\x\\b1", u"C:\\x\\a2", u"C:\\x\\a1", u"C:\\x\\other"}},
      {"folder mode", u"C:\\x\\", {u"b1", u"b2", u"other"}, {u"a1", u"a2", u"other"}},
      {"folder box without separator", u"C:\\x", {u"b1", u"b2"}, {u"a1", u"a2"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RunBench listed;
    listed.fs.addFile(u"C:\\x\\b1");
    listed.fs.addFile(u"C:\\x\\b2");
    ASSERT_TRUE(
        listed.world.journal.rewrite({u"C:\\x\\b1", u"C:\\x\\a1", u"C:\\x\\b2", u"C:\\x\\a2"}));
    listed.world.list.folderBox = row.folderBox;
    listed.world.list.setRows(row.before);
    listed.undo();
    EXPECT_EQ(listed.world.list.captions(), row.after);
  }
}

TEST_F(UndoTest, EmptiesTheListWithoutOptions3AndPlaysNoSoundWithoutEndsound) {
  bench.fs.addFile(u"C:\\x\\b");
  ASSERT_TRUE(bench.world.journal.rewrite({u"C:\\x\\b", u"C:\\x\\a"}));
  bench.world.settings.options3 = false;
  bench.world.settings.endsound = false;
  bench.world.list.setRows({u"C:\\x\\b"});
  bench.undo();
  EXPECT_EQ(bench.world.list.clears, 1);
  EXPECT_TRUE(bench.world.shell.sounds.empty());
  EXPECT_EQ(bench.world.list.refreshes, 1);
}

TEST_F(UndoTest, ChangesCaseBackThroughATemporaryName) {
  bench.fs.refuseCaseOnlyRenames(true);
  bench.fs.addFile(u"C:\\x\\PHOTO.jpg");
  ASSERT_TRUE(bench.world.journal.rewrite({u"C:\\x\\PHOTO.jpg", u"C:\\x\\photo.jpg"}));
  const UndoOutcome outcome = bench.undo();
  EXPECT_EQ(outcome.restored, 1);
  EXPECT_EQ(bench.namesIn(u"C:\\x"), (Paths{u"photo.jpg"}));
}

TEST_F(UndoTest, UndoesARunWhoseJournalWasNotWrittenYet) {
  bench.fs.addFile(u"C:\\x\\a.txt");
  renameAndJournal(replaceJob(u"a", u"b"));
  bench.run(replaceJob(u"b", u"c"));  // its journal timer has not fired
  const UndoOutcome outcome = bench.undo();
  EXPECT_EQ(outcome.restored, 1);
  EXPECT_EQ(bench.namesIn(u"C:\\x"), (Paths{u"b.txt"}));
}

TEST_F(UndoTest, BrokenJournalsAreHandledSafely) {
  struct Row {
    const char* name;
    std::string journal;
    int restored, failed;
    std::string left;  // the journal afterwards
  };
  const Row rows[] = {
      {"a last line without partner", "C:\\x\\b\r\nC:\\x\\a\r\nC:\\x\\z\r\n", 1, 0, ""},
      {"empty lines", "\r\n\r\nC:\\x\\b\r\nC:\\x\\a\r\n", 1, 1, "\r\n\r\n"},
      {"an old name that is taken", "C:\\x\\b\r\nC:\\x\\c\r\n", 0, 1, "C:\\x\\b\r\nC:\\x\\c\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RunBench broken;
    broken.fs.addFile(u"C:\\x\\b");
    broken.fs.addFile(u"C:\\x\\c");
    broken.fs.addFileWithContent(broken.world.journal.journalPath(), row.journal);
    const UndoOutcome outcome = broken.undo();
    EXPECT_EQ(outcome.restored, row.restored);
    EXPECT_EQ(outcome.failed, row.failed);
    EXPECT_EQ(broken.journalBytes(), row.left);
  }
}

}  // namespace
}  // namespace tessaline::run
