#include "config/used_folder_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_file_system.h"

namespace tessaline::config {
namespace {

using platform::MemoryFileSystem;
using platform::PathStyle;
using Lines = std::vector<std::u16string>;

UsedFolderList listOf(const Lines& entries) {
  UsedFolderList list;
  for (auto it = entries.rbegin(); it != entries.rend(); ++it)
    list.promote(*it);
  return list;
}

TEST(UsedFolderList, PromoteMovesTheFolderToTheTop) {
  struct Row {
    const char* name;
    Lines before;
    std::u16string_view folder;
    Lines after;
  };
  const Row kRows[] = {
      {"empty list", {}, u"a", {u"a"}},
      {"already on top", {u"a", u"b"}, u"a", {u"a", u"b"}},
      {"at 4 of 6",
       {u"a", u"b", u"c", u"d", u"e", u"f"},
       u"e",
       {u"e", u"a", u"b", u"c", u"d", u"f"}},
      {"last", {u"a", u"b", u"c"}, u"c", {u"c", u"a", u"b"}},
      {"new", {u"a", u"b"}, u"c", {u"c", u"a", u"b"}},
      {"letter case counts", {u"C:\\A\\", u"b"}, u"C:\\a\\", {u"C:\\a\\", u"C:\\A\\", u"b"}},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.name);
    UsedFolderList list = listOf(r.before);
    ASSERT_EQ(list.entries(), r.before);
    list.promote(r.folder);
    EXPECT_EQ(list.entries(), r.after);
  }
}

TEST(UsedFolderList, PromoteRemovesOnlyTheLastOfRepeatedEntries) {
  // Only a stored list can repeat an entry.
  MemoryFileSystem fs(PathStyle::Posix);
  fs.addFileWithContent(u"/Settings.ini",
                        "[Form]\r\nFolder0=/a/\r\nFolder1=/x/\r\nFolder2=/b/\r\nFolder3=/x/\r\n");
  UsedFolderList list;
  list.load(SettingsStore(fs, u"/Settings.ini"), 10);
  list.promote(u"/x/");
  EXPECT_EQ(list.entries(), (Lines{u"/x/", u"/a/", u"/x/", u"/b/"}));
  list.removeAt(2);
  list.removeAt(7);
  EXPECT_EQ(list.entries(), (Lines{u"/x/", u"/a/", u"/b/"}));
}

TEST(UsedFolderList, AllFoldersStayInMemoryAndFoldernumAreStored) {
  MemoryFileSystem fs(PathStyle::Windows);
  fs.addFolder(u"C:\\Data");
  SettingsStore store(fs, u"C:\\Data\\Settings.ini");
  UsedFolderList list;
  for (int n = 0; n < 12; ++n)
    list.promote(u"C:\\F" + std::u16string(1, static_cast<char16_t>(u'a' + n)) + u"\\");
  ASSERT_EQ(list.entries().size(), 12u);
  ASSERT_TRUE(store.saveWindowState({}, 0, list.entries(), 10));

  UsedFolderList next;
  next.load(store, 30);
  EXPECT_EQ(next.entries().size(), 10u);
  EXPECT_EQ(next.entries().front(), u"C:\\Fl\\");

  UsedFolderList filled = listOf({u"C:\\mine\\"});
  filled.load(store, 30);  // a box with entries is not loaded over
  EXPECT_EQ(filled.entries(), (Lines{u"C:\\mine\\"}));
}

}  // namespace
}  // namespace tessaline::config
