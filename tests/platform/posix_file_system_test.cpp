#include "platform/posix_file_system.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <map>

#include "platform/utf.h"
#include "support/temp_dir.h"
#include "support/test_text.h"

namespace tessaline::platform {
namespace {

namespace fs = std::filesystem;

class PosixFileSystemTest : public ::testing::Test {
 protected:
  // The u16 path of a byte path below the temporary folder.
  std::u16string path(std::string_view relative) const { return testing::utf16(m_dir / relative); }

  void symlinkTo(std::string_view target, std::string_view relative) const {
    ASSERT_EQ(::symlink(std::string(target).c_str(), (m_dir / relative).c_str()), 0);
  }

  // Every item below the folder with its kind and content, sorted: a picture
  // of the whole tree to compare before and after.
  std::vector<std::string> tree() const {
    std::vector<std::string> items;
    for (const auto& entry : fs::recursive_directory_iterator(m_dir.path())) {
      const std::string relative = entry.path().string().substr(m_dir.path().size());
      if (entry.is_symlink()) {
        items.push_back(relative + " -> " + fs::read_symlink(entry.path()).string());
      } else if (entry.is_directory()) {
        items.push_back(relative + "/");
      } else {
        items.push_back(relative + " [" + m_dir.readFile(relative) + "]");
      }
    }
    std::sort(items.begin(), items.end());
    return items;
  }

  std::map<std::string, EntryInfo> entriesOf(std::string_view relative) const {
    std::map<std::string, EntryInfo> entries;
    const auto listed = listFolder(m_fs, path(relative)).value();
    for (const DirEntry& entry : listed)
      entries[toUtf8(entry.name)] = entry.info;
    return entries;
  }

