#include "run/sample_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "support/fake_ports.h"
#include "support/test_text.h"

namespace tessaline::run {
namespace {

using engine::EditMode;
using platform::MemoryFileSystem;
using platform::PathStyle;

TEST(FirstEntry, TakesEntriesInFileSystemOrder) {
  struct Row {
    PathStyle style;
    std::u16string_view folder;
    EntryKind kind;
    std::u16string_view want;
  };
  // C:\T\ lists D1 (with d1.txt), a.txt, D2, b.txt; C:\F\ has files only;
  // C:\G\ has an empty first subfolder before a file; C:\E\ is empty.
  const Row rows[] = {
      {PathStyle::Windows, u"C:\\T\\", EntryKind::FirstFile, u"C:\\T\\a.txt"},
      {PathStyle::Windows, u"C:\\T", EntryKind::FirstSubfolder, u"C:\\T\\D1"},
      {PathStyle::Windows, u"C:\\T\\", EntryKind::FirstFileOfFirstSubfolder, u"C:\\T\\D1\\d1.txt"},
      {PathStyle::Windows, u"C:\\F\\", EntryKind::FirstSubfolder, u""},
      {PathStyle::Windows, u"C:\\F\\", EntryKind::FirstFileOfFirstSubfolder, u"C:\\F\\f.txt"},
      {PathStyle::Windows, u"C:\\G\\", EntryKind::FirstFileOfFirstSubfolder, u""},
      {PathStyle::Windows, u"C:\\E\\", EntryKind::FirstFile, u""},
      {PathStyle::Windows, u"C:\\Missing\\", EntryKind::FirstFile, u""},
      {PathStyle::Posix, u"/T", EntryKind::FirstFile, u"/T/a.txt"},
      {PathStyle::Posix, u"/T/", EntryKind::FirstFileOfFirstSubfolder, u"/T/D1/d1.txt"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::utf8(row.folder));
    MemoryFileSystem fs(row.style);
    const bool windows = row.style == PathStyle::Windows;
    const std::u16string t = windows ? u"C:\\T\\" : u"/T/";
    fs.addFile(t + (windows ? u"D1\\d1.txt" : u"D1/d1.txt"));
    fs.addFile(t + u"a.txt");
    fs.addFolder(t + u"D2");
    fs.addFile(t + u"b.txt");
    if (windows) {
      fs.addFile(u"C:\\F\\f.txt");
      fs.addFolder(u"C:\\G\\Empty");
      fs.addFile(u"C:\\G\\g.txt");
      fs.addFolder(u"C:\\E");
    }
    EXPECT_EQ(firstEntry(fs, row.folder, row.kind), row.want);
  }
}

struct SampleWorld {
  SampleWorld() : world(fs, u"C:\\Data\\") {
    fs.addFolder(u"C:\\A");
    job.targetFolder = u"C:\\A\\";
    job.editMode = EditMode::Removpart;
  }
  std::u16string choose() { return chooseSampleName(context, job); }

