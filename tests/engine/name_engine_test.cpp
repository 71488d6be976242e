#include "engine/name_engine.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"
#include "support/recording_messages.h"
#include "support/test_text.h"

namespace tessaline::engine {
namespace {

using Kind = ItemResult::Kind;

class ComputeNewNameTest : public ::testing::Test {
 protected:
  ComputeNewNameTest() {
    fs.addFile(u"C:\\x\\archive.tar.gz");
    fs.addFile(u"C:\\x\\.profile");
    fs.addFile(u"C:\\x\\abc");
    fs.addFile(u"C:\\x\\IMG_1.JPG");
    fs.addFile(u"C:\\x\\IMG_2.JPG");
    fs.addFolder(u"C:\\x\\Vol 1.2");
    specials.resetCounters(job);
  }

  ItemResult compute(std::u16string_view path) { return computeNewName(job, path, fs, specials); }

  platform::MemoryFileSystem fs;
  platform::FixedLocale locale;
  RenameJob job;
  SpecialStrings specials{fs, locale, 1};
};

TEST_F(ComputeNewNameTest, EditsTheBaseNameAndKeepsTheExtension) {
  job.editMode = EditMode::Removpart;
  job.removeText1 = u"tar";
  EXPECT_EQ(compute(u"C:\\x\\archive.tar.gz"), ItemResult::newName(u"archive.", u".gz"));
}

TEST_F(ComputeNewNameTest, ANameThatIsAllExtensionHasAnEmptyBase) {
  job.editMode = EditMode::Addnewnum;
  job.insertHeadOn = true;
  job.insertHeadText = u"x";
  EXPECT_EQ(compute(u"C:\\x\\.profile"), ItemResult::newName(u"x", u".profile"));
}

TEST_F(ComputeNewNameTest, AFolderIsEditedAsItsWholeName) {
  job.editMode = EditMode::Replapart;
  job.replaceOld = u"1";
  job.replaceNew = u"2";
  EXPECT_EQ(compute(u"C:\\x\\Vol 1.2"), ItemResult::newName(u"Vol 2.2", u""));
  // A path that names nothing is split like a file.
  EXPECT_EQ(compute(u"C:\\x\\Gone 1.2"), ItemResult::newName(u"Gone 2", u".2"));

  job.editMode = EditMode::Changexten;
  job.allOldExtensions = true;
  job.newExtension = u".txt";
  EXPECT_EQ(compute(u"C:\\x\\Vol 1.2").kind, Kind::Skipped);
  EXPECT_EQ(compute(u"C:\\x\\abc"), ItemResult::newName(u"abc", u".txt"));
}

TEST_F(ComputeNewNameTest, ACaseChangeAloneIsANewName) {
  job.editMode = EditMode::Changnew;
  job.changeKind = ChangeKind::ConvertCase;
  job.caseKind = CaseKind::AllUpper;
  EXPECT_EQ(compute(u"C:\\x\\abc"), ItemResult::newName(u"ABC", u""));
  // With the extension included the whole file name is converted.
  EXPECT_EQ(compute(u"C:\\x\\archive.tar.gz"), ItemResult::newName(u"ARCHIVE.TAR.GZ", u""));

  job.caseKind = CaseKind::AllLower;
  job.capitalizeFirst = false;
  EXPECT_EQ(compute(u"C:\\x\\abc").kind, Kind::Unchanged);
}

TEST_F(ComputeNewNameTest, RemovingEveryCodeUnitGivesAnEmptyName) {
  job.editMode = EditMode::Removpart;
  job.removeText1 = u"ABC";
  EXPECT_EQ(compute(u"C:\\x\\abc").kind, Kind::EmptyName);
  job.removeText1 = u"zzz";
  EXPECT_EQ(compute(u"C:\\x\\abc").kind, Kind::Unchanged);
}

TEST_F(ComputeNewNameTest, SpecialStringsTakeTheRunsCounters) {
  job.editMode = EditMode::Changnew;
  job.newNameText = u"Photo $$";
  EXPECT_EQ(compute(u"C:\\x\\IMG_1.JPG"), ItemResult::newName(u"Photo 01", u".JPG"));
  specials.advanceCounters(job);
  EXPECT_EQ(compute(u"C:\\x\\IMG_2.JPG"), ItemResult::newName(u"Photo 02", u".JPG"));

  // One item's occurrences share its counter value.
  job.editMode = EditMode::Replapart;
  job.replaceOld = u"G";
  job.replaceNew = u"$$";
  EXPECT_EQ(compute(u"C:\\x\\IMG_1.JPG"), ItemResult::newName(u"IM02_1", u".JPG"));
}

TEST(NameEngine, ComputesFinishesAndChecks) {
  platform::MemoryFileSystem fs;
  fs.addFile(u"C:\\x\\a.txt");
  fs.addFile(u"C:\\x\\b.txt");
  platform::FixedLocale locale;
  testing::RecordingMessages messages;
  const config::LanguageTable language;
  NameEngine engine(fs, locale, messages, language, 7);

  RenameJob job;
  job.editMode = EditMode::Replapart;
  job.replaceOld = u"a";
  job.replaceNew = u"b";
  const ItemResult result = engine.computeNewName(job, u"C:\\x\\a.txt");
  ASSERT_EQ(result.kind, Kind::NewName);
  const FinishResult finished =
      engine.finishName(u"C:\\x\\a.txt", u"C:\\x\\", result.base, result.ext);
  EXPECT_EQ(finished.newPath, u"C:\\x\\b(1).txt");

  EXPECT_TRUE(engine.checkNameText(u"b%3%", true));
  EXPECT_FALSE(engine.checkRandomSpecs(u"%zz%"));
  EXPECT_EQ(messages.boxes().size(), 1u);
}

}  // namespace
}  // namespace tessaline::engine
