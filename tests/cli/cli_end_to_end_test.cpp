// tessaline-cli on real temporary folders: what a script sees.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

#include "cli/cli_runner.h"
#include "support/temp_dir.h"

namespace tessaline::testing {
namespace {

namespace fs = std::filesystem;

class CliTest : public ::testing::Test {
 protected:
  CliTest() { dir.makeFolder("data"); }

  // Arguments of an edit of the folder "work" with the given fields.
  std::vector<std::string> edit(const std::string& mode, std::vector<std::string> fields,
                                std::vector<std::string> extra = {}) {
    std::vector<std::string> arguments = {"--mode",     mode,         "--folder",
                                          dir / "work", "--data-dir", dir / "data"};
    for (const std::string& field : fields) {
      arguments.push_back("--set");
      arguments.push_back(field);
    }
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return arguments;
  }

  CliRun undo() { return runCli({"--undo", "--data-dir", dir / "data"}); }

  std::set<std::string> names(const std::string& folder = "work") const {
    std::set<std::string> result;
    for (const auto& entry : fs::directory_iterator(dir / folder)) {
      result.insert(entry.path().filename().string());
    }
    return result;
  }

  std::string journal() const { return dir.readFile("data/Undos/rollback.rbk"); }

  TempDir dir;
};

TEST_F(CliTest, PreviewPrintsOldAndNewNamesAndRenamesNothing) {
  dir.writeFile("work/apple.txt");
  dir.writeFile("work/banana.txt");
  const CliRun run = runCli(edit("Replapart", {"ReplaceOld=an", "ReplaceNew=AN"}, {"--preview"}));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(linesOf(run.out), std::vector<std::string>{"banana.txt\tbANANa.txt"});
  EXPECT_EQ(names(), (std::set<std::string>{"apple.txt", "banana.txt"}));
  EXPECT_FALSE(dir.exists("data/Undos/rollback.rbk"));
}

TEST_F(CliTest, RealRunRenamesJournalsAndUndoes) {
  dir.writeFile("work/a.txt");
  dir.writeFile("work/c.txt");
  dir.writeFile("work/skip.doc");
  const CliRun run = runCli(edit("Changexten", {"OldExtension=txt", "NewExtension=md"}));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string work = dir / "work/";
  std::vector<std::string> lines = linesOf(run.out);
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{work + "a.txt\t" + work + "a.md",
                                             work + "c.txt\t" + work + "c.md"}));
  EXPECT_EQ(linesOf(run.err).back(), "2 renamed successfully,0 failed.");
  EXPECT_EQ(names(), (std::set<std::string>{"a.md", "c.md", "skip.doc"}));

  // Two lines per rename, new path first, CR LF after each, read-only.
  const std::string text = journal();
  EXPECT_NE(text.find(work + "a.md\r\n" + work + "a.txt\r\n"), std::string::npos) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
  struct stat info;
  ASSERT_EQ(stat((dir / "data/Undos/rollback.rbk").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0222, 0u);

  const CliRun undone = undo();
  EXPECT_EQ(undone.status, 0) << undone.err;
  EXPECT_EQ(names(), (std::set<std::string>{"a.txt", "c.txt", "skip.doc"}));
  EXPECT_FALSE(dir.exists("data/Undos/rollback.rbk"));
  EXPECT_NE(undone.err.find("UNDO COMPLETED!"), std::string::npos) << undone.err;
}

TEST_F(CliTest, ExitStatusesTellWhatHappened) {
  struct Row {
    const char* name;
    std::vector<std::string> fields;
    std::vector<std::string> extra;
    int status;
    const char* saying;  // on stderr
  };
  const Row rows[] = {
      {"nothing to rename",
       {"ReplaceOld=zzz", "ReplaceNew=y"},
       {},
       1,
       "No filename has been changed"},
      {"refused check", {"ReplaceNew=y"}, {}, 2, "Please input the old part of file name"},
      {"forbidden character", {"ReplaceOld=a", "ReplaceNew=x/y"}, {}, 2, "specific characters"},
      {"unknown field", {"Colour=red"}, {}, 2, "unknown field"},
      {"bad value", {"ReplaceOld=a", "CounterStart=-4"}, {}, 2, "0 to 10000"},
      {"question declined",
       {"ReplaceOld=a", "ReplaceNew=b"},
       {"--option", "Confirm=1"},
       2,
       "It will replace the old strings 'a'"},
      {"bad option", {"ReplaceOld=a", "ReplaceNew=b"}, {"--option", "Confirm=yes"}, 2, "Confirm"},
  };
  dir.writeFile("work/a.txt");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const CliRun run = runCli(edit("Replapart", row.fields, row.extra));
    EXPECT_EQ(run.status, row.status) << run.err;
    EXPECT_NE(run.err.find(row.saying), std::string::npos) << run.err;
    EXPECT_EQ(names(), std::set<std::string>{"a.txt"});
  }
  const CliRun confirmed = runCli(
      edit("Replapart", {"ReplaceOld=a", "ReplaceNew=b"}, {"--option", "Confirm=1", "--yes"}));
  EXPECT_EQ(confirmed.status, 0) << confirmed.err;
  EXPECT_EQ(names(), std::set<std::string>{"b.txt"});

