#include "run/undo_journal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/posix_file_system.h"
#include "platform/utf.h"
#include "run/run_bench.h"
#include "support/temp_dir.h"
#include "support/test_text.h"

namespace tessaline::run {
namespace {

using Lines = std::vector<std::u16string>;

class UndoJournalTest : public ::testing::Test {
 protected:
  void SetUp() override { fs.addFolder(u"C:\\data\\Undos"); }

  std::string bytesOf(const std::u16string& path) const { return fs.readFile(path).value_or(""); }

  platform::MemoryFileSystem fs;
  UndoJournal journal{fs, u"C:\\data\\Undos\\"};
};

TEST_F(UndoJournalTest, WritesThePairsNewThenOldEachLineEndedByCrLf) {
  EXPECT_EQ(journal.journalPath(), u"C:\\data\\Undos\\rollback.rbk");
  ASSERT_TRUE(journal.recordPending(u"C:\\x\\b.txt", u"C:\\x\\a.txt"));
  ASSERT_TRUE(journal.recordPending(u"C:\\x\\d.txt", u"C:\\x\\c.txt"));
  EXPECT_EQ(journal.pendingCount(), 2);
  EXPECT_FALSE(journal.exists());
  ASSERT_TRUE(journal.writeJournal());
  EXPECT_EQ(bytesOf(journal.journalPath()),
            "C:\\x\\b.txt\r\nC:\\x\\a.txt\r\nC:\\x\\d.txt\r\nC:\\x\\c.txt\r\n");
  EXPECT_TRUE(fs.isReadOnly(journal.journalPath()));
  EXPECT_FALSE(fs.exists(journal.pendingPath()));
  EXPECT_EQ(journal.pendingCount(), 0);
  EXPECT_EQ(journal.readLines(),
            (Lines{u"C:\\x\\b.txt", u"C:\\x\\a.txt", u"C:\\x\\d.txt", u"C:\\x\\c.txt"}));
}

TEST_F(UndoJournalTest, EachWriteReplacesTheJournalAndNothingPendingWritesNothing) {
  ASSERT_TRUE(journal.rewrite({u"C:\\old\\b", u"C:\\old\\a"}));
  EXPECT_TRUE(fs.isReadOnly(journal.journalPath()));
  EXPECT_TRUE(journal.writeJournal());  // nothing pending
  EXPECT_EQ(bytesOf(journal.journalPath()), "C:\\old\\b\r\nC:\\old\\a\r\n");

  ASSERT_TRUE(journal.recordPending(u"C:\\x\\b", u"C:\\x\\a"));
  ASSERT_TRUE(journal.writeJournal());
  EXPECT_EQ(bytesOf(journal.journalPath()), "C:\\x\\b\r\nC:\\x\\a\r\n");
  EXPECT_TRUE(fs.isReadOnly(journal.journalPath()));

  // The pending file starts again after a write.
  ASSERT_TRUE(journal.recordPending(u"C:\\x\\d", u"C:\\x\\c"));
  EXPECT_EQ(bytesOf(journal.pendingPath()), "C:\\x\\d\r\nC:\\x\\c\r\n");
}

TEST_F(UndoJournalTest, TakesBackOnlyTheLastRecord) {
  ASSERT_TRUE(journal.recordPending(u"C:\\x\\b", u"C:\\x\\a"));
  ASSERT_TRUE(journal.recordPending(u"C:\\x\\d", u"C:\\x\\c"));
  journal.dropLastPending();
  journal.dropLastPending();  // nothing more to take back
  EXPECT_EQ(journal.pendingCount(), 1);
  ASSERT_TRUE(journal.recordPending(u"C:\\x\\f", u"C:\\x\\e"));
  EXPECT_EQ(bytesOf(journal.pendingPath()), "C:\\x\\b\r\nC:\\x\\a\r\nC:\\x\\f\r\nC:\\x\\e\r\n");
}

TEST_F(UndoJournalTest, RefusesWhatItCannotRecord) {
  for (const auto& [newPath, oldPath] : std::vector<std::pair<std::u16string, std::u16string>>{
           {u"C:\\x\\b\r", u"C:\\x\\a"}, {u"C:\\x\\b", u"C:\\x\\a\nb"}}) {
    SCOPED_TRACE(testing::utf8(newPath + oldPath));
    EXPECT_FALSE(journal.recordPending(newPath, oldPath));
  }
  EXPECT_EQ(journal.pendingCount(), 0);
  EXPECT_EQ(bytesOf(journal.pendingPath()), "");

  platform::MemoryFileSystem unwritable;
  unwritable.addFolder(u"C:\\data\\Undos");
  unwritable.failWrite(u"C:\\data\\Undos\\rollback.pending");
  UndoJournal blocked(unwritable, u"C:\\data\\Undos\\");
  EXPECT_FALSE(blocked.recordPending(u"C:\\x\\b", u"C:\\x\\a"));
  EXPECT_EQ(blocked.pendingCount(), 0);
}

TEST_F(UndoJournalTest, AFailedWriteKeepsThePendingPairs) {
  ASSERT_TRUE(journal.rewrite({u"C:\\old\\b", u"C:\\old\\a"}));
  ASSERT_TRUE(journal.recordPending(u"C:\\x\\b", u"C:\\x\\a"));
  fs.failWrite(journal.journalPath());
  EXPECT_FALSE(journal.writeJournal());
  EXPECT_EQ(journal.pendingCount(), 1);
  EXPECT_EQ(bytesOf(journal.pendingPath()), "C:\\x\\b\r\nC:\\x\\a\r\n");
  EXPECT_EQ(bytesOf(journal.journalPath()), "C:\\old\\b\r\nC:\\old\\a\r\n");
  EXPECT_TRUE(fs.isReadOnly(journal.journalPath()));
}

TEST_F(UndoJournalTest, RecoversThePendingFileOfAProgramThatEndedEarly) {
  struct Row {
    const char* name;
    std::string pending;
    std::string journal;  // afterwards; "" for none
  };
  // On disk: C:\x\b and C:\x\c exist; C:\x\a and C:\x\d do not.
  const Row rows[] = {
      {"whole pairs", "C:\\x\\b\r\nC:\\x\\a\r\n", "C:\\x\\b\r\nC:\\x\\a\r\n"},
      {"a last record whose rename never happened",
       "C:\\x\\b\r\nC:\\x\\a\r\nC:\\x\\d\r\nC:\\x\\c\r\n", "C:\\x\\b\r\nC:\\x\\a\r\n"},
      {"a record cut short", "C:\\x\\b\r\nC:\\x\\a\r\nC:\\x\\d\r\nC:\\x",
       "C:\\x\\b\r\nC:\\x\\a\r\n"},
      {"a line cut short", "C:\\x\\b\r\nC:\\x\\a\r\nC:\\x\\d\r", "C:\\x\\b\r\nC:\\x\\a\r\n"},
      {"only a record that never happened", "C:\\x\\d\r\nC:\\x\\c\r\n", ""},
      {"empty", "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    platform::MemoryFileSystem disk;
    disk.addFile(u"C:\\x\\b");
    disk.addFile(u"C:\\x\\c");
    disk.addFileWithContent(u"C:\\data\\Undos\\rollback.pending", row.pending);
    UndoJournal recovered(disk, u"C:\\data\\Undos\\");
    recovered.recoverPending();
    EXPECT_FALSE(disk.exists(recovered.pendingPath()));
    EXPECT_EQ(disk.readFile(recovered.journalPath()).value_or(""), row.journal);
    EXPECT_EQ(disk.isReadOnly(recovered.journalPath()), !row.journal.empty());
  }
}

TEST_F(UndoJournalTest, RecoveryWithoutNewPairsLeavesTheJournal) {
  ASSERT_TRUE(journal.rewrite({u"C:\\old\\b", u"C:\\old\\a"}));
  journal.recoverPending();                                        // no pending file
  fs.addFileWithContent(journal.pendingPath(), "C:\\x\\new\r\n");  // half a record
  journal.recoverPending();
  EXPECT_EQ(bytesOf(journal.journalPath()), "C:\\old\\b\r\nC:\\old\\a\r\n");
  EXPECT_FALSE(fs.exists(journal.pendingPath()));
}

TEST_F(UndoJournalTest, ContinuesAPendingFileLeftBehindFromItsWholePairs) {
  fs.addFile(u"C:\\x\\b");
  fs.addFileWithContent(journal.pendingPath(), "C:\\x\\b\r\nC:\\x\\a\r\nC:\\x\\cut");
  ASSERT_TRUE(journal.recordPending(u"C:\\x\\d", u"C:\\x\\c"));
  EXPECT_EQ(journal.pendingCount(), 2);
  EXPECT_EQ(bytesOf(journal.pendingPath()), "C:\\x\\b\r\nC:\\x\\a\r\nC:\\x\\d\r\nC:\\x\\c\r\n");
}

TEST_F(UndoJournalTest, RewritesAndRemovesTheJournal) {
  ASSERT_TRUE(journal.rewrite({u"C:\\x\\b", u"C:\\x\\a"}));
  ASSERT_TRUE(journal.rewrite({u"C:\\x\\d", u"C:\\x\\c"}));
  EXPECT_EQ(bytesOf(journal.journalPath()), "C:\\x\\d\r\nC:\\x\\c\r\n");
  EXPECT_TRUE(fs.isReadOnly(journal.journalPath()));
  ASSERT_TRUE(journal.rewrite({}));
  EXPECT_FALSE(journal.exists());
  EXPECT_TRUE(journal.remove());
  EXPECT_FALSE(journal.readLines().has_value());
}

TEST_F(UndoJournalTest, ReadsEveryLineEndAndByteOrderMark) {
  fs.addFileWithContent(journal.journalPath(),
                        "\xEF\xBB\xBF"
                        "C:\\x\\b\nC:\\x\\a\rC:\\x\\d\r\nC:\\x\\c");
  EXPECT_EQ(journal.readLines(), (Lines{u"C:\\x\\b", u"C:\\x\\a", u"C:\\x\\d", u"C:\\x\\c"}));
}

// ---------------------------------------------------------------------------
// On a real disk

class UndoJournalDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.makeFolder("data");
    dir.makeFolder("x");
  }

