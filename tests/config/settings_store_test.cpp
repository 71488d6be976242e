#include "config/settings_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "support/test_text.h"

namespace tessaline::config {
namespace {

using platform::MemoryFileSystem;
using platform::PathStyle;
using Lines = std::vector<std::u16string>;

constexpr std::u16string_view kPath = u"C:\\Data\\Settings.ini";

class SettingsStoreTest : public ::testing::Test {
 protected:
  SettingsStoreTest() { m_fs.addFolder(u"C:\\Data"); }

  void writeFile(std::string content) { m_fs.addFileWithContent(kPath, std::move(content)); }
  IniFile file() const { return IniFile::parse(m_fs.readFile(kPath).value_or("")); }
  // The keys of a section of the file, in order.
  std::vector<std::u16string> keysOf(std::u16string_view section) const {
    std::vector<std::u16string> keys;
    const IniFile ini = file();
    for (const IniFile::Section& s : ini.sections()) {
      if (s.name != section) continue;
      for (const IniFile::Entry& entry : s.entries)
        keys.push_back(entry.key);
    }
    return keys;
  }

  MemoryFileSystem m_fs{PathStyle::Windows};
  SettingsStore m_store{m_fs, std::u16string(kPath)};
};

TEST_F(SettingsStoreTest, WithoutAFileEverythingIsDefaultUntilTheFirstWrite) {
  AppSettings settings;
  settings.options1 = true;  // an unsaved change the load drops
  settings.prenum = 7;
  EXPECT_EQ(m_store.loadSettings(settings), 0);
  EXPECT_FALSE(settings.options1);
  EXPECT_EQ(settings.prenum, 20);
  EXPECT_EQ(m_store.loadSettings(settings), std::nullopt);  // the counter: first load only

  const WindowPlacement placement = m_store.readPlacement(800, 50);
  EXPECT_FALSE(placement.maximize);
  EXPECT_FALSE(placement.rect.has_value());
  EXPECT_EQ(placement.rememberedTop, 0);
  EXPECT_TRUE(m_store.readFolders(10).empty());
  EXPECT_EQ(m_store.readLastDir(), u"");

  EXPECT_FALSE(m_store.exists());
  EXPECT_TRUE(m_store.writeLastDir(u"C:\\Photos\\"));
  EXPECT_TRUE(m_store.exists());
  EXPECT_EQ(m_store.readLastDir(), u"C:\\Photos\\");
}

TEST_F(SettingsStoreTest, LoadBringsValuesIntoRangeAndDefaultsBadOnes) {
  writeFile(
      "[Option]\r\nOptions1=1\r\nOptions3=0\r\nConfirm=yes\r\nCheckbox=0\r\nShowguide=7\r\n"
      "Prenum=5000\r\nListnum=abc\r\nFoldernum=-4\r\nEndsound=\r\n[Form]\r\nTotalfiles=12\r\n");
  AppSettings settings;
  settings.listnum = 3;
  settings.confirm = true;
  settings.endsound = false;
  EXPECT_EQ(m_store.loadSettings(settings), 12);
  EXPECT_TRUE(settings.options1);
  EXPECT_FALSE(settings.options3);
  EXPECT_FALSE(settings.confirm);  // not a number: the default
  EXPECT_FALSE(settings.checkbox);
  EXPECT_TRUE(settings.showguide);
  EXPECT_TRUE(settings.endsound);
  EXPECT_TRUE(settings.autocopy);  // missing: the default
  EXPECT_EQ(settings.prenum, 1000);
  EXPECT_EQ(settings.listnum, 20);
  EXPECT_EQ(settings.foldernum, 0);
}

TEST_F(SettingsStoreTest, AnUnreadableFileKeepsTheFlagsAndResetsTheNumbers) {
  m_fs.addFile(kPath, 100);  // a file whose content cannot be read
  AppSettings settings;
  settings.options1 = true;
  settings.checkbox = false;
  settings.prenum = 50;
  settings.listnum = 3;
  settings.foldernum = 2;
  EXPECT_EQ(m_store.loadSettings(settings), 0);
  EXPECT_TRUE(settings.options1);
  EXPECT_FALSE(settings.checkbox);
  EXPECT_EQ(settings.prenum, 20);
  EXPECT_EQ(settings.listnum, 20);
  EXPECT_EQ(settings.foldernum, 10);
  // Writing would replace the keys the file still holds with these alone.
  EXPECT_FALSE(m_store.writeLastDir(u"C:\\"));
  EXPECT_FALSE(m_store.saveSettings(settings));
  EXPECT_EQ(m_fs.stat(kPath)->size, 100u);
}

TEST_F(SettingsStoreTest, TheCounterIsReadAsSixtyFourBitsAndNeverNegative) {
  struct Row {
    const char* stored;
    std::int64_t want;
  };
  constexpr Row kRows[] = {
      {"5000000000", 5000000000},
      {"9223372036854775807", INT64_MAX},
      {"99999999999999999999", 0},
      {"-5", 0},
      {"many", 0},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.stored);
    m_fs.removeFile(kPath);
    writeFile(std::string("[Form]\r\nTotalfiles=") + r.stored + "\r\n");
    SettingsStore store(m_fs, std::u16string(kPath));
    AppSettings settings;
    EXPECT_EQ(store.loadSettings(settings), r.want);
  }
}

TEST_F(SettingsStoreTest, ReadsThePlacement) {
  struct Row {
    const char* name;
    std::string form;
    bool maximize;
    std::optional<WindowRect> rect;
    int rememberedTop;
  };
  const Row kRows[] = {
      {"stored values", "Left=10\r\nTop=20\r\nWidth=30\r\nHeight=40\r\n", false,
       WindowRect{10, 20, 30, 40}, 20},
      {"maximized: nothing else read", "Maximize=1\r\nLeft=10\r\nTop=20\r\n", true, std::nullopt,
       0},
      {"missing and bad values: defaults", "Maximize=0\r\nLeft=x\r\nWidth=99999999999\r\n", false,
       WindowRect{299, 172, 626, 513}, 172},
      {"top at the screen's height: the current top", "Top=800\r\nLeft=5\r\n", false,
       WindowRect{5, 50, 626, 513}, 50},
      {"top just above it", "Top=799\r\n", false, WindowRect{299, 799, 626, 513}, 799},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.name);
    m_fs.removeFile(kPath);
    writeFile("[Option]\r\nLanguage=Deutsch\r\n[Form]\r\n" + r.form);
    const WindowPlacement placement = m_store.readPlacement(800, 50);
    EXPECT_EQ(placement.language, u"Deutsch");
    EXPECT_EQ(placement.maximize, r.maximize);
    ASSERT_EQ(placement.rect.has_value(), r.rect.has_value());
    if (r.rect) {
      EXPECT_EQ(placement.rect->left, r.rect->left);
      EXPECT_EQ(placement.rect->top, r.rect->top);
      EXPECT_EQ(placement.rect->width, r.rect->width);
      EXPECT_EQ(placement.rect->height, r.rect->height);
    }
    EXPECT_EQ(placement.rememberedTop, r.rememberedTop);
  }
}

