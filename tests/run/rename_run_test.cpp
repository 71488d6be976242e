#include "run/rename_run.h"

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

constexpr std::u16string_view kNothingChanged =
    u"No filename has been changed. Please check input text and make sure that the targeted "
    u"files can be renamed.";

// ---------------------------------------------------------------------------
// Real runs

TEST(RenameRun, CollidingNewNamesAreNumberedInOrder) {
  RunBench bench;
  bench.fs.addFile(u"C:\\x\\a1.txt");
  bench.fs.addFile(u"C:\\x\\a2.txt");
  bench.fs.addFile(u"C:\\x\\a3.txt");
  bench.fs.addFile(u"C:\\x\\x(1).txt");
  engine::RenameJob job = numberingJob();
  job.newNameText = u"x";
  bench.run(job);
  EXPECT_EQ(bench.renamedTo(),
            (Paths{u"C:\\x\\x.txt", u"C:\\x\\x(2).txt", u"C:\\x\\x(3).txt", u"C:\\x\\x(4).txt"}));
  EXPECT_EQ(bench.pendingBytes(),
            "C:\\x\\x.txt\r\nC:\\x\\a1.txt\r\nC:\\x\\x(2).txt\r\nC:\\x\\a2.txt\r\n"
            "C:\\x\\x(3).txt\r\nC:\\x\\a3.txt\r\nC:\\x\\x(4).txt\r\nC:\\x\\x(1).txt\r\n");
  EXPECT_EQ(bench.world.state.renamedCount, 4);
  EXPECT_EQ(bench.world.state.renamedFilesTotal, 4);
  EXPECT_EQ(bench.world.state.failedCount, 0);
  EXPECT_TRUE(bench.world.notice.shown.empty());
}

