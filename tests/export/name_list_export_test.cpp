#include "export/name_list_export.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <string>
#include <vector>

#include "config/text_file.h"
#include "platform/memory_file_system.h"
#include "platform/posix_file_system.h"
#include "support/fake_ports.h"
#include "support/temp_dir.h"
#include "support/test_text.h"

namespace tessaline::exporting {
namespace {

using engine::EditMode;
using engine::SaveContent;
using platform::MemoryFileSystem;
using platform::PathStyle;
using Lines = std::vector<std::u16string>;

constexpr std::u16string_view kStamp = u"[2026-12-11 09:05:03]";  // the fixed clock's now

// A save dialog that gives its names in turn, then cancels.
class ScriptedDialog : public run::SaveDialog {
 public:
  std::u16string askFileName() override {
    ++asks;
    if (names.empty()) return {};
    std::u16string name = names.front();
    names.pop_front();
    return name;
  }
  std::deque<std::u16string> names;
  int asks = 0;
};

// An export of C:\A\ (Windows style) with a home folder for the fallback.
class ExportWorld {
 public:
  explicit ExportWorld(bool answer = true, PathStyle style = PathStyle::Windows)
      : fs(style), world(fs, root() + u"Data" + separator(), answer) {
    fs.addFolder(root() + u"Out");
    fs.addFolder(home());
    world.shell.home = home();
    job.editMode = EditMode::Savealls;
    job.targetFolder = root() + u"A" + separator();
  }

  std::u16string root() const { return fs.style() == PathStyle::Windows ? u"C:\\" : u"/"; }
  std::u16string separator() const { return fs.style() == PathStyle::Windows ? u"\\" : u"/"; }
  std::u16string home() const { return root() + u"Home" + separator(); }
  // A path under the root from a path written with "\".
  std::u16string path(std::u16string_view relative) const {
    std::u16string result = root() + std::u16string(relative);
    for (char16_t& c : result)
      if (c == u'\\') c = separator()[0];
    return result;
  }

  run::RunContext context() {
    run::RunContext result{world.fs,       world.messages,    world.shell,    world.clock,
                           world.language, world.settings,    world.newNames, world.engine,
                           world.journal,  world.state,       world.preview,  world.progress,
                           world.notice,   world.list,        world.pump,     world.host,
                           dialog,         world.endSoundPath};
    result.locale = &world.locale;
    return result;
  }
  Lines collect() {
    run::RunContext ctx = context();
    return collectNameList(ctx, job);
  }
  // The lines after the heading and the time stamp.
  Lines entries() {
    Lines lines = collect();
    EXPECT_GE(lines.size(), 2u);
    return Lines(lines.begin() + 2, lines.end());
  }
  std::u16string save() {
    run::RunContext ctx = context();
    return saveNameList(ctx, job);
  }
  Lines fileLines(std::u16string_view file) const {
    return config::readTextLines(fs, file).value_or(Lines{u"<unreadable>"});
  }