TEST_F(SettingsStoreTest, SaveWritesTheOptionsInOrderAndKeepsOtherKeys) {
  writeFile("[Option]\r\nLanguage=Deutsch\r\nShowguide=1\r\nUnknown=kept\r\n[Form]\r\nLeft=5\r\n");
  AppSettings settings;
  settings.showguide = false;
  settings.prenum = 300;
  ASSERT_TRUE(m_store.saveSettings(settings));
  const Lines want = {u"Language", u"Showguide",      u"Unknown",     u"Options1", u"Options2",
                      u"Options3", u"Autocopy",       u"Capevery",    u"Confirm",  u"Prenum",
                      u"Listnum",  u"Foldernum",      u"Contextmenu", u"Endsound", u"PreviewMax",
                      u"Checkbox", u"Showhiddenfile", u"Showsysfile"};
  EXPECT_EQ(keysOf(u"Option"), want);
  EXPECT_EQ(file().get(u"Option", u"Showguide"), u"0");
  EXPECT_EQ(file().get(u"Option", u"Prenum"), u"300");
  EXPECT_EQ(file().get(u"Option", u"Unknown"), u"kept");
  EXPECT_EQ(file().get(u"Form", u"Left"), u"5");

  AppSettings reloaded;
  m_store.loadSettings(reloaded);
  EXPECT_FALSE(reloaded.showguide);
  EXPECT_EQ(reloaded.prenum, 300);
}