  EXPECT_EQ(runCli({"--mode", "Replapart"}).status, 2);
  EXPECT_EQ(runCli({"--mode", "Nonsense", "--folder", dir / "work"}).status, 2);
  EXPECT_EQ(runCli({"--help"}).status, 0);
}

TEST_F(CliTest, NamesWithInvalidUtf8SurviveEveryStepByteForByte) {
  const std::string odd = "caf\xE9 \xFF.txt";  // Latin-1 bytes, not UTF-8
  dir.writeFile("work/" + odd, "x");
  const CliRun preview =
      runCli(edit("Addnewnum", {"InsertHeadOn=1", "InsertHeadText=new "}, {"--preview"}));
  EXPECT_EQ(preview.out, odd + "\tnew " + odd + "\n");

  ASSERT_EQ(runCli(edit("Addnewnum", {"InsertHeadOn=1", "InsertHeadText=new "})).status, 0);
  EXPECT_EQ(names(), std::set<std::string>{"new " + odd});
  EXPECT_EQ(journal(), dir / ("work/new " + odd) + "\r\n" + dir / ("work/" + odd) + "\r\n");

  const CliRun saved = runCli({"--mode", "Savealls", "--folder", dir / "work", "--output",
                               dir / "list", "--data-dir", dir / "data"});
  EXPECT_EQ(saved.status, 0) << saved.err;
  EXPECT_NE(dir.readFile("list.txt").find("\r\n  new " + odd + "\r\n"), std::string::npos);

  ASSERT_EQ(undo().status, 0);
  EXPECT_EQ(names(), std::set<std::string>{odd});
  EXPECT_EQ(dir.readFile("work/" + odd), "x");
}

TEST_F(CliTest, SavesTheNamesOfChosenFiles) {
  dir.writeFile("work/A/x.txt");
  dir.writeFile("work/B/y.txt");
  const CliRun run =
      runCli({"--mode", "Savesomes", "--files", dir / "work/A/x.txt", dir / "work/B/y.txt",
              "--output", dir / "names.txt", "--data-dir", dir / "data"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = linesOf(dir.readFile("names.txt"));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1], "Selected file names:\r");
  EXPECT_EQ(lines[2], "In folder, <" + dir / "work/A/" + ">\r");
  EXPECT_EQ(lines[3], "  x.txt\r");
  EXPECT_EQ(lines[5], "  y.txt\r");
}

TEST_F(CliTest, UndoAfterAKilledRunRestoresEveryName) {
  constexpr int kFiles = 20000;
  for (int i = 0; i < kFiles; ++i)
    dir.writeFile("work/f" + std::to_string(i) + ".dat");
  const pid_t pid = startCli(edit("Replapart", {"ReplaceOld=f", "ReplaceNew=renamed_"}));
  // Kill it once it is well under way (or let it end, on a fast machine).
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  for (;;) {
    int renamed = 0;
    for (const auto& entry : fs::directory_iterator(dir / "work")) {
      renamed += entry.path().filename().string().starts_with("renamed_");
      if (renamed > 500) break;
    }
    if (renamed > 500 || std::chrono::steady_clock::now() > deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);

  const CliRun undone = undo();
  EXPECT_EQ(undone.status, 0) << undone.err;
  const std::set<std::string> after = names();
  EXPECT_EQ(after.size(), static_cast<std::size_t>(kFiles));
  for (int i = 0; i < kFiles; ++i) {
    ASSERT_TRUE(after.count("f" + std::to_string(i) + ".dat")) << i;
  }
}

}  // namespace
}  // namespace tessaline::testing
