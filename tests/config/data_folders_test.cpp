#include "config/data_folders.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/memory_file_system.h"
#include "platform/posix_file_system.h"
#include "support/temp_dir.h"
#include "support/test_text.h"

namespace tessaline::config {
namespace {

using platform::MemoryFileSystem;
using platform::PathStyle;

constexpr std::u16string_view kExe = u"/opt/tessaline/tessaline";
constexpr std::u16string_view kProgramDir = u"/opt/tessaline/";
constexpr std::u16string_view kUserData = u"/home/ann/.local/share/Brenwick/Tessaline/";

class DataFoldersTest : public ::testing::Test {
 protected:
  DataFoldersTest() {
    m_fs.addFile(kExe);
    m_fs.addFolder(u"/home/ann");
    m_env.executablePath = kExe;
    m_env.home = u"/home/ann";
  }

  // The program folder cannot take an "Undos" folder (a file of that name
  // stands in the way, as a read-only folder would).
  void blockProgramFolder() { m_fs.addFile(std::u16string(kProgramDir) + u"Undos"); }

  void expectFolders(const DataFolders& folders, std::u16string_view dataDir) {
    EXPECT_EQ(folders.programDir, kProgramDir);
    EXPECT_EQ(folders.dataDir, dataDir);
    EXPECT_EQ(folders.settingsPath, std::u16string(dataDir) + u"Settings.ini");
  }

  MemoryFileSystem m_fs{PathStyle::Posix};
  FolderEnvironment m_env;
};

TEST_F(DataFoldersTest, AProgramFolderThatTakesUndosKeepsTheData) {
  expectFolders(resolveFolders(m_fs, m_env), kProgramDir);
  EXPECT_TRUE(m_fs.folderExists(u"/opt/tessaline/Undos"));
  EXPECT_FALSE(m_fs.exists(u"/home/ann/.local"));

  m_fs.addFolder(u"/home/ann/.local/share/Brenwick/Tessaline/Undos");  // also usable: not taken
  expectFolders(resolveFolders(m_fs, m_env), kProgramDir);
}

TEST_F(DataFoldersTest, AReadOnlyProgramFolderMovesTheDataToTheUserFolder) {
  blockProgramFolder();
  expectFolders(resolveFolders(m_fs, m_env), kUserData);
  EXPECT_TRUE(m_fs.folderExists(std::u16string(kUserData) + u"Undos"));

  m_fs.addFolder(u"/xdg");
  m_env.xdgDataHome = u"/xdg";
  expectFolders(resolveFolders(m_fs, m_env), u"/xdg/Brenwick/Tessaline/");
  EXPECT_TRUE(m_fs.folderExists(u"/xdg/Brenwick/Tessaline/Undos"));

  m_env.xdgDataHome = u"relative/path";  // not absolute: ignored
  expectFolders(resolveFolders(m_fs, m_env), kUserData);
}

TEST_F(DataFoldersTest, WhenNoFolderCanBeMadeBothAreTheProgramFolder) {
  blockProgramFolder();
  m_fs.addFile(u"/home/ann/.local");  // the user folder cannot be made
  expectFolders(resolveFolders(m_fs, m_env), kProgramDir);

  m_env.home.clear();
  expectFolders(resolveFolders(m_fs, m_env), kProgramDir);
}

TEST(DataFolders, WindowsStylePaths) {
  MemoryFileSystem fs(PathStyle::Windows);
  fs.addFile(u"C:\\Program Files\\Tessaline\\Tessaline.exe");
  fs.addFile(u"C:\\Program Files\\Tessaline\\Undos");
  fs.addFolder(u"C:\\Users\\ann");
  FolderEnvironment env;
  env.executablePath = u"C:\\Program Files\\Tessaline\\Tessaline.exe";
  env.xdgDataHome = u"C:\\Users\\ann\\AppData\\Roaming";
  const DataFolders folders = resolveFolders(fs, env);
  EXPECT_EQ(folders.programDir, u"C:\\Program Files\\Tessaline\\");
  EXPECT_EQ(folders.dataDir, u"C:\\Users\\ann\\AppData\\Roaming\\Brenwick\\Tessaline\\");
  EXPECT_TRUE(fs.folderExists(folders.dataDir + u"Undos"));
}

TEST_F(DataFoldersTest, InstallDirBecomesBothFoldersButNotTheSettingsFile) {
  blockProgramFolder();
  const DataFolders resolved = resolveFolders(m_fs, m_env);
  MemoryKeyStore keys;
  DataFolders folders = resolved;
  EXPECT_FALSE(applyInstallDir(keys, PathStyle::Posix, folders));
  keys.set(kInstallDirValue, u"");
  EXPECT_FALSE(applyInstallDir(keys, PathStyle::Posix, folders));
  EXPECT_EQ(folders.dataDir, resolved.dataDir);

  keys.set(kInstallDirValue, u"/usr/lib/tessaline");
  EXPECT_TRUE(applyInstallDir(keys, PathStyle::Posix, folders));
  EXPECT_EQ(folders.programDir, u"/usr/lib/tessaline/");
  EXPECT_EQ(folders.dataDir, u"/usr/lib/tessaline/");
  EXPECT_EQ(folders.settingsPath, resolved.settingsPath);
}

TEST(DataFolders, KeyStorePathFollowsTheConfigFolder) {
  struct Row {
    std::u16string_view home, xdgConfigHome;
    std::optional<std::u16string> want;
  };
  const Row kRows[] = {
      {u"/home/ann", u"", u"/home/ann/.config/Brenwick/tessaline.conf"},
      {u"/home/ann", u"/cfg/", u"/cfg/Brenwick/tessaline.conf"},
      {u"/home/ann", u"cfg", u"/home/ann/.config/Brenwick/tessaline.conf"},
      {u"", u"", std::nullopt},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(testing::utf8(r.home) + " " + testing::utf8(r.xdgConfigHome));
    FolderEnvironment env;
    env.home = r.home;
    env.xdgConfigHome = r.xdgConfigHome;
    EXPECT_EQ(keyStorePath(PathStyle::Posix, env), r.want);
  }
}

TEST(DataFolders, ResolvesOnTheRealFileSystem) {
  testing::TempDir dir;
  dir.writeFile("bin/tessaline");
  platform::PosixFileSystem fs;
  FolderEnvironment env;
  env.executablePath = testing::utf16(dir / "bin/tessaline");
  const DataFolders folders = resolveFolders(fs, env);
  EXPECT_EQ(folders.dataDir, testing::utf16(dir / "bin/"));
  EXPECT_TRUE(dir.exists("bin/Undos"));

  EXPECT_TRUE(createFolderChain(fs, testing::utf16(dir / "a/b/c/")));
  EXPECT_TRUE(dir.exists("a/b/c"));
  EXPECT_FALSE(processEnvironment().executablePath.empty());
}

}  // namespace
}  // namespace tessaline::config