TEST(RenameRun, UsesTheProgressWindowForLargeRuns) {
  struct Row {
    const char* name;
    int listedFiles;
    std::size_t selectedFiles;
    bool subfolders;
    bool progress;
  };
  const Row rows[] = {
      {"3 files", 3, 0, false, false},
      {"6 listed files", 6, 0, false, true},
      {"6 selected files", 0, 6, false, true},
      {"subfolders", 0, 0, true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RunBench bench;
    for (int i = 1; i <= 6; ++i)
      bench.fs.addFile(u"C:\\x\\f" + utf16(std::to_string(i)) + u".txt");
    bench.world.list.listedFiles = row.listedFiles;
    engine::RenameJob job = numberingJob();
    job.selectedFiles.assign(row.selectedFiles, u"C:\\x\\unused");
    job.includeSubfolders = row.subfolders;
    bench.run(job);
    const auto& progress = bench.world.progress;
    EXPECT_EQ(progress.modalRuns, row.progress ? 1 : 0);
    EXPECT_EQ(bench.world.host.editorHides, row.progress ? 1 : 0);
    EXPECT_EQ(progress.names.size(), row.progress ? 6u : 0u);
    if (row.progress) {
      EXPECT_EQ(progress.names.front(), (NamePair{u"f1.txt", u"n1.txt"}));
      EXPECT_EQ(progress.range, 6);  // the folder's batch
    }
    EXPECT_FALSE(bench.world.state.insideProgress);
    EXPECT_EQ(bench.world.state.renamedCount, 6);
  }
}

TEST(RenameRun, FinishesByTheSettings) {
  struct Row {
    const char* name;
    bool options1, endsound;
  };
  const Row rows[] = {
      {"timer", false, true}, {"exit at once", true, true}, {"quiet", false, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RunBench bench;
    bench.fs.addFile(u"C:\\x\\a.txt");
    bench.world.settings.options1 = row.options1;
    bench.world.settings.endsound = row.endsound;
    bench.run(numberingJob());
    const auto& host = bench.world.host;
    EXPECT_EQ(host.programCloses, row.options1 ? 1 : 0);
    EXPECT_EQ(host.editorCloses, row.options1 ? 0 : 1);
    EXPECT_EQ(bench.world.state.runFinished, !row.options1);
    EXPECT_EQ(host.journalWrites, row.options1 ? std::vector<int>{} : std::vector<int>{3000});
    EXPECT_EQ(bench.world.journal.exists(), row.options1);
    EXPECT_EQ(bench.world.shell.sounds, row.endsound ? Paths{u"C:\\data\\end.wav"} : Paths{});
    EXPECT_TRUE(bench.world.messages.boxes().empty());
  }
}

TEST(RenameRun, ARunThatRenamedNothingKeepsTheEditorAndTheJournal) {
  struct Row {
    const char* name;
    bool failRenames;
  };
  for (const Row row : {Row{"nothing to change", false}, Row{"every rename fails", true}}) {
    SCOPED_TRACE(row.name);
    RunBench bench;
    bench.fs.addFile(u"C:\\x\\a.txt");
    bench.fs.addFile(u"C:\\x\\b.txt");
    bench.run(replaceJob(u"a", u"z"));
    bench.writeJournal();
    const std::string journal = bench.journalBytes();
    ASSERT_FALSE(journal.empty());
    const auto& host = bench.world.host;
    const std::size_t timers = host.journalWrites.size();
    if (row.failRenames) {
      bench.fs.failRename(u"C:\\x\\z.txt");
      bench.fs.failRename(u"C:\\x\\b.txt");
    }
    bench.run(row.failRenames ? numberingJob() : replaceJob(u"q", u"z"));
    EXPECT_EQ(bench.world.notice.shown.size(), row.failRenames ? 2u : 0u);
    EXPECT_EQ(host.editorShows, 1);
    ASSERT_EQ(bench.world.messages.boxes().size(), 1u);
    EXPECT_EQ(bench.world.messages.boxes()[0].caption, u"Information");
    EXPECT_EQ(bench.world.messages.boxes()[0].text, kNothingChanged);
    EXPECT_EQ(host.journalWrites.size(), timers);
    EXPECT_EQ(bench.world.shell.sounds.size(), 1u);  // the first run's only
    EXPECT_EQ(bench.journalBytes(), journal);
    EXPECT_FALSE(bench.fs.exists(bench.world.journal.pendingPath()));
  }
}

// The run takes a name as free until the rename finds it taken; a name that
// would be refused unnumbered is still numbered first, as a check would.
TEST(RenameRun, AReservedNameIsRefusedUnlessItsNumberedFormIsUsed) {
  for (const bool taken : {false, true}) {
    SCOPED_TRACE(taken);
    RunBench bench(platform::PathStyle::Posix);
    bench.fs.addFile(u"/x/a");
    if (taken) bench.fs.addFile(u"/x/con");
    engine::RenameJob job = numberingJob(u"/x/");
    job.newNameText = u"con";
    bench.run(job);
    if (taken) {
      EXPECT_EQ(bench.renamedTo(), (Paths{u"/x/con(1)"}));
      EXPECT_TRUE(bench.world.messages.boxes().empty());
    } else {
      EXPECT_TRUE(bench.renamedTo().empty());
      EXPECT_EQ(bench.world.state.failedCount, 1);
      EXPECT_TRUE(bench.world.notice.shown.empty());  // the message said why
      ASSERT_EQ(bench.world.messages.boxes().size(), 2u);
      EXPECT_TRUE(bench.world.messages.boxes()[0].text.starts_with(u"The new filename:: 'con' "));
    }
  }
}

TEST(RenameRun, AFailedRenameIsReportedAndTheRunGoesOn) {
  RunBench bench;
  bench.fs.addFile(u"C:\\x\\a.txt");
  bench.fs.addFile(u"C:\\x\\b.txt");
  bench.fs.addFile(u"C:\\x\\c.txt");
  bench.fs.failRename(u"C:\\x\\b.txt");
  bench.run(numberingJob());
  EXPECT_EQ(bench.world.notice.shown, (std::vector<NamePair>{{u"b.txt", u"n2.txt"}}));
  EXPECT_EQ(bench.world.state.failedCount, 1);
  EXPECT_EQ(bench.world.state.renamedCount, 2);
  // The counters move on with renamed items only; the failure left no record.
  EXPECT_EQ(bench.namesIn(u"C:\\x"), (Paths{u"n1.txt", u"b.txt", u"n2.txt"}));
  EXPECT_EQ(bench.pendingBytes(),
            "C:\\x\\n1.txt\r\nC:\\x\\a.txt\r\nC:\\x\\n2.txt\r\nC:\\x\\c.txt\r\n");
}

TEST(RenameRun, ASilencedNoticeStillCountsEveryFailure) {
  RunBench bench;
  for (const char16_t* name : {u"C:\\x\\a.txt", u"C:\\x\\b.txt", u"C:\\x\\c.txt"}) {
    bench.fs.addFile(name);
    bench.fs.failRename(name);
  }
  bench.world.notice.silenceAfterFirst = true;
  bench.run(numberingJob());
  EXPECT_EQ(bench.world.notice.shown.size(), 1u);
  EXPECT_EQ(bench.world.notice.calls, 3);
  EXPECT_EQ(bench.world.state.failedCount, 3);
}

TEST(RenameRun, AnItemThatVanishedBeforeItsTurnFails) {
  RunBench bench;
  bench.fs.addFile(u"C:\\x\\a.txt");
  bench.fs.addFile(u"C:\\x\\b.txt");
  bench.fs.addFile(u"C:\\x\\c.txt");
  bench.world.pump.onPump = [&bench] {
    if (bench.world.pump.calls == 1) bench.fs.removeFile(u"C:\\x\\b.txt");
  };
  bench.run(numberingJob());
  EXPECT_EQ(bench.world.notice.shown, (std::vector<NamePair>{{u"b.txt", u"n2.txt"}}));
  EXPECT_EQ(bench.namesIn(u"C:\\x"), (Paths{u"n1.txt", u"n2.txt"}));
}

TEST(RenameRun, AFolderThatCannotBeReadGivesNoItems) {
  RunBench bench;
  bench.fs.addFile(u"C:\\x\\Bad\\b.txt");
  bench.fs.addFile(u"C:\\x\\Good\\g.txt");
  bench.fs.addFile(u"C:\\x\\a.txt");
  bench.fs.failEnumerate(u"C:\\x\\Bad\\");
  engine::RenameJob job = numberingJob();
  job.includeSubfolders = true;
  bench.run(job);
  EXPECT_EQ(bench.renamedFrom(), (Paths{u"C:\\x\\Good\\g.txt", u"C:\\x\\a.txt"}));
  EXPECT_EQ(bench.world.state.failedCount, 0);
}

TEST(RenameRun, ANameTakenBeforeTheRenameIsNumbered) {
  RunBench bench;
  bench.fs.addFile(u"C:\\x\\a.txt");
  bench.fs.addFile(u"C:\\x\\b.txt");
  // Taken while the run goes on, after any check a preview could make.
  bench.world.pump.onPump = [&bench] {
    if (bench.world.pump.calls == 1) bench.fs.addFile(u"C:\\x\\n1.txt");
  };
  bench.run(numberingJob());
  EXPECT_EQ(bench.renamedTo(), (Paths{u"C:\\x\\n1(1).txt", u"C:\\x\\n2.txt"}));
  EXPECT_EQ(bench.fs.renameCalls(), 3);  // a free name costs one rename
  EXPECT_EQ(bench.pendingBytes(),
            "C:\\x\\n1(1).txt\r\nC:\\x\\a.txt\r\nC:\\x\\n2.txt\r\nC:\\x\\b.txt\r\n");
  EXPECT_EQ(bench.world.state.failedCount, 0);
}

TEST(RenameRun, RecordsEachRenameBeforeTheNext) {
  RunBench bench;
  bench.fs.addFile(u"C:\\x\\a.txt");
  bench.fs.addFile(u"C:\\x\\b.txt");
  std::vector<std::string> seen;
  bench.world.pump.onPump = [&] { seen.push_back(bench.pendingBytes()); };
  bench.run(numberingJob());
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0], "");
  EXPECT_EQ(seen[1], "C:\\x\\n1.txt\r\nC:\\x\\a.txt\r\n");
}