  MemoryFileSystem fs{PathStyle::Windows};
  testing::RunWorld world;
  RunContext context = world.context();
  engine::RenameJob job;
};

TEST(ChooseSampleName, FindsASampleForEachScope) {
  struct Row {
    const char* name;
    int scope;
    EditMode mode;
    bool includeSubfolders;
    std::vector<std::u16string_view> files;  // under C:\A\ ; a trailing "\" makes a folder
    std::u16string_view want;
    std::u16string_view message;
  };
  const Row rows[] = {
      {"one layer", 0, EditMode::Removpart, false, {u"S\\", u"x.txt"}, u"C:\\A\\x.txt", u""},
      {"one layer without files",
       0,
       EditMode::Removpart,
       true,
       {u"S\\s.txt"},
       u"",
       u"There is no file (one layer) now!"},
      {"save without files, subfolders left out",
       0,
       EditMode::Savealls,
       false,
       {u"S\\s.txt"},
       u"",
       u""},
      {"save takes the first subfolder's file",
       0,
       EditMode::Savealls,
       true,
       {u"S\\s.txt", u"T\\t.txt"},
       u"C:\\A\\S\\s.txt",
       u""},
      {"save of an empty tree",
       0,
       EditMode::Savealls,
       true,
       {u"S\\"},
       u"",
       u"There is no file and subfolder now!"},
      {"folders", 2, EditMode::Changnew, false, {u"x.txt", u"S\\"}, u"C:\\A\\S", u""},
      {"folders without one",
       2,
       EditMode::Changnew,
       false,
       {u"x.txt"},
       u"",
       u"There is no subfolder now!"},
      {"this folder", 3, EditMode::Changnew, false, {}, u"C:\\A\\", u""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SampleWorld world;
    for (std::u16string_view file : row.files) {
      if (file.ends_with(u'\\')) {
        world.fs.addFolder(u"C:\\A\\" + std::u16string(file));
      } else {
        world.fs.addFile(u"C:\\A\\" + std::u16string(file));
      }
    }
    world.job.editScope = row.scope;
    world.job.editMode = row.mode;
    world.job.includeSubfolders = row.includeSubfolders;
    EXPECT_EQ(world.choose(), row.want);
    const std::vector<std::u16string> wantMessages =
        row.message.empty() ? std::vector<std::u16string>{}
                            : std::vector<std::u16string>{std::u16string(row.message)};
    EXPECT_EQ(world.world.messages.texts(), wantMessages);
    for (const auto& box : world.world.messages.boxes())
      EXPECT_EQ(box.caption, u"Information");
  }
}

TEST(ChooseSampleName, ThisFolderGoneIsTold) {
  SampleWorld world;
  world.job.editScope = 3;
  world.job.targetFolder = u"C:\\Gone\\";
  const SampleChoice choice = chooseSample(world.context, world.job);
  EXPECT_EQ(choice.name, u"");
  EXPECT_TRUE(choice.told);
  EXPECT_EQ(world.world.messages.texts(),
            std::vector<std::u16string>{u"The targeted folder has been modified or deleted!"});
}

// Scope 1 reads the main window's rows: checked ones only while the list
// has check boxes; folders count only with subfolders included, and the
// last checked folder decides.
TEST(ChooseSampleName, CheckedRowsGiveTheSample) {
  struct Row {
    const char* name;
    bool checkBoxes;
    bool includeSubfolders;
    std::vector<testing::FakeFileList::Row> rows;
    std::u16string_view want;
  };
  const Row rows[] = {
      {"first checked file",
       true,
       false,
       {{u"a.txt", false}, {u"F1", true}, {u"missing.txt", true}, {u"b.txt", true}},
       u"C:\\A\\b.txt"},
      {"without check boxes every row counts",
       false,
       false,
       {{u"a.txt", false}, {u"b.txt", true}},
       u"C:\\A\\a.txt"},
      {"only folders checked", true, false, {{u"F1", true}, {u"F2", true}}, u""},
      {"last checked folder decides",
       true,
       true,
       {{u"F1", true}, {u"F2", true}, {u"a.txt", false}},
       u"C:\\A\\F2\\f2.txt"},
      {"last checked folder is empty", true, true, {{u"F1", true}, {u"F3", true}}, u""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SampleWorld world;
    world.fs.addFile(u"C:\\A\\a.txt");
    world.fs.addFile(u"C:\\A\\b.txt");
    world.fs.addFile(u"C:\\A\\F1\\f1.txt");
    world.fs.addFile(u"C:\\A\\F2\\f2.txt");
    world.fs.addFolder(u"C:\\A\\F3");
    world.world.list.rows = row.rows;
    world.world.list.checkBoxes = row.checkBoxes;
    world.job.editScope = 1;
    world.job.includeSubfolders = row.includeSubfolders;
    const SampleChoice choice = chooseSample(world.context, world.job);
    EXPECT_EQ(choice.name, row.want);
    EXPECT_FALSE(choice.told);
    EXPECT_TRUE(world.world.messages.boxes().empty());
  }
}

}  // namespace
}  // namespace tessaline::run