  MemoryFileSystem fs;
  testing::RunWorld world;
  ScriptedDialog dialog;
  engine::RenameJob job;
};

TEST(CollectNameList, ListsEachContentOfTheFolder) {
  struct Row {
    SaveContent content;
    PathStyle style;
    std::u16string_view heading;
    Lines entries;
  };
  const Row rows[] = {
      {SaveContent::AllFilesInSubfolders,
       PathStyle::Windows,
       u"File names (ALL layers) in folder, C:\\A\\",
       {u"  <B>", u"    b1.txt", u"  a.txt"}},
      {SaveContent::FoldersAndFiles,
       PathStyle::Windows,
       u"File names (ONE layer) in folder, C:\\A\\",
       {u"  <B>", u"  a.txt"}},
      {SaveContent::OnlySubfolders,
       PathStyle::Windows,
       u"All subfolder names in folder, C:\\A\\",
       {u"  <B>"}},
      {SaveContent::AllFilesInSubfolders,
       PathStyle::Posix,
       u"File names (ALL layers) in folder, /A/",
       {u"  <B>", u"    b1.txt", u"  a.txt"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::utf8(row.heading));
    ExportWorld world(true, row.style);
    world.fs.addFile(world.path(u"A\\B\\b1.txt"));
    world.fs.addFile(world.path(u"A\\a.txt"));
    world.job.saveContent = row.content;
    Lines want{std::u16string(row.heading), std::u16string(kStamp)};
    want.insert(want.end(), row.entries.begin(), row.entries.end());
    EXPECT_EQ(world.collect(), want);
  }
}

TEST(CollectNameList, NestsSubfoldersBeforeTheFolderFiles) {
  ExportWorld world;
  world.fs.addFile(u"C:\\A\\z.txt");
  world.fs.addFile(u"C:\\A\\B\\C\\c.txt");
  world.fs.addFile(u"C:\\A\\B\\b.txt");
  world.fs.addFolder(u"C:\\A\\D");
  world.fs.setHidden(u"C:\\A\\B\\b.txt", true);
  world.job.saveContent = SaveContent::AllFilesInSubfolders;
  EXPECT_EQ(world.entries(),
            (Lines{u"  <B>", u"    <C>", u"      c.txt", u"    b.txt", u"  <D>", u"  z.txt"}));
  world.job.saveContent = SaveContent::OnlySubfolders;
  EXPECT_EQ(world.entries(), (Lines{u"  <B>", u"    <C>", u"  <D>"}));
}

TEST(CollectNameList, AppendsSizeAndDate) {
  struct Row {
    bool size, date;
    char16_t decimal;
    std::u16string_view want;
  };
  const Row rows[] = {
      {true, true, u'.', u"  a.txt  1.5KB  20100307 9:05"},
      {true, false, u',', u"  a.txt  1,5KB"},
      {false, true, u'.', u"  a.txt  20100307 9:05"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::utf8(row.want));
    ExportWorld world;
    world.world.locale = platform::FixedLocale(row.decimal);
    world.fs.addFile(u"C:\\A\\a.txt", 1536, {2010, 3, 7, 9, 5, 3});
    world.fs.addFolder(u"C:\\A\\B");
    world.job.saveAddSize = row.size;
    world.job.saveAddDate = row.date;
    EXPECT_EQ(world.entries(), (Lines{u"  <B>", std::u16string(row.want)}));
  }
}

TEST(CollectNameList, ListsWebpageFoldersOnlyWhenAskedInAWholeTree) {
  struct Row {
    const char* name;
    SaveContent content;
    bool webpages;
    Lines want;
  };
  const Row rows[] = {
      {"left out", SaveContent::AllFilesInSubfolders, false, {u"  <B>", u"  a.txt"}},
      {"asked for",
       SaveContent::AllFilesInSubfolders,
       true,
       {u"  <page_files>", u"    p.htm", u"  <B>", u"  <x.FILES>", u"    q.htm", u"  a.txt"}},
      {"one layer never lists them", SaveContent::FoldersAndFiles, true, {u"  <B>", u"  a.txt"}},
      {"subfolder names never list them", SaveContent::OnlySubfolders, true, {u"  <B>"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ExportWorld world;
    world.fs.addFile(u"C:\\A\\page_files\\p.htm");
    world.fs.addFolder(u"C:\\A\\B");
    world.fs.addFile(u"C:\\A\\x.FILES\\q.htm");
    world.fs.addFile(u"C:\\A\\a.txt");
    world.job.saveContent = row.content;
    world.job.saveWebpageFolders = row.webpages;
    EXPECT_EQ(world.entries(), row.want);
  }
}

TEST(CollectNameList, FiltersFilesByWholeExtensions) {
  struct Row {
    const char* name;
    void (*setUp)(engine::RenameJob&);
    Lines want;
  };
  const Row rows[] = {
      {"all types",
       [](engine::RenameJob& j) { j.saveAllTypes = true; },
       {u"  <Sub.jpg>", u"  x.JPG", u"  x.peg", u"  x.abc", u"  y.ABC", u"  noext", u"  x.mp3"}},
      {"pictures",
       [](engine::RenameJob& j) { j.saveTypePicture = true; },
       {u"  <Sub.jpg>", u"  x.JPG"}},
      {"music and pictures",
       [](engine::RenameJob& j) { j.saveTypePicture = j.saveTypeMusic = true; },
       {u"  <Sub.jpg>", u"  x.JPG", u"  x.mp3"}},
      {"other, lowered extension",
       [](engine::RenameJob& j) {
         j.saveTypeOtherOn = true;
         j.saveTypeOther = u"abc";
       },
       {u"  <Sub.jpg>", u"  x.abc", u"  y.ABC"}},
      {"other with dots, in their case",
       [](engine::RenameJob& j) {
         j.saveTypeOtherOn = true;
         j.saveTypeOther = u".ABC,.pegs";
       },
       {u"  <Sub.jpg>", u"  y.ABC"}},
      {"other given as upper case only",
       [](engine::RenameJob& j) {
         j.saveTypeOtherOn = true;
         j.saveTypeOther = u"ABC";
       },
       {u"  <Sub.jpg>"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ExportWorld world;
    for (std::u16string_view name : {u"x.JPG", u"x.peg", u"x.abc", u"y.ABC", u"noext", u"x.mp3"})
      world.fs.addFile(u"C:\\A\\" + std::u16string(name));
    world.fs.addFolder(u"C:\\A\\Sub.jpg");
    world.job.saveAllTypes = false;
    row.setUp(world.job);
    EXPECT_EQ(world.entries(), row.want);
  }
}

TEST(CollectNameList, GroupsChosenItemsByFolder) {
  ExportWorld world;
  world.fs.addFile(u"C:\\A\\x.txt");
  world.fs.addFolder(u"C:\\A\\Sub");
  world.job.editMode = EditMode::Savesomes;
  world.job.targetFolder.clear();
  world.job.saveAddSize = true;  // not for chosen items
  world.job.selectedFiles = {u"C:\\A\\x.txt", u"C:\\B\\y.txt", u"C:\\A\\z.txt", u"C:\\A\\Sub"};
  EXPECT_EQ(world.collect(), (Lines{std::u16string(kStamp), u"Selected file names:",
                                    u"In folder, <C:\\A\\>", u"  x.txt", u"In folder, <C:\\B\\>",
                                    u"  y.txt", u"In folder, <C:\\A\\>", u"  z.txt", u"  <Sub>"}));
}

TEST(CollectNameList, UnreadableFolderGivesNoLines) {
  ExportWorld world;
  world.fs.addFile(u"C:\\A\\B\\b1.txt");
  world.fs.addFile(u"C:\\A\\a.txt");
  world.fs.failEnumerate(u"C:\\A\\B");
  world.job.saveContent = SaveContent::AllFilesInSubfolders;
  EXPECT_EQ(world.entries(), (Lines{u"  <B>", u"  a.txt"}));

  world.fs.failEnumerate(u"C:\\A");
  EXPECT_EQ(world.entries(), Lines{});
}

// The whole-tree listing runs in the progress window's searching form, the
// bar going round as a busy indicator.
TEST(SaveNameList, ListsTheWholeTreeInTheSearchingForm) {
  ExportWorld world;
  world.dialog.names = {u"C:\\Out\\list"};
  for (int i = 0; i < 350; ++i)
    world.fs.addFile(u"C:\\A\\f" + testing::utf16(std::to_string(i)) + u".txt");
  world.job.saveContent = SaveContent::AllFilesInSubfolders;
  bool busyInside = false;
  world.world.pump.onPump = [&] { busyInside = world.world.progress.inside; };
  EXPECT_EQ(world.save(), u"C:\\Out\\list.txt");
  const testing::FakeProgress& progress = world.world.progress;
  EXPECT_EQ(progress.modalRuns, 1);
  EXPECT_TRUE(busyInside);
  EXPECT_EQ(progress.searchingChanges, 2);
  EXPECT_FALSE(progress.searching);
  EXPECT_EQ(progress.range, 600);
  EXPECT_EQ(progress.position, 700 % 600);  // one step per entry in each pass
  EXPECT_EQ(world.fileLines(u"C:\\Out\\list.txt").size(), 352u);

  ExportWorld oneLayer;
  oneLayer.dialog.names = {u"C:\\Out\\list"};
  oneLayer.save();
  EXPECT_EQ(oneLayer.world.progress.modalRuns, 0);
  EXPECT_EQ(oneLayer.world.host.busyChanges, 2);
  EXPECT_FALSE(oneLayer.world.host.busy);
}

TEST(SaveNameList, CancelledListingSavesTheLinesSoFar) {
  ExportWorld world;
  world.dialog.names = {u"C:\\Out\\list.txt"};
  world.fs.addFile(u"C:\\A\\B\\b1.txt");
  world.fs.addFile(u"C:\\A\\B\\b2.txt");
  world.fs.addFile(u"C:\\A\\a.txt");
  world.job.saveContent = SaveContent::AllFilesInSubfolders;
  // Cancel is pressed while the folder B is listed.
  world.world.pump.onPump = [&] {
    if (world.world.pump.calls == 5) world.world.state.stopRequested = true;
  };
  EXPECT_EQ(world.save(), u"C:\\Out\\list.txt");
  EXPECT_EQ(world.fileLines(u"C:\\Out\\list.txt"),
            (Lines{u"File names (ALL layers) in folder, C:\\A\\", std::u16string(kStamp), u"  <B>",
                   u"    b1.txt"}));
  EXPECT_FALSE(world.world.state.stopRequested);
  EXPECT_TRUE(world.world.state.runFinished);
}

TEST(SaveNameList, AddsTxtUnlessTheNameHasIt) {
  struct Row {
    std::u16string_view chosen, written;
  };
  const Row rows[] = {
      {u"C:\\Out\\list", u"C:\\Out\\list.txt"},
      {u"C:\\Out\\list.doc", u"C:\\Out\\list.doc.txt"},
      {u"C:\\Out\\list.TXT", u"C:\\Out\\list.TXT"},
      {u"C:\\Out\\v1.2\\list", u"C:\\Out\\v1.2\\list.txt"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::utf8(row.chosen));
    ExportWorld world;
    world.fs.addFolder(u"C:\\Out\\v1.2");
    world.fs.addFile(u"C:\\A\\a.txt");
    world.dialog.names = {std::u16string(row.chosen)};
    EXPECT_EQ(world.save(), row.written);
    EXPECT_EQ(world.fs.readFile(row.written),
              "File names (ONE layer) in folder, C:\\A\\\r\n[2026-12-11 09:05:03]\r\n  a.txt\r\n");
    EXPECT_EQ(world.world.shell.opened, Lines{std::u16string(row.written)});
    EXPECT_TRUE(world.world.messages.boxes().empty());
    EXPECT_TRUE(world.world.state.runFinished);
    EXPECT_EQ(world.world.host.editorCloses, 1);
    EXPECT_EQ(world.world.host.programCloses, 0);
  }
}

TEST(SaveNameList, AsksBeforeReplacingAndAsksAgainOnCancel) {
  for (const bool replace : {true, false}) {
    SCOPED_TRACE(replace ? "replace" : "choose again");
    ExportWorld world(replace);
    world.fs.addFileWithContent(u"C:\\Out\\list.txt", "old");
    world.dialog.names = {u"C:\\Out\\list", u"C:\\Out\\other"};
    const std::u16string written = world.save();
    ASSERT_EQ(world.world.messages.boxes().size(), 1u);
    EXPECT_EQ(world.world.messages.boxes()[0].caption, u"Confirmation");
    EXPECT_EQ(world.world.messages.boxes()[0].text, u"The file already exists, replace it?");
    EXPECT_EQ(world.dialog.asks, replace ? 1 : 2);
    EXPECT_EQ(written, replace ? u"C:\\Out\\list.txt" : u"C:\\Out\\other.txt");
    EXPECT_EQ(world.fs.readFile(u"C:\\Out\\list.txt") == "old", !replace);
  }
}

TEST(SaveNameList, CancelledDialogChangesNothing) {
  ExportWorld world(false);
  world.fs.addFile(u"C:\\Out\\list");
  world.dialog.names = {u"C:\\Out\\list"};  // taken; Cancel; then the dialog is cancelled
  world.world.state.stopRequested = true;
  EXPECT_EQ(world.save(), u"");
  EXPECT_EQ(world.dialog.asks, 2);
  EXPECT_FALSE(world.fs.exists(u"C:\\Out\\list.txt"));
  EXPECT_TRUE(world.world.shell.opened.empty());
  EXPECT_EQ(world.world.host.editorCloses, 0);
  EXPECT_FALSE(world.world.state.runFinished);
  EXPECT_TRUE(world.world.state.stopRequested);
}

TEST(SaveNameList, FallsBackToANumberedFileInTheHomeFolder) {
  ExportWorld world;
  world.fs.addFile(u"C:\\Home\\filenames.txt");
  world.fs.addFile(u"C:\\Home\\filenames(1).txt");
  world.fs.failWrite(u"C:\\Out\\list.txt");
  world.dialog.names = {u"C:\\Out\\list"};
  const std::u16string fallback = u"C:\\Home\\filenames(2).txt";
  EXPECT_EQ(world.save(), fallback);
  EXPECT_EQ(world.fileLines(fallback).size(), 2u);
  EXPECT_EQ(world.world.messages.texts(), Lines{u"Filename/s saved to:" + fallback});
  EXPECT_EQ(world.world.messages.boxes()[0].caption, u"Information");
  EXPECT_EQ(world.world.shell.opened, Lines{fallback});

  ExportWorld first;
  first.fs.failWrite(u"C:\\Out\\list.txt");
  first.dialog.names = {u"C:\\Out\\list"};
  EXPECT_EQ(first.save(), u"C:\\Home\\filenames.txt");
}

// When not even the fallback can be written, the user hears so and the
// editor stays open.
TEST(SaveNameList, ReportsAListThatCouldNotBeWritten) {
  ExportWorld world;
  world.fs.failWrite(u"C:\\Out\\list.txt");
  world.fs.failWrite(u"C:\\Home\\filenames.txt");
  world.dialog.names = {u"C:\\Out\\list"};
  EXPECT_EQ(world.save(), u"");
  EXPECT_EQ(world.world.messages.texts(),
            Lines{u"Filename/s could not be saved to:C:\\Out\\list.txt"});
  EXPECT_TRUE(world.world.shell.opened.empty());
  EXPECT_EQ(world.world.host.editorCloses, 0);
  EXPECT_FALSE(world.world.state.runFinished);
}

TEST(SaveNameList, EndsAsTheSettingsSay) {
  ExportWorld keepClosed;
  keepClosed.world.settings.options2 = true;
  keepClosed.dialog.names = {u"C:\\Out\\list"};
  EXPECT_EQ(keepClosed.save(), u"C:\\Out\\list.txt");
  EXPECT_TRUE(keepClosed.world.shell.opened.empty());
  EXPECT_EQ(keepClosed.world.host.editorCloses, 1);

  ExportWorld exit;
  exit.world.settings.options1 = true;
  exit.dialog.names = {u"C:\\Out\\list"};
  EXPECT_EQ(exit.save(), u"C:\\Out\\list.txt");
  EXPECT_EQ(exit.world.host.programCloses, 1);
  EXPECT_EQ(exit.world.host.editorCloses, 0);
  EXPECT_FALSE(exit.world.state.runFinished);
}

TEST(CollectNameList, ListsALinkToAFolderWithoutEnteringIt) {
  testing::TempDir dir;
  dir.writeFile("A/sub/x.txt");
  ASSERT_EQ(::symlink("..", (dir / "A/sub/up").c_str()), 0);  // leads back up the tree
  platform::PosixFileSystem fs;
  testing::RunWorld world(fs, testing::utf16(dir.path()));
  run::RunContext context = world.context();
  engine::RenameJob job;
  job.editMode = EditMode::Savealls;
  job.saveContent = SaveContent::AllFilesInSubfolders;
  job.targetFolder = testing::utf16(dir / "A/");
  const Lines lines = collectNameList(context, job);
  EXPECT_EQ(Lines(lines.begin() + 2, lines.end()), (Lines{u"  <sub>", u"    <up>", u"    x.txt"}));
}

TEST(SaveNameList, WritesUtf8WithCrLfOnDisk) {
  testing::TempDir dir;
  dir.writeFile("A/\xC3\xA9t\xC3\xA9.txt");
  dir.makeFolder("Home");
  platform::PosixFileSystem fs;
  testing::RunWorld world(fs, testing::utf16(dir.path()));
  ScriptedDialog dialog;
  dialog.names = {testing::utf16(dir / "list")};
  run::RunContext context{world.fs,       world.messages,    world.shell,    world.clock,
                          world.language, world.settings,    world.newNames, world.engine,
                          world.journal,  world.state,       world.preview,  world.progress,
                          world.notice,   world.list,        world.pump,     world.host,
                          dialog,         world.endSoundPath};
  engine::RenameJob job;
  job.editMode = EditMode::Savealls;
  job.targetFolder = testing::utf16(dir / "A/");
  EXPECT_EQ(saveNameList(context, job), testing::utf16(dir / "list.txt"));
  EXPECT_EQ(dir.readFile("list.txt"),
            "File names (ONE layer) in folder, " + dir.path() +
                "A/\r\n[2026-12-11 09:05:03]\r\n  \xC3\xA9t\xC3\xA9.txt\r\n");
}

}  // namespace
}  // namespace tessaline::exporting
