// The walks of a rename run and its previews: which items take part, in
// which order, and what a preview shows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/posix_file_system.h"
#include "platform/utf.h"
#include "run/run_bench.h"
#include "support/temp_dir.h"
#include "support/test_text.h"

namespace tessaline::run {
namespace {

using testing::NamePair;
using testing::numberingJob;
using testing::replaceJob;
using testing::RunBench;
using testing::utf16;
using Paths = std::vector<std::u16string>;

constexpr std::u16string_view kPreviewLimitNote =
    u"By default only 20 names are shown ('Preview file number' can be changed in 'Options')";

// ---------------------------------------------------------------------------
// Walks

TEST(RenameRunWalk, FolderWalkTakesTheItemsOfItsScope) {
  struct Row {
    const char* name;
    int scope;
    bool subfolders;
    Paths renamed;
  };
  const Row rows[] = {
      {"one layer", 0, false, {u"C:\\x\\a.txt", u"C:\\x\\b.jpg"}},
      {"one layer with subfolders, contents first",
       0,
       true,
       {u"C:\\x\\Sub\\c.txt", u"C:\\x\\a.txt", u"C:\\x\\b.jpg"}},
      {"checked files without check boxes", 1, false, {u"C:\\x\\a.txt", u"C:\\x\\b.jpg"}},
      {"only folders", 2, false, {u"C:\\x\\Sub"}},
      {"only folders with subfolders", 2, true, {u"C:\\x\\Sub\\Deep", u"C:\\x\\Sub"}},
      {"only this folder", 3, true, {u"C:\\x"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RunBench bench;
    bench.fs.addFile(u"C:\\x\\a.txt");
    bench.fs.addFile(u"C:\\x\\Sub\\c.txt");
    bench.fs.addFolder(u"C:\\x\\Sub\\Deep");
    bench.fs.addFile(u"C:\\x\\b.jpg");
    bench.world.list.checkBoxes = false;
    engine::RenameJob job = numberingJob();
    job.editScope = row.scope;
    job.includeSubfolders = row.subfolders;
    bench.run(job);
    EXPECT_EQ(bench.renamedFrom(), row.renamed);
    EXPECT_EQ(bench.world.state.failedCount, 0);
  }
}

TEST(RenameRunWalk, NestedFoldersAreRenamedInnermostFirstWithCountersPerFolder) {
  RunBench bench;
  bench.fs.addFolder(u"C:\\x\\A\\B\\C");
  bench.fs.addFile(u"C:\\x\\A\\f1.txt");
  bench.fs.addFile(u"C:\\x\\A\\f2.txt");
  bench.fs.addFile(u"C:\\x\\g.txt");
  bench.world.list.checkBoxes = false;
  engine::RenameJob job = numberingJob();
  job.includeSubfolders = true;
  job.editScope = 2;
  bench.run(job);
  // Every path still exists when its turn comes.
  EXPECT_EQ(bench.renamedFrom(), (Paths{u"C:\\x\\A\\B\\C", u"C:\\x\\A\\B", u"C:\\x\\A"}));
  EXPECT_EQ(bench.renamedTo(), (Paths{u"C:\\x\\A\\B\\n1", u"C:\\x\\A\\n1", u"C:\\x\\n1"}));

  RunBench files;
  files.fs.addFile(u"C:\\x\\Sub\\y1.txt");
  files.fs.addFile(u"C:\\x\\Sub\\y2.txt");
  files.fs.addFile(u"C:\\x\\x1.txt");
  files.fs.addFile(u"C:\\x\\x2.txt");
  job.editScope = 0;
  files.run(job);
  EXPECT_EQ(files.namesIn(u"C:\\x\\Sub"), (Paths{u"n1.txt", u"n2.txt"}));
  EXPECT_EQ(files.namesIn(u"C:\\x"), (Paths{u"Sub", u"n1.txt", u"n2.txt"}));
}

TEST(RenameRunWalk, WebpageFoldersAreNeitherEnteredNorRenamed) {
  for (const int scope : {0, 2}) {
    SCOPED_TRACE(scope);
    RunBench bench;
    bench.fs.addFile(u"C:\\x\\Album_FILES\\z.txt");
    bench.fs.addFile(u"C:\\x\\page.files\\z.txt");
    bench.fs.addFile(u"C:\\x\\.files\\z.txt");
    bench.fs.addFile(u"C:\\x\\Normal\\w.txt");
    engine::RenameJob job = numberingJob();
    job.editScope = scope;
    job.includeSubfolders = true;
    bench.world.list.checkBoxes = false;
    bench.run(job);
    EXPECT_EQ(bench.renamedFrom(),
              scope == 0 ? Paths{u"C:\\x\\Normal\\w.txt"} : Paths{u"C:\\x\\Normal"});
  }
}

// a.JPG, b.jpeg, c.peg, d, h.jpg (hidden), s.jpg (system), in that order.
void addFilterFiles(platform::MemoryFileSystem& fs) {
  for (const char16_t* name : {u"a.JPG", u"b.jpeg", u"c.peg", u"d", u"h.jpg", u"s.jpg"})
    fs.addFile(std::u16string(u"C:\\x\\") + name);
  fs.setHidden(u"C:\\x\\h.jpg", true);
  fs.setSystem(u"C:\\x\\s.jpg", true);
}

struct FilterRow {
  const char* name;
  bool hidden, system, typeOn;
  const char16_t* types;
  std::vector<std::u16string> renamed;  // file names
};

const std::vector<FilterRow>& folderFilterRows() {
  static const std::vector<FilterRow> rows = {
      {"no filter", false, false, false, u"", {u"a.JPG", u"b.jpeg", u"c.peg", u"d"}},
      {"types", false, false, true, u"jpg,jpeg", {u"a.JPG", u"b.jpeg"}},
      {"types with an empty entry", false, false, true, u"jpg,", {u"a.JPG", u"d"}},
      {"types and hidden", true, false, true, u"JPG", {u"a.JPG", u"h.jpg"}},
      {"hidden and system",
       true,
       true,
       false,
       u"",
       {u"a.JPG", u"b.jpeg", u"c.peg", u"d", u"h.jpg", u"s.jpg"}},
  };
  return rows;
}

Paths fileNames(const Paths& paths) {
  Paths names;
  for (const std::u16string& path : paths)
    names.push_back(path.substr(path.rfind(u'\\') + 1));
  return names;
}

TEST(RenameRunWalk, FolderWalkFiltersHiddenSystemAndTypes) {
  for (const FilterRow& row : folderFilterRows()) {
    SCOPED_TRACE(row.name);
    RunBench bench;
    addFilterFiles(bench.fs);
    engine::RenameJob job = numberingJob();
    job.includeHidden = row.hidden;
    job.includeSystem = row.system;
    job.typeFilterOn = row.typeOn;
    job.typeFilterList = row.types;
    bench.run(job);
    EXPECT_EQ(fileNames(bench.renamedFrom()), row.renamed);
  }
}

TEST(RenameRunWalk, ListWalkOfPathsFiltersOnlyWhenAFilterIsOn) {
  const std::vector<FilterRow> rows = {
      // Without any filter option the list's hidden and system rows are renamed too.
      {"no filter", false, false, false, u"", {u"a.JPG", u"b.jpeg", u"c.peg", u"d", u"s.jpg"}},
      {"types only: hidden and system skipped",
       false,
       false,
       true,
       u"jpg,jpeg",
       {u"a.JPG", u"b.jpeg"}},
      {"hidden only: system skipped",
       true,
       false,
       false,
       u"",
       {u"a.JPG", u"b.jpeg", u"c.peg", u"d"}},
  };
  for (const FilterRow& row : rows) {
    SCOPED_TRACE(row.name);
    RunBench bench;
    addFilterFiles(bench.fs);
    for (const char16_t* name : {u"a.JPG", u"b.jpeg", u"c.peg", u"d", u"h.jpg", u"s.jpg"})
      bench.world.list.rows.push_back({std::u16string(u"C:\\x\\") + name, true});
    bench.world.list.rows[4].checked = false;  // h.jpg
    engine::RenameJob job = numberingJob(u"");
    job.filesMode = true;
    job.includeHidden = row.hidden;
    job.includeSystem = row.system;
    job.typeFilterOn = row.typeOn;
    job.typeFilterList = row.types;
    bench.run(job);
    EXPECT_EQ(fileNames(bench.renamedFrom()), row.renamed);
  }
}

TEST(RenameRunWalk, ListWalkInFolderModeFollowsTheChecks) {
  struct Row {
    const char* name;
    int scope;
    bool subfolders;
    Paths renamed;
    Paths captions;
  };
  const Row rows[] = {
      {"checked files", 1, false, {u"C:\\x\\a.txt"}, {u"n1.txt", u"b.txt", u"Sub"}},
      {"checked files and the files of checked folders",
       1,
       true,
       {u"C:\\x\\a.txt", u"C:\\x\\Sub\\c.txt"},
       {u"n1.txt", u"b.txt", u"Sub"}},
      // The list's own items go on with the counters where the folder's batch left them.
      {"checked folders after their contents",
       2,
       true,
       {u"C:\\x\\Sub\\Inner", u"C:\\x\\Sub"},
       {u"a.txt", u"b.txt", u"n2"}},
      // The walk goes over the disk: unchecked and unlisted files too.
      {"scope 0 walks the folder",
       0,
       false,
       {u"C:\\x\\a.txt", u"C:\\x\\b.txt", u"C:\\x\\d.txt"},
       {u"a.txt", u"b.txt", u"Sub"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RunBench bench;
    bench.fs.addFile(u"C:\\x\\a.txt");
    bench.fs.addFile(u"C:\\x\\b.txt");
    bench.fs.addFile(u"C:\\x\\Sub\\c.txt");
    bench.fs.addFolder(u"C:\\x\\Sub\\Inner");
    bench.fs.addFile(u"C:\\x\\d.txt");
    bench.world.list.setRows({u"a.txt", u"b.txt", u"Sub"});
    bench.world.list.rows[1].checked = false;
    engine::RenameJob job = numberingJob();
    job.editScope = row.scope;
    job.includeSubfolders = row.subfolders;
    bench.run(job);
    EXPECT_EQ(bench.renamedFrom(), row.renamed);
    EXPECT_EQ(bench.world.list.captions(), row.captions);
  }
}

TEST(RenameRunWalk, ListWalkOfPathsSetsTheRowsToTheNewPaths) {
  RunBench bench;
  bench.fs.addFile(u"C:\\x\\a.txt");
  bench.fs.addFile(u"C:\\y\\b.txt");
  bench.fs.addFile(u"C:\\y\\c.txt");
  bench.world.list.setRows({u"C:\\x\\a.txt", u"C:\\y\\b.txt", u"C:\\y\\c.txt"});
  bench.world.list.rows[2].checked = false;
  bench.run(numberingJob(u""));
  // Files mode has no folders: the counters run on over the whole list.
  EXPECT_EQ(bench.world.list.captions(),
            (Paths{u"C:\\x\\n1.txt", u"C:\\y\\n2.txt", u"C:\\y\\c.txt"}));
}

TEST(RenameRunWalk, DirectEditListShowsEveryItemAgain) {
  RunBench bench;
  bench.fs.addFile(u"C:\\x\\a.txt");
  bench.fs.addFile(u"C:\\x\\keep.txt");
  bench.fs.addFile(u"C:\\x\\ba.txt");
  bench.fs.failRename(u"C:\\x\\ba.txt");
  bench.world.state.directEdit = true;
  engine::RenameJob job = replaceJob(u"a", u"z", u"");
  job.selectedFiles = {u"C:\\x\\a.txt", u"C:\\x\\keep.txt", u"C:\\x\\ba.txt"};
  bench.run(job);
  // Renamed, unchanged and failed items all come back, in order.
  EXPECT_EQ(bench.world.list.added, (Paths{u"C:\\x\\z.txt", u"C:\\x\\keep.txt", u"C:\\x\\ba.txt"}));
  EXPECT_EQ(bench.world.notice.shown, (std::vector<NamePair>{{u"ba.txt", u"bz.txt"}}));
  EXPECT_EQ(bench.world.state.failedCount, 1);
  EXPECT_EQ(bench.world.host.editorHides, 0);
}

// A link back up the tree would make the walk endless; links to folders are
// renamed like folders but never entered.
TEST(RenameRunWalk, DoesNotEnterLinksToFolders) {
  testing::TempDir dir;
  dir.makeFolder("data");
  dir.writeFile("x/sub/f.txt");
  ASSERT_EQ(symlink("..", (dir / "x/sub/up").c_str()), 0);
  platform::PosixFileSystem fs;
  testing::RunWorld world(fs, platform::fromUtf8(dir / "data/"));
  world.list.checkBoxes = false;
  engine::RenameJob job = replaceJob(u"f", u"g", platform::fromUtf8(dir / "x/"));
  job.includeSubfolders = true;
  run::RunContext context = world.context();
  startRun(context, job);
  EXPECT_EQ(world.state.renamedCount, 1);
  EXPECT_TRUE(dir.exists("x/sub/g.txt"));
  EXPECT_LE(world.pump.calls, 5);  // the folders x and sub only

  job = replaceJob(u"up", u"top", job.targetFolder);
  job.editScope = 2;
  job.includeSubfolders = true;
  startRun(context, job);
  EXPECT_EQ(world.state.renamedCount, 2);
  EXPECT_TRUE(dir.exists("x/sub/top/sub/g.txt"));
}

// ---------------------------------------------------------------------------
// Previews

TEST(RenameRunPreview, StopsAtTheRowLimitWithANote) {
  RunBench bench;
  for (int i = 0; i < 50; ++i)
    bench.fs.addFile(u"C:\\x\\f" + utf16(std::to_string(i)) + u".txt");
  bench.world.settings.prenum = 20;
  bench.world.settings.previewMax = true;
  bench.world.list.listedFiles = 50;
  bench.preview(numberingJob());
  const auto& preview = bench.world.preview;
  ASSERT_EQ(preview.itemRows().size(), 20u);
  EXPECT_EQ(preview.itemRows()[0], (NamePair{u"f0.txt", u"n1.txt"}));
  EXPECT_EQ(preview.itemRows()[19], (NamePair{u"f19.txt", u"n20.txt"}));
  EXPECT_EQ(preview.noteRows(), (Paths{std::u16string(kPreviewLimitNote)}));
  EXPECT_EQ(preview.shows, 1);
  EXPECT_TRUE(preview.maximized);
  EXPECT_EQ(bench.world.pump.calls, 22);  // 21 items looked at, then the stop
  EXPECT_EQ(bench.world.progress.modalRuns, 0);
  EXPECT_EQ(bench.fs.renameCalls(), 0);
  EXPECT_FALSE(bench.world.state.stopRequested);
  EXPECT_FALSE(bench.world.state.previewMode);
  EXPECT_FALSE(bench.fs.exists(bench.world.journal.pendingPath()));
}

TEST(RenameRunPreview, NothingToRenameShowsOnlyANote) {
  RunBench bench;
  bench.fs.addFile(u"C:\\x\\a.txt");
  bench.preview(replaceJob(u"q", u"z"));
  EXPECT_EQ(bench.world.preview.noteRows(), (Paths{u"No filename will be edited"}));
  EXPECT_EQ(bench.world.preview.rowCount(), 1);
  EXPECT_FALSE(bench.world.preview.maximized);
}

TEST(RenameRunPreview, NumbersCollidingNamesLikeTheRunWill) {
  for (const bool subfolders : {false, true}) {
    SCOPED_TRACE(subfolders);
    RunBench bench;
    bench.fs.addFile(u"C:\\x\\a1.txt");
    bench.fs.addFile(u"C:\\x\\a2.txt");
    bench.fs.addFile(u"C:\\x\\a3.txt");
    engine::RenameJob job = numberingJob();
    job.newNameText = u"x";
    job.includeSubfolders = subfolders;
    bench.preview(job);
    const std::u16string folder = subfolders ? u"C:\\x\\" : u"";
    EXPECT_EQ(bench.world.preview.itemRows(),
              (std::vector<NamePair>{{u"a1.txt", folder + u"x.txt"},
                                     {u"a2.txt", folder + u"x(1).txt"},
                                     {u"a3.txt", folder + u"x(2).txt"}}));
  }
}

TEST(RenameRunPreview, ReportsEmptyNamesAsFailures) {
  RunBench bench;
  bench.fs.addFile(u"C:\\x\\abc.txt");
  bench.fs.addFile(u"C:\\x\\abcd.txt");
  bench.preview(replaceJob(u"abc", u""));
  const auto& boxes = bench.world.messages.boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, u"Information");
  EXPECT_EQ(boxes[0].text, u"The new name is empty. - 'C:\\x\\abc.txt'");
  EXPECT_EQ(bench.world.state.failedCount, 1);
  EXPECT_EQ(bench.world.preview.itemRows(), (std::vector<NamePair>{{u"abcd.txt", u"d.txt"}}));
}

}  // namespace
}  // namespace tessaline::run
