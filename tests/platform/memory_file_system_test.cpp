#include "platform/memory_file_system.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/test_text.h"

namespace tessaline::platform {
namespace {

using testing::utf8;

std::vector<std::u16string> namesIn(const FileSystem& fs, std::u16string_view folder) {
  std::vector<std::u16string> names;
  const auto entries = listFolder(fs, folder).value();
  for (const DirEntry& entry : entries)
    names.push_back(entry.name);
  return names;
}

// Every path below folder with its kind, size and content, depth first, in
// listing order: a picture of the whole tree to compare before and after.
void describe(const FileSystem& fs, const std::u16string& folder, std::u16string& out) {
  const auto entries = listFolder(fs, folder).value();
  for (const DirEntry& entry : entries) {
    const std::u16string path = joinPath(fs.style(), folder, entry.name);
    out += path + (entry.info.folder ? u"\\ " : u" ") +
           testing::utf16(std::to_string(entry.info.size));
    if (auto content = fs.readFile(path)) out += u" [" + testing::utf16(*content) + u"]";
    out += u"\n";
    if (entry.info.folder) describe(fs, path, out);
  }
}

std::u16string treeOf(const FileSystem& fs, const std::u16string& root = u"C:\\") {
  std::u16string out;
  describe(fs, root, out);
  return out;
}

TEST(MemoryFileSystem, WindowsStyleLooksUpWithoutRegardToCase) {
  MemoryFileSystem fs;
  fs.addFile(u"C:\\Photos\\Img.JPG", 10);
  fs.addFolder(u"C:\\Ärger");
  struct Row {
    std::u16string_view path;
    bool exists, folder;
  };
  const Row rows[] = {
      {u"C:\\Photos\\Img.JPG", true, false},
      {u"c:\\PHOTOS\\img.jpg", true, false},
      {u"C:\\photos", true, true},
      {u"C:\\photos\\", true, true},
      {u"C:\\", true, true},
      {u"c:", true, true},
      {u"C:\\äRGER\\", true, true},
      {u"C:\\Photos\\\\Img.JPG", true, false},
      {u"C:\\Photos\\Img.JPG\\", false, false},  // a file named as a folder
      {u"C:\\Photos\\..\\Photos", false, false},
      {u"D:\\", false, false},
      {u"Photos\\Img.JPG", false, false},
      {u"\\Photos", false, false},
      {u"", false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(utf8(row.path));
    EXPECT_EQ(fs.exists(row.path), row.exists);
    EXPECT_EQ(fs.folderExists(row.path), row.exists && row.folder);
    EXPECT_EQ(fs.fileExists(row.path), row.exists && !row.folder);
    EXPECT_EQ(fs.stat(row.path).has_value(), row.exists);
  }
  EXPECT_EQ(fs.stat(u"c:\\photos\\IMG.jpg")->size, 10u);
}

TEST(MemoryFileSystem, CaseSensitiveModesCompareExactly) {
  MemoryFileSystem posix(PathStyle::Posix);
  posix.addFile(u"/home/a.txt");
  EXPECT_TRUE(posix.fileExists(u"/home/a.txt"));
  EXPECT_FALSE(posix.exists(u"/home/A.txt"));
  EXPECT_TRUE(posix.folderExists(u"/"));
  EXPECT_FALSE(posix.exists(u"home/a.txt"));
  posix.addFile(u"/home/A.txt");
  EXPECT_EQ(namesIn(posix, u"/home/"), (std::vector<std::u16string>{u"a.txt", u"A.txt"}));

  MemoryFileSystem windows(PathStyle::Windows, true);
  windows.addFile(u"C:\\dir\\a.txt");
  EXPECT_TRUE(windows.exists(u"c:\\dir\\a.txt"));  // drive letters never have case
  EXPECT_FALSE(windows.exists(u"C:\\DIR\\a.txt"));
}

TEST(MemoryFileSystem, ListsInCreationOrderAndRenamedEntriesKeepTheirPlace) {
  MemoryFileSystem fs;
  fs.addFile(u"C:\\d\\b.txt");
  fs.addFolder(u"C:\\d\\a");
  fs.addFile(u"C:\\d\\c.txt");
  fs.addFolder(u"C:\\e");
  fs.addFile(u"C:\\e\\z.txt");
  EXPECT_EQ(namesIn(fs, u"C:\\d"), (std::vector<std::u16string>{u"b.txt", u"a", u"c.txt"}));

  EXPECT_EQ(fs.rename(u"C:\\d\\a", u"C:\\d\\y"), RenameStatus::Renamed);
  EXPECT_EQ(fs.rename(u"C:\\d\\b.txt", u"C:\\e\\b.txt"), RenameStatus::Renamed);
  EXPECT_EQ(namesIn(fs, u"C:\\d\\"), (std::vector<std::u16string>{u"y", u"c.txt"}));
  EXPECT_EQ(namesIn(fs, u"C:\\e\\"), (std::vector<std::u16string>{u"z.txt", u"b.txt"}));
  // The index of the folder the file left still finds the rest.
  EXPECT_TRUE(fs.fileExists(u"C:\\d\\c.txt"));
  EXPECT_TRUE(fs.folderExists(u"C:\\d\\Y"));
}

TEST(MemoryFileSystem, EnumerateStopsWhenAskedAndFailsOnNonFolders) {
  MemoryFileSystem fs;
  fs.addFile(u"C:\\d\\1");
  fs.addFile(u"C:\\d\\2");
  int visits = 0;
  EXPECT_TRUE(fs.enumerate(u"C:\\d", [&](const DirEntry&) { return ++visits < 1; }));
  EXPECT_EQ(visits, 1);
  EXPECT_FALSE(fs.enumerate(u"C:\\d\\1", [](const DirEntry&) { return true; }));
  EXPECT_FALSE(fs.enumerate(u"C:\\missing", [](const DirEntry&) { return true; }));
}

TEST(MemoryFileSystem, AVisitorMayRenameAndDeleteWhatItWalks) {
  MemoryFileSystem fs;
  for (const char16_t* name : {u"C:\\d\\1", u"C:\\d\\2", u"C:\\d\\3", u"C:\\d\\4"})
    fs.addFile(name);
  fs.addFolder(u"C:\\other");
  std::vector<std::u16string> seen;
  EXPECT_TRUE(fs.enumerate(u"C:\\d", [&](const DirEntry& entry) {
    seen.push_back(entry.name);
    const std::u16string path = u"C:\\d\\" + entry.name;
    if (entry.name == u"1") fs.rename(path, u"C:\\other\\1");
    if (entry.name == u"3") fs.removeFile(path);
    return true;
  }));
  EXPECT_EQ(namesIn(fs, u"C:\\d"), (std::vector<std::u16string>{u"2", u"4"}));
  EXPECT_EQ(seen.front(), u"1");
}

TEST(MemoryFileSystem, ReportsSizeTimeAndFlags) {
  const LocalTime time{2010, 3, 7, 9, 5, 3};
  MemoryFileSystem fs;
  fs.addFile(u"C:\\big.bin", 5'000'000'000ull, time);
  fs.addFolder(u"C:\\sys", time);
  fs.setHidden(u"c:\\BIG.bin", true);
  fs.setSystem(u"C:\\sys\\", true);
  const EntryInfo file = fs.stat(u"C:\\big.bin").value();
  EXPECT_EQ(file.size, 5'000'000'000ull);
  EXPECT_EQ(file.lastWrite, time);
  EXPECT_TRUE(file.hidden);
  EXPECT_FALSE(file.system || file.folder || file.symlink);
  const auto entries = listFolder(fs, u"C:\\").value();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_TRUE(entries[1].info.folder && entries[1].info.system && !entries[1].info.hidden);
  EXPECT_EQ(entries[1].info.lastWrite, time);

  MemoryFileSystem posix(PathStyle::Posix);
  posix.addFile(u"/.profile");
  posix.addFile(u"/visible");
  EXPECT_TRUE(posix.stat(u"/.profile")->hidden);
  EXPECT_FALSE(posix.stat(u"/visible")->hidden);
  EXPECT_THROW(posix.setHidden(u"/missing", true), std::invalid_argument);
}

struct RenameRow {
  const char* name;
  std::u16string_view from, to;
  RenameStatus want;
};

constexpr RenameRow kRenameRows[] = {
    {"onto another file", u"C:\\d\\a.txt", u"C:\\d\\b.txt", RenameStatus::TargetExists},
    {"onto another file in other case", u"C:\\d\\a.txt", u"C:\\d\\B.TXT",
     RenameStatus::TargetExists},
    {"file onto a folder", u"C:\\d\\a.txt", u"C:\\d\\sub", RenameStatus::TargetExists},
    {"folder onto a file", u"C:\\d\\sub", u"C:\\d\\a.txt", RenameStatus::TargetExists},
    {"missing source", u"C:\\d\\none.txt", u"C:\\d\\x.txt", RenameStatus::SourceMissing},
    {"missing drive", u"Q:\\a.txt", u"Q:\\b.txt", RenameStatus::SourceMissing},
    {"target folder missing", u"C:\\d\\a.txt", u"C:\\nowhere\\a.txt", RenameStatus::Failed},
    {"target below a file", u"C:\\d\\a.txt", u"C:\\d\\b.txt\\a.txt", RenameStatus::Failed},
    {"folder into itself", u"C:\\d", u"C:\\d\\sub\\d", RenameStatus::Failed},
    {"drive root", u"C:\\", u"C:\\e", RenameStatus::Failed},
    {"onto a drive root", u"C:\\d\\a.txt", u"D:\\", RenameStatus::Failed},
    {"relative target", u"C:\\d\\a.txt", u"a2.txt", RenameStatus::Failed},
    {"injected fault", u"C:\\d\\locked.txt", u"C:\\d\\free.txt", RenameStatus::Failed},
};

TEST(MemoryFileSystem, RenameRefusesAndLeavesEverythingAsItWas) {
  for (const RenameRow& row : kRenameRows) {
    SCOPED_TRACE(row.name);
    MemoryFileSystem fs;
    fs.addFileWithContent(u"C:\\d\\a.txt", "A");
    fs.addFileWithContent(u"C:\\d\\b.txt", "B");
    fs.addFile(u"C:\\d\\sub\\inner.txt", 3);
    fs.addFile(u"C:\\d\\locked.txt");
    fs.failRename(u"c:\\D\\LOCKED.TXT");
    fs.addFolder(u"D:\\");
    const std::u16string before = treeOf(fs) + treeOf(fs, u"D:\\");
    EXPECT_EQ(fs.rename(row.from, row.to), row.want);
    EXPECT_EQ(treeOf(fs) + treeOf(fs, u"D:\\"), before);
    EXPECT_EQ(fs.renameCalls(), 1);
  }
}

TEST(MemoryFileSystem, RenameMovesAWholeSubtree) {
  MemoryFileSystem fs;
  fs.addFileWithContent(u"C:\\a\\x\\deep.txt", "deep");
  fs.addFile(u"C:\\a\\top.txt", 7);
  fs.addFolder(u"C:\\b");
  EXPECT_EQ(fs.rename(u"C:\\a\\", u"c:\\B\\a2"), RenameStatus::Renamed);
  EXPECT_FALSE(fs.exists(u"C:\\a"));
  EXPECT_EQ(treeOf(fs),
            u"C:\\b\\ 0\n"
            u"C:\\b\\a2\\ 0\n"
            u"C:\\b\\a2\\x\\ 0\n"
            u"C:\\b\\a2\\x\\deep.txt 4 [deep]\n"
            u"C:\\b\\a2\\top.txt 7\n");
  // The moved folder is a working folder at its new place.
  EXPECT_EQ(fs.rename(u"C:\\b\\a2\\top.txt", u"C:\\b\\a2\\x\\top.txt"), RenameStatus::Renamed);
  EXPECT_EQ(namesIn(fs, u"C:\\b\\a2\\x"), (std::vector<std::u16string>{u"deep.txt", u"top.txt"}));
}

TEST(MemoryFileSystem, CaseOnlyRenameChangesTheStoredNameWhereCaseIsIgnored) {
  MemoryFileSystem fs;
  fs.addFile(u"C:\\d\\first");
  fs.addFile(u"C:\\d\\photo.jpg");
  fs.addFile(u"C:\\d\\last");
  EXPECT_EQ(fs.rename(u"C:\\d\\photo.jpg", u"C:\\d\\Photo.JPG"), RenameStatus::Renamed);
  EXPECT_EQ(namesIn(fs, u"C:\\d"), (std::vector<std::u16string>{u"first", u"Photo.JPG", u"last"}));
  EXPECT_EQ(fs.rename(u"C:\\d\\photo.jpg", u"C:\\d\\photo.jpg"), RenameStatus::Renamed);

  MemoryFileSystem posix(PathStyle::Posix);
  posix.addFile(u"/d/photo.jpg");
  EXPECT_EQ(posix.rename(u"/d/photo.jpg", u"/d/Photo.JPG"), RenameStatus::Renamed);
  EXPECT_EQ(posix.rename(u"/d/Photo.JPG", u"/d/Photo.JPG"), RenameStatus::TargetExists);
  EXPECT_EQ(namesIn(posix, u"/d"), (std::vector<std::u16string>{u"Photo.JPG"}));
}

TEST(MemoryFileSystem, InjectedFaultsHitTheirPathInAnySpelling) {
  MemoryFileSystem fs;
  fs.addFile(u"C:\\d\\f.txt");
  fs.addFolder(u"C:\\e");
  fs.failEnumerate(u"C:\\d\\");
  fs.failStat(u"c:\\D\\F.TXT");
  fs.failWrite(u"C:\\e\\new.txt");
  EXPECT_FALSE(fs.enumerate(u"c:\\d", [](const DirEntry&) { return true; }));
  EXPECT_TRUE(fs.enumerate(u"C:\\e", [](const DirEntry&) { return true; }));
  EXPECT_FALSE(fs.stat(u"C:\\d\\f.txt"));
  EXPECT_TRUE(fs.fileExists(u"C:\\d\\f.txt"));  // only stat is made to fail
  EXPECT_FALSE(fs.writeFile(u"C:\\E\\NEW.txt", "x"));
  EXPECT_FALSE(fs.exists(u"C:\\e\\new.txt"));
  EXPECT_TRUE(fs.writeFile(u"C:\\e\\other.txt", "x"));
}

TEST(MemoryFileSystem, ReadsWritesAndRemovesFiles) {
  MemoryFileSystem fs;
  fs.addFile(u"C:\\d\\sized.bin", 100);
  fs.addFile(u"C:\\d\\empty.txt");
  fs.addFolder(u"C:\\d\\sub");
  EXPECT_FALSE(fs.readFile(u"C:\\d\\sized.bin"));  // a size without content
  EXPECT_EQ(fs.readFile(u"C:\\d\\empty.txt"), "");
  EXPECT_FALSE(fs.readFile(u"C:\\d\\sub"));

  EXPECT_TRUE(fs.writeFile(u"C:\\d\\new.txt", std::string("a\0b", 3)));
  EXPECT_TRUE(fs.writeFile(u"C:\\d\\EMPTY.TXT", "replaced"));
  EXPECT_EQ(fs.readFile(u"C:\\d\\new.txt"), std::string("a\0b", 3));
  EXPECT_EQ(fs.stat(u"C:\\d\\empty.txt")->size, 8u);
  EXPECT_EQ(namesIn(fs, u"C:\\d"),
            (std::vector<std::u16string>{u"sized.bin", u"empty.txt", u"sub", u"new.txt"}));
  EXPECT_FALSE(fs.writeFile(u"C:\\missing\\x.txt", "x"));
  EXPECT_FALSE(fs.writeFile(u"C:\\d\\sub", "x"));
  EXPECT_FALSE(fs.writeFile(u"C:\\d\\new.txt\\", "x"));

  EXPECT_FALSE(fs.removeFile(u"C:\\d\\sub"));
  EXPECT_FALSE(fs.removeFile(u"C:\\d\\missing"));
  EXPECT_TRUE(fs.removeFile(u"C:\\d\\sized.bin"));
  EXPECT_EQ(namesIn(fs, u"C:\\d"), (std::vector<std::u16string>{u"empty.txt", u"sub", u"new.txt"}));
  EXPECT_TRUE(fs.fileExists(u"C:\\d\\new.txt"));
}

TEST(MemoryFileSystem, CreatesOneFolderWhereItsParentExists) {
  MemoryFileSystem fs;
  fs.addFile(u"C:\\d\\f.txt");
  EXPECT_TRUE(fs.createFolder(u"C:\\d\\new\\"));
  EXPECT_TRUE(fs.createFolder(u"c:\\D\\NEW"));  // exists already
  EXPECT_FALSE(fs.createFolder(u"C:\\d\\f.txt"));
  EXPECT_FALSE(fs.createFolder(u"C:\\d\\x\\y"));
  EXPECT_FALSE(fs.createFolder(u"E:\\"));
  EXPECT_EQ(namesIn(fs, u"C:\\d"), (std::vector<std::u16string>{u"f.txt", u"new"}));
  EXPECT_THROW(fs.addFile(u"C:\\d\\f.txt\\g.txt"), std::invalid_argument);
  EXPECT_THROW(fs.addFolder(u"relative\\x"), std::invalid_argument);
}

}  // namespace
}  // namespace tessaline::platform