  testing::TempDir m_dir;
  PosixFileSystem m_fs;
};

TEST_F(PosixFileSystemTest, NamesWithInvalidUtf8AreListedAndRenamedByteExactly) {
  const std::string odd = "bad\xFF\xFE name\xC3";
  m_dir.writeFile(odd, "odd");
  m_dir.writeFile("caf\xC3\xA9", "");
  const auto entries = listFolder(m_fs, path("")).value();
  ASSERT_EQ(entries.size(), 2u);
  const auto found = std::find_if(entries.begin(), entries.end(),
                                  [&](const DirEntry& e) { return toUtf8(e.name) == odd; });
  ASSERT_NE(found, entries.end());
  EXPECT_TRUE(std::any_of(entries.begin(), entries.end(),
                          [](const DirEntry& e) { return e.name == u"caf\u00E9"; }));

  const std::string renamed = "new\x80\xC0\xAF";
  EXPECT_EQ(m_fs.rename(joinPath(PathStyle::Posix, path(""), found->name), path(renamed)),
            RenameStatus::Renamed);
  EXPECT_FALSE(m_dir.exists(odd));
  EXPECT_EQ(m_dir.readFile(renamed), "odd");
}

TEST_F(PosixFileSystemTest, SizeAboveFourGibibytesIsReportedInFull) {
  constexpr std::uint64_t kSize = 5'000'000'000ull;
  m_dir.writeFile("huge.bin");
  const int fd = ::open((m_dir / "huge.bin").c_str(), O_WRONLY);
  const bool sized = fd >= 0 && ftruncate(fd, static_cast<off_t>(kSize)) == 0;
  if (fd >= 0) ::close(fd);
  if (!sized) GTEST_SKIP() << "this file system holds no sparse file of 5 GB";
  EXPECT_EQ(m_fs.stat(path("huge.bin"))->size, kSize);
  EXPECT_EQ(entriesOf("")["huge.bin"].size, kSize);
}

TEST_F(PosixFileSystemTest, ReportsFolderHiddenAndLinkFlags) {
  m_dir.writeFile("plain", "123456789");
  m_dir.writeFile(".hidden", "");
  m_dir.makeFolder("folder");
  m_dir.makeFolder(".hfolder");
  symlinkTo("folder", "linkdir");
  symlinkTo("plain", "linkfile");
  symlinkTo("nowhere", "dangling");
  struct Row {
    std::string_view name;
    bool folder, hidden, symlink;
    std::uint64_t size;
  };
  const Row rows[] = {
      {"plain", false, false, false, 9},   {".hidden", false, true, false, 0},
      {"folder", true, false, false, 0},   {".hfolder", true, true, false, 0},
      {"linkdir", true, false, true, 0},   {"linkfile", false, false, true, 5},
      {"dangling", false, false, true, 7},  // a link's own size: its target's length
  };
  const auto entries = entriesOf("");
  EXPECT_EQ(entries.size(), std::size(rows));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto fromStat = m_fs.stat(path(row.name));
    ASSERT_TRUE(fromStat);
    ASSERT_TRUE(entries.contains(std::string(row.name)));
    for (const EntryInfo& info : {*fromStat, entries.at(std::string(row.name))}) {
      EXPECT_EQ(info.folder, row.folder);
      EXPECT_EQ(info.hidden, row.hidden);
      EXPECT_EQ(info.symlink, row.symlink);
      EXPECT_FALSE(info.system);
      EXPECT_EQ(info.size, row.size);
      EXPECT_TRUE(info.lastWrite);
    }
  }
}

TEST_F(PosixFileSystemTest, TellsFilesFromFoldersAndLinks) {
  m_dir.writeFile("folder/file");
  symlinkTo("folder", "linkdir");
  symlinkTo("nowhere", "dangling");
  struct Row {
    std::string_view path;
    bool exists, folder, file;
  };
  const Row rows[] = {
      {"folder", true, true, false},      {"folder/", true, true, false},
      {"folder/file", true, false, true}, {"folder/file/", false, false, false},
      {"linkdir", true, true, false},     {"dangling", true, false, true},
      {"missing", false, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(m_fs.exists(path(row.path)), row.exists);
    EXPECT_EQ(m_fs.folderExists(path(row.path)), row.folder);
    EXPECT_EQ(m_fs.fileExists(path(row.path)), row.file);
    EXPECT_EQ(m_fs.stat(path(row.path)).has_value(), row.exists);
  }
  EXPECT_TRUE(m_fs.stat(path("folder/"))->folder);
  EXPECT_FALSE(m_fs.exists(u""));
}

// Sets TZ for one test and puts it back afterwards.
class TimeZone {
 public:
  explicit TimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) m_old = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~TimeZone() {
    if (m_old) {
      setenv("TZ", m_old->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::optional<std::string> m_old;
};

TEST_F(PosixFileSystemTest, LastWriteIsInLocalTime) {
  const TimeZone zone("XYZ-3");           // three hours east of UTC, no summer time
  constexpr long long kUtc = 1267941903;  // 2010-03-07 06:05:03 UTC
  const LocalTime want{2010, 3, 7, 9, 5, 3};
  m_dir.writeFile("file");
  m_dir.makeFolder("folder");
  m_dir.setModified("file", kUtc);
  m_dir.setModified("folder", kUtc);
  EXPECT_EQ(m_fs.stat(path("file"))->lastWrite, want);
  EXPECT_EQ(m_fs.stat(path("folder/"))->lastWrite, want);
  EXPECT_EQ(entriesOf("")["file"].lastWrite, want);
}

// ---------------------------------------------------------------------------
// Renaming

struct RenameMethod {
  const char* name;
  std::function<RenameStatus(PosixFileSystem&, std::u16string_view, std::u16string_view)> rename;
};

const RenameMethod kMethods[] = {
    {"renameat2", [](PosixFileSystem& fs, auto from, auto to) { return fs.rename(from, to); }},
    {"fallback",
     [](PosixFileSystem&, auto from, auto to) { return renameWithoutReplacingFallback(from, to); }},
};

struct RenameRow {
  const char* name;
  std::string_view from, to;
  RenameStatus want;
};

constexpr RenameRow kRefusedRows[] = {
    {"file onto file", "a.txt", "b.txt", RenameStatus::TargetExists},
    {"file onto empty folder", "a.txt", "empty", RenameStatus::TargetExists},
    {"folder onto empty folder", "full", "empty", RenameStatus::TargetExists},
    {"folder onto file", "full", "b.txt", RenameStatus::TargetExists},
    {"link onto file", "dangling", "a.txt", RenameStatus::TargetExists},
    {"onto itself", "a.txt", "a.txt", RenameStatus::TargetExists},
    {"missing source", "none.txt", "c.txt", RenameStatus::SourceMissing},
    {"target folder missing", "a.txt", "nowhere/a.txt", RenameStatus::Failed},
    {"target below a file", "a.txt", "b.txt/a.txt", RenameStatus::Failed},
    {"folder into itself", "full", "full/inner/full", RenameStatus::Failed},
};

TEST_F(PosixFileSystemTest, RenameNeverReplacesAndChangesNothingWhenRefused) {
  m_dir.writeFile("a.txt", "A");
  m_dir.writeFile("b.txt", "B");
  m_dir.writeFile("full/inner/x", "X");
  m_dir.makeFolder("empty");
  symlinkTo("nowhere", "dangling");
  const std::vector<std::string> before = tree();
  for (const RenameMethod& method : kMethods) {
    for (const RenameRow& row : kRefusedRows) {
      SCOPED_TRACE(std::string(method.name) + ": " + row.name);
      EXPECT_EQ(method.rename(m_fs, path(row.from), path(row.to)), row.want);
      EXPECT_EQ(tree(), before);
    }
  }
}

TEST_F(PosixFileSystemTest, RenameMovesFilesFoldersAndLinks) {
  for (const RenameMethod& method : kMethods) {
    SCOPED_TRACE(method.name);
    const testing::TempDir dir;
    const auto at = [&](std::string_view relative) { return testing::utf16(dir / relative); };
    dir.writeFile("a.txt", "A");
    dir.writeFile("full/inner/x", "X");
    dir.makeFolder("target");
    ASSERT_EQ(::symlink("nowhere", (dir / "dangling").c_str()), 0);
    EXPECT_EQ(method.rename(m_fs, at("a.txt"), at("target/b.txt")), RenameStatus::Renamed);
    EXPECT_EQ(method.rename(m_fs, at("full/"), at("moved")), RenameStatus::Renamed);
    EXPECT_EQ(method.rename(m_fs, at("dangling"), at("target/link")), RenameStatus::Renamed);
    EXPECT_FALSE(dir.exists("a.txt") || dir.exists("full") || dir.exists("dangling"));
    EXPECT_EQ(dir.readFile("target/b.txt"), "A");
    EXPECT_EQ(dir.readFile("moved/inner/x"), "X");
    EXPECT_EQ(fs::read_symlink(dir / "target/link"), "nowhere");
  }
}

// Renames within one folder go through a held handle of the folder; once the
// folder itself (or one above it) is renamed, its old path names nothing.
TEST_F(PosixFileSystemTest, RenamesInAFolderFollowTheFolderWhenItMoves) {
  m_dir.writeFile("top/album/a.txt", "A");
  m_dir.writeFile("top/album/b.txt", "B");
  EXPECT_EQ(m_fs.rename(path("top/album/a.txt"), path("top/album/a2.txt")), RenameStatus::Renamed);
  EXPECT_EQ(m_fs.rename(path("top/album"), path("top/disc")), RenameStatus::Renamed);
  EXPECT_EQ(m_fs.rename(path("top/album/b.txt"), path("top/album/b2.txt")),
            RenameStatus::SourceMissing);
  EXPECT_EQ(m_fs.rename(path("top/disc/b.txt"), path("top/disc/b2.txt")), RenameStatus::Renamed);
  EXPECT_EQ(m_fs.rename(path("top"), path("up")), RenameStatus::Renamed);
  EXPECT_EQ(m_fs.rename(path("top/disc/a2.txt"), path("top/disc/a3.txt")),
            RenameStatus::SourceMissing);
  EXPECT_EQ(m_fs.rename(path("up/disc/a2.txt"), path("up/disc/a3.txt")), RenameStatus::Renamed);
  EXPECT_EQ(tree(), (std::vector<std::string>{"up/", "up/disc/", "up/disc/a3.txt [A]",
                                              "up/disc/b2.txt [B]"}));
}

TEST_F(PosixFileSystemTest, PathsHoldingNulNeverReachTheSystem) {
  m_dir.writeFile("a", "A");
  const std::u16string cut = path("a") + u'\0' + u"tail";
  EXPECT_EQ(m_fs.rename(cut, path("b")), RenameStatus::SourceMissing);
  EXPECT_EQ(m_fs.rename(path("a"), path("b") + u'\0' + u"tail"), RenameStatus::Failed);
  EXPECT_FALSE(m_fs.writeFile(path("c") + u'\0', "C"));
  EXPECT_FALSE(m_fs.removeFile(cut));
  EXPECT_FALSE(m_fs.exists(cut));
  EXPECT_EQ(tree(), std::vector<std::string>{"a [A]"});
}

// ---------------------------------------------------------------------------
// Files and folders

// Appends reach the file at once (a reader sees them while the file is open,
// followed at most by NUL bytes) and the file has its exact length once closed.
TEST_F(PosixFileSystemTest, AppendFilesHoldEveryAppendAndEndExactly) {
  m_dir.writeFile("log", "old\n");
  const std::string expected = "old\none\n" + std::string(3'000'000, 'x') + "three\n";
  {
    const std::unique_ptr<AppendFile> file = m_fs.openAppend(path("log"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->size(), 4u);
    ASSERT_TRUE(file->append("one\n"));
    ASSERT_TRUE(file->append(std::string(3'000'000, 'x')));  // past the first mapping step
    ASSERT_TRUE(file->append("two\n"));
    ASSERT_TRUE(file->truncate(file->size() - 4));  // takes "two" back
    ASSERT_TRUE(file->append("three\n"));
    std::string seen = m_dir.readFile("log");
    seen.erase(seen.find_last_not_of('\0') + 1);
    EXPECT_EQ(seen, expected);
  }
  EXPECT_EQ(m_dir.readFile("log"), expected);
  EXPECT_FALSE(m_fs.openAppend(path("")));
  EXPECT_FALSE(m_fs.openAppend(path("missing-folder/log")));
}

TEST_F(PosixFileSystemTest, WriteFileReplacesWholeAndLeavesNoTemporaryFile) {
  const std::string binary("line\r\n\0\xFF", 8);
  m_dir.writeFile("settings.ini", "old content that is longer");
  ASSERT_EQ(::chmod((m_dir / "settings.ini").c_str(), 0640), 0);
  m_dir.writeFile("real.ini", "real");
  symlinkTo("real.ini", "link.ini");
  m_dir.makeFolder("folder");

  EXPECT_TRUE(m_fs.writeFile(path("settings.ini"), binary));
  EXPECT_TRUE(m_fs.writeFile(path("new.txt"), "new"));
  EXPECT_TRUE(m_fs.writeFile(path("link.ini"), "through the link"));
  EXPECT_FALSE(m_fs.writeFile(path("folder"), "x"));
  EXPECT_FALSE(m_fs.writeFile(path("missing/x.txt"), "x"));

  EXPECT_EQ(tree(), (std::vector<std::string>{"folder/", "link.ini -> real.ini", "new.txt [new]",
                                              "real.ini [through the link]",
                                              "settings.ini [" + binary + "]"}));
  struct stat info;
  ASSERT_EQ(::stat((m_dir / "settings.ini").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(PosixFileSystemTest, ReadsWholeFilesOnly) {
  const std::string binary("\0\x01\xFFtext", 7);
  m_dir.writeFile("data.bin", binary);
  m_dir.makeFolder("folder");
  EXPECT_EQ(m_fs.readFile(path("data.bin")), binary);
  EXPECT_FALSE(m_fs.readFile(path("folder")));
  EXPECT_FALSE(m_fs.readFile(path("missing")));
}

TEST_F(PosixFileSystemTest, CreatesFoldersAndRemovesOnlyFiles) {
  m_dir.writeFile("file");
  EXPECT_TRUE(m_fs.createFolder(path("new/")));
  EXPECT_TRUE(m_fs.createFolder(path("new")));
  EXPECT_FALSE(m_fs.createFolder(path("file")));
  EXPECT_FALSE(m_fs.createFolder(path("a/b")));
  EXPECT_FALSE(m_fs.removeFile(path("new")));
  EXPECT_FALSE(m_fs.removeFile(path("missing")));
  EXPECT_TRUE(m_fs.removeFile(path("file")));
  EXPECT_EQ(tree(), std::vector<std::string>{"new/"});
}

TEST_F(PosixFileSystemTest, EnumerateStopsWhenAskedAndFailsOnNonFolders) {
  m_dir.writeFile("1");
  m_dir.writeFile("2");
  int visits = 0;
  EXPECT_TRUE(m_fs.enumerate(path(""), [&](const DirEntry&) { return ++visits < 1; }));
  EXPECT_EQ(visits, 1);
  EXPECT_FALSE(m_fs.enumerate(path("1"), [](const DirEntry&) { return true; }));
  EXPECT_FALSE(m_fs.enumerate(path("missing"), [](const DirEntry&) { return true; }));
}

// Runs probe in a child process without rights on folder and returns its
// exit code. Tests run as root ignore permissions, so a root run drops to the
// user nobody in the child; the folder's rights are taken away for both.
int unprivileged(const std::string& folder, const std::function<int()>& probe) {
  if (::chmod(folder.c_str(), 0) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
      _exit(100);
    _exit(probe());
  }
  int status = 0;
  waitpid(child, &status, 0);
  ::chmod(folder.c_str(), 0755);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(PosixFileSystemTest, AFolderWithoutRightsCannotBeListedOrChanged) {
  m_dir.writeFile("locked/file", "F");
  const int failed = unprivileged(m_dir / "locked", [this] {
    if (m_fs.enumerate(path("locked"), [](const DirEntry&) { return true; })) return 1;
    if (m_fs.rename(path("locked/file"), path("locked/other")) != RenameStatus::Failed) return 2;
    if (m_fs.stat(path("locked/file"))) return 3;
    if (m_fs.writeFile(path("locked/new"), "x")) return 4;
    return 0;
  });
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(tree(), (std::vector<std::string>{"locked/", "locked/file [F]"}));
}

}  // namespace
}  // namespace tessaline::platform