TEST_F(SettingsStoreTest, WindowStateStoresAtMostFoldernumFoldersAndDeletesTheRest) {
  std::string form = "[Form]\r\nTotalfiles=77\r\n";
  for (int n = 0; n < 8; ++n)
    form += "Folder" + std::to_string(n) + "=C:\\F" + std::to_string(n) + "\\\r\n";
  writeFile(form + "Folder9=C:\\behind a gap\\\r\n");
  const std::vector<std::u16string> loaded = m_store.readFolders(5);
  ASSERT_EQ(loaded.size(), 5u);
  EXPECT_EQ(loaded[4], u"C:\\F4\\");

  ASSERT_TRUE(m_store.saveWindowState({false, 1, 2, 3, 4}, 0, loaded, 5));
  EXPECT_EQ(keysOf(u"Form"),
            (Lines{u"Totalfiles", u"Folder0", u"Folder1", u"Folder2", u"Folder3", u"Folder4",
                   u"Folder9", u"Maximize", u"Top", u"Left", u"Height", u"Width"}));
  EXPECT_EQ(file().get(u"Form", u"Totalfiles"), u"77");  // 0 in memory: the old value stays

  ASSERT_TRUE(m_store.saveWindowState({true, 1, 2, 3, 4}, 5000000000, {u"C:\\New\\"}, 5));
  EXPECT_EQ(file().get(u"Form", u"Totalfiles"), u"5000000000");
  EXPECT_EQ(file().get(u"Form", u"Maximize"), u"1");
  EXPECT_EQ(m_store.readFolders(30), (Lines{u"C:\\New\\"}));

  ASSERT_TRUE(m_store.saveWindowState({}, 0, {u"C:\\New\\"}, 0));
  EXPECT_FALSE(file().has(u"Form", u"Folder0"));
}

TEST_F(SettingsStoreTest, ReadingFoldersSkipsEmptyValuesAndStopsAtAGap) {
  writeFile("[Form]\r\nFolder0=C:\\a\\\r\nFolder1=\r\nFolder2=C:\\b\\\r\nFolder4=C:\\c\\\r\n");
  EXPECT_EQ(m_store.readFolders(10), (Lines{u"C:\\a\\", u"C:\\b\\"}));
  EXPECT_EQ(m_store.readFolders(1), (Lines{u"C:\\a\\"}));
  EXPECT_TRUE(m_store.readFolders(0).empty());
}

TEST(SettingsStore, FolderPathsKeepEveryCharacter) {
  MemoryFileSystem fs(PathStyle::Posix);
  fs.addFolder(u"/data");
  const std::u16string path = u"/data/Settings.ini";
  const Lines folders = {u"/a\r\nb/",       u"/ lead/ ", u"/x=y [z]/",         u"\"/q\"/",
                         u"/\xDCC3\xDCA9/", u"/\\back/", u"/\u00E9\U0001F600/"};
  SettingsStore store(fs, path);
  ASSERT_TRUE(store.saveWindowState({}, 0, folders, 30));
  ASSERT_TRUE(store.writeLastDir(folders[0]));
  SettingsStore reread(fs, path);
  EXPECT_EQ(reread.readFolders(30), folders);
  EXPECT_EQ(reread.readLastDir(), folders[0]);
}

TEST_F(SettingsStoreTest, SingleWritesChangeOneKey) {
  ASSERT_TRUE(m_store.writeShowguide(false));
  ASSERT_TRUE(m_store.writeListnum(5));
  ASSERT_TRUE(m_store.writeLanguage(u"Fran\u00E7ais"));
  ASSERT_TRUE(m_store.writeIcon(u"Blue"));
  ASSERT_TRUE(m_store.writeRegistereddll(true));
  AppSettings settings;
  m_store.loadSettings(settings);
  EXPECT_FALSE(settings.showguide);
  EXPECT_EQ(settings.listnum, 5);
  EXPECT_EQ(m_store.readPlacement(800, 0).language, u"Fran\u00E7ais");
  EXPECT_EQ(m_store.readIcon(), u"Blue");
  EXPECT_TRUE(m_store.readRegistereddll());

  ASSERT_TRUE(m_store.writeIcon(std::nullopt));
  EXPECT_FALSE(file().has(u"Option", u"Icon"));
  EXPECT_EQ(m_store.readIcon(), std::nullopt);
}

TEST_F(SettingsStoreTest, AFailedWriteIsReported) {
  m_fs.failWrite(kPath);
  EXPECT_FALSE(m_store.writeLastDir(u"C:\\"));
  EXPECT_FALSE(m_store.saveWindowState({}, 1, {}, 10));
  EXPECT_FALSE(m_store.exists());
}

}  // namespace
}  // namespace tessaline::config