  std::u16string path(std::string_view relative) const {
    return platform::fromUtf8(dir / relative);
  }

  testing::TempDir dir;
  platform::PosixFileSystem fs;
};

// A name that is no valid UTF-8 ("caf" + the Latin-1 byte of e-acute)
// survives the run, the journal and the undo byte for byte.
TEST_F(UndoJournalDiskTest, JournalsAndUndoesANameOfInvalidUtf8) {
  dir.writeFile("x/caf\xE9.txt", "content");
  testing::RunWorld world(fs, path("data/"));
  run::RunContext context = world.context();
  engine::RenameJob job = testing::replaceJob(u"caf", u"bar", path("x/"));
  startRun(context, job);
  writeJournal(context, job.editMode);

  ASSERT_TRUE(dir.exists("x/bar\xE9.txt"));
  EXPECT_EQ(dir.readFile("data/Undos/rollback.rbk"),
            dir / "x/bar\xE9.txt\r\n" + dir / "x/caf\xE9.txt\r\n");
  EXPECT_TRUE(fs.isReadOnly(world.journal.journalPath()));
  EXPECT_FALSE(dir.exists("data/Undos/rollback.pending"));

  const UndoOutcome outcome = undoLastRun(context, false);
  EXPECT_EQ(outcome.restored, 1);
  EXPECT_EQ(dir.readFile("x/caf\xE9.txt"), "content");
  EXPECT_FALSE(dir.exists("data/Undos/rollback.rbk"));
}

// A program killed after some renames: the next start finds every rename
// made in the pending file and offers to undo it.
TEST_F(UndoJournalDiskTest, TheNextStartRecoversTheRenamesOfAKilledRun) {
  dir.writeFile("x/a1.txt");
  dir.writeFile("x/a2.txt");
  dir.writeFile("x/a3.txt");
  {
    testing::RunWorld killed(fs, path("data/"));
    killed.pump.onPump = [&killed] {
      if (killed.state.renamedCount == 2) killed.state.stopRequested = true;
    };
    run::RunContext context = killed.context();
    startRun(context, testing::replaceJob(u"a", u"b", path("x/")));
    ASSERT_EQ(killed.state.renamedCount, 2);
    // A record whose rename the kill cut off.
    ASSERT_TRUE(killed.journal.recordPending(path("x/b3.txt"), path("x/a3.txt")));
  }  // no journal write: the program is gone

  testing::RunWorld next(fs, path("data/"));
  next.journal.recoverPending();
  ASSERT_TRUE(next.journal.exists());
  EXPECT_EQ(next.journal.readLines()->size(), 4u);
  run::RunContext context = next.context();
  const UndoOutcome outcome = undoLastRun(context, false);
  EXPECT_EQ(outcome.restored, 2);
  EXPECT_EQ(outcome.failed, 0);
  EXPECT_TRUE(dir.exists("x/a1.txt") && dir.exists("x/a2.txt") && dir.exists("x/a3.txt"));
}

}  // namespace
}  // namespace tessaline::run