TEST(RenameRun, RenamesNothingWhenThePendingFileCannotBeWritten) {
  RunBench bench;
  bench.fs.addFile(u"C:\\x\\a.txt");
  bench.fs.addFile(u"C:\\x\\b.txt");
  bench.fs.failWrite(bench.world.journal.pendingPath());
  bench.run(numberingJob());
  EXPECT_EQ(bench.fs.renameCalls(), 0);
  EXPECT_EQ(bench.namesIn(u"C:\\x"), (Paths{u"a.txt", u"b.txt"}));
  EXPECT_EQ(bench.world.notice.shown.size(), 2u);
  EXPECT_EQ(bench.world.state.failedCount, 2);
  EXPECT_EQ(bench.world.messages.texts(), (Paths{std::u16string(kNothingChanged)}));
}

TEST(RenameRun, RefusesPathsTheJournalCannotHold) {
  struct Row {
    const char* name;
    std::u16string file, old, replacement;
    NamePair notice;
  };
  const Row rows[] = {
      {"old name with LF", u"/x/a\nb.txt", u"a", u"z", {u"a\nb.txt", u"z\nb.txt"}},
      {"new name with CR", u"/x/ab.txt", u"a", u"\r", {u"ab.txt", u"\rb.txt"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RunBench bench(platform::PathStyle::Posix);
    bench.fs.addFile(row.file);
    bench.run(replaceJob(row.old, row.replacement, u"/x/"));
    EXPECT_EQ(bench.world.notice.shown, (std::vector<NamePair>{row.notice}));
    EXPECT_EQ(bench.world.state.failedCount, 1);
    EXPECT_EQ(bench.fs.renameCalls(), 0);
    EXPECT_TRUE(bench.fs.exists(row.file));
    EXPECT_EQ(bench.pendingBytes(), "");
    EXPECT_EQ(bench.world.messages.texts(), (Paths{std::u16string(kNothingChanged)}));
  }
}

TEST(RenameRun, ChangesCaseThroughATemporaryNameWhereTheSystemRefuses) {
  struct Row {
    const char* name;
    bool refuse;
    int renameCalls;
  };
  for (const Row row : {Row{"refusing", true, 3}, Row{"accepting", false, 1}}) {
    SCOPED_TRACE(row.name);
    RunBench bench;
    bench.fs.refuseCaseOnlyRenames(row.refuse);
    bench.fs.addFile(u"C:\\x\\photo.jpg");
    bench.fs.addFile(u"C:\\x\\.tessaline-0.tmp");  // takes the first temporary name
    bench.fs.setHidden(u"C:\\x\\.tessaline-0.tmp", true);
    engine::RenameJob job = numberingJob();
    job.changeKind = engine::ChangeKind::ConvertCase;
    job.caseKind = engine::CaseKind::AllUpper;
    job.caseWithExtension = false;
    bench.run(job);
    EXPECT_EQ(bench.namesIn(u"C:\\x"), (Paths{u"PHOTO.jpg", u".tessaline-0.tmp"}));
    EXPECT_EQ(bench.fs.renameCalls(), row.renameCalls);
    EXPECT_EQ(bench.pendingBytes(), "C:\\x\\PHOTO.jpg\r\nC:\\x\\photo.jpg\r\n");
    EXPECT_TRUE(bench.world.notice.shown.empty());
  }
}

TEST(RenameRun, AnotherItemOfTheNameOnlyDifferingInCaseStopsTheRename) {
  RunBench bench(platform::PathStyle::Posix);
  bench.fs.addFile(u"/x/photo.jpg");
  bench.fs.addFile(u"/x/PHOTO.jpg");
  engine::RenameJob job = numberingJob(u"/x/");
  job.changeKind = engine::ChangeKind::ConvertCase;
  job.caseKind = engine::CaseKind::AllUpper;
  job.caseWithExtension = false;
  bench.run(job);
  EXPECT_EQ(bench.world.notice.shown, (std::vector<NamePair>{{u"photo.jpg", u"PHOTO.jpg"}}));
  EXPECT_EQ(bench.namesIn(u"/x"), (Paths{u"photo.jpg", u"PHOTO.jpg"}));
}

// ---------------------------------------------------------------------------
// The journal of a run

TEST(RenameRunJournal, TheTimerWritesTheRunsPairs) {
  RunBench bench;
  bench.fs.addFile(u"C:\\x\\a.txt");
  bench.fs.addFile(u"C:\\x\\c.txt");
  bench.run(replaceJob(u"a", u"b"));
  bench.run(replaceJob(u"c", u"d"));  // within the timer's 3 seconds: behind the first
  EXPECT_FALSE(bench.world.journal.exists());
  bench.writeJournal();
  EXPECT_EQ(bench.journalBytes(),
            "C:\\x\\b.txt\r\nC:\\x\\a.txt\r\nC:\\x\\d.txt\r\nC:\\x\\c.txt\r\n");
  EXPECT_TRUE(bench.fs.isReadOnly(bench.world.journal.journalPath()));
  EXPECT_FALSE(bench.fs.exists(bench.world.journal.pendingPath()));

  bench.run(replaceJob(u"b", u"e"));
  bench.writeJournal();
  EXPECT_EQ(bench.journalBytes(), "C:\\x\\e.txt\r\nC:\\x\\b.txt\r\n");  // replaced
}

TEST(RenameRunJournal, SavesWriteNoJournal) {
  RunBench bench;
  bench.fs.addFile(u"C:\\x\\a.txt");
  bench.run(replaceJob(u"a", u"b"));
  bench.writeJournal(engine::EditMode::Savealls);
  bench.writeJournal(engine::EditMode::Savesomes);
  EXPECT_FALSE(bench.world.journal.exists());
  bench.writeJournal(engine::EditMode::Replapart);
  EXPECT_TRUE(bench.world.journal.exists());
}

TEST(RenameRunJournal, AWriteDueDuringARunWaitsForItsEnd) {
  RunBench bench;
  bench.fs.addFile(u"C:\\x\\a.txt");
  bench.fs.addFile(u"C:\\x\\c.txt");
  bench.fs.addFile(u"C:\\x\\e.txt");
  bench.run(replaceJob(u"a", u"b"));
  // The first run's timer fires in the middle of the second run, after its
  // first rename; the second run's own timer fires at once.
  int pumps = 0;
  bench.world.pump.onPump = [&] {
    if (++pumps == 2) bench.writeJournal();
  };
  bench.world.host.onScheduleJournalWrite = [&bench](int) { bench.writeJournal(); };
  bench.run(numberingJob());
  EXPECT_EQ(bench.journalBytes(),
            "C:\\x\\b.txt\r\nC:\\x\\a.txt\r\nC:\\x\\n1.txt\r\nC:\\x\\b.txt\r\n"
            "C:\\x\\n2.txt\r\nC:\\x\\c.txt\r\nC:\\x\\n3.txt\r\nC:\\x\\e.txt\r\n");
}

TEST(RenameRunJournal, AWriteDueDuringARunThatRenamesNothingIsDueAgain) {
  RunBench bench;
  bench.fs.addFile(u"C:\\x\\a.txt");
  bench.run(replaceJob(u"a", u"b"));
  int pumps = 0;
  bench.world.pump.onPump = [&] {
    if (++pumps == 1) bench.writeJournal();  // before the run's first item
  };
  bench.run(replaceJob(u"q", u"z"));
  EXPECT_FALSE(bench.world.journal.exists());
  EXPECT_EQ(bench.world.host.journalWrites, (std::vector<int>{3000, 3000}));
}

// ---------------------------------------------------------------------------
// The new name list

TEST(RenameRunNewNames, AddsTheTextsOfTheShowingPanel) {
  struct Row {
    const char* name;
    engine::RenameJob job;
    Paths entries;  // newest first
  };
  engine::RenameJob insert;
  insert.editMode = engine::EditMode::Addnewnum;
  insert.insertHeadOn = true;
  insert.insertHeadText = u"head";
  insert.insertEndOn = false;
  insert.insertEndText = u"end";
  insert.insertCursorOn = true;
  insert.insertCursorText = u"cursor";
  insert.insertStringText = u"string";
  insert.replaceNew = u"replace";
  engine::RenameJob atString = insert;
  atString.insertKind = engine::InsertKind::InsertAtString;
  engine::RenameJob replace = insert;
  replace.editMode = engine::EditMode::Replapart;
  engine::RenameJob emptyNew = replace;
  emptyNew.replaceNew.clear();
  engine::RenameJob change = insert;
  change.editMode = engine::EditMode::Changnew;
  change.newNameText = u"name";
  const Row rows[] = {
      {"insert at position", insert, {u"cursor", u"head"}},
      {"insert at a string", atString, {u"string"}},
      {"replace", replace, {u"replace"}},
      {"empty text", emptyNew, {}},
      {"change", change, {u"name"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RunBench bench;
    updateNewNamesAfterRun(bench.world.newNames, row.job, 20);
    EXPECT_EQ(bench.world.newNames.entries(), row.entries);
  }
}

TEST(RenameRunNewNames, ARealRunAddsAPreviewDoesNot) {
  RunBench bench;
  bench.fs.addFile(u"C:\\x\\a.txt");
  bench.preview(replaceJob(u"a", u"b"));
  EXPECT_TRUE(bench.world.newNames.entries().empty());
  bench.run(replaceJob(u"a", u"b"));
  EXPECT_EQ(bench.world.newNames.entries(), (Paths{u"b"}));
}

}  // namespace
}  // namespace tessaline::run
