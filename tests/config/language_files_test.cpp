#include "config/language_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/text_file.h"
#include "platform/memory_file_system.h"
#include "support/test_text.h"

namespace tessaline::config {
namespace {

using namespace std::string_literals;
using platform::MemoryFileSystem;
using platform::PathStyle;
using Lines = std::vector<std::u16string>;

constexpr std::u16string_view kDir = u"C:\\Tessaline\\Languages\\";

// A language file: the header lines, then row 000 saying which file it is.
std::string languageFile(Lines header, std::u16string_view row0) {
  header.push_back(u"[000]" + std::u16string(row0));
  return encodeTextLines(header);
}

class LanguageFilesTest : public ::testing::Test {
 protected:
  void addLanguage(std::u16string_view fileName, Lines header, std::u16string_view row0) {
    m_fs.addFileWithContent(std::u16string(kDir) + std::u16string(fileName),
                            languageFile(std::move(header), row0));
  }

  MemoryFileSystem m_fs{PathStyle::Windows};
  LanguageTable m_table;
};

TEST_F(LanguageFilesTest, FindsAFileByLanguageNameOrId) {
  addLanguage(u"chs.lng", {u";x", u"Language=Chinese (Simplified)", u"LangID=2052"}, u"CHS");
  addLanguage(u"cht.lng", {u";x", u"Language=Chinese (Traditional)", u"LangID=1028;2052"}, u"CHT");
  addLanguage(u"deu.lng", {u";x", u"LangID=1031", u"Language=Deutsch"}, u"DEU");
  struct Row {
    std::u16string_view name, id;
    bool found;
    std::u16string_view text0;  // row 000 of the table afterwards
  };
  constexpr Row kRows[] = {
      {u"Chinese", u"", true, u"CHS"},  // part of the name, first file by name
      {u"Chinese (Traditional)", u"", true, u"CHT"},
      {u"Deutsch", u"", true, u"DEU"},
      {u"deutsch", u"", false, u"DEU"},  // case matters; the last file read stays
      {u"", u"2052", true, u"CHS"},
      {u"", u"1028", true, u"CHT"},  // first id of "1028;2052"
      {u"", u"1031", true, u"DEU"},
      {u"", u"103", false, u"DEU"},
      {u"", u"9999", false, u"DEU"},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(testing::utf8(r.name) + testing::utf8(r.id));
    EXPECT_EQ(findLanguageFile(m_fs, kDir, r.name, r.id, m_table), r.found);
    EXPECT_EQ(m_table.text(0), r.text0);
  }
}

TEST_F(LanguageFilesTest, IdAfterASemicolonIsNotMatched) {
  addLanguage(u"cht.lng", {u"Language=Chinese (Traditional)", u"LangID=1028;2052"}, u"CHT");
  EXPECT_TRUE(findLanguageFile(m_fs, kDir, u"", u"1028", m_table));
  EXPECT_FALSE(findLanguageFile(m_fs, kDir, u"", u"2052", m_table));
}

TEST_F(LanguageFilesTest, FirstFileByNameWinsWhateverTheListingOrder) {
  addLanguage(u"b.lng", {u"Language=Español"}, u"B");
  addLanguage(u"a.lng", {u"Language=Español"}, u"A");
  EXPECT_TRUE(findLanguageFile(m_fs, kDir, u"Español", u"", m_table));
  EXPECT_EQ(m_table.text(0), u"A");
}

TEST_F(LanguageFilesTest, ExaminesOnlyTheFirstEightLines) {
  const Lines seven(7, u";");
  Lines atLine7 = seven;
  atLine7.push_back(u"Language=Seven");
  Lines atLine8 = seven;
  atLine8.insert(atLine8.end(), {u";", u"Language=Eight"});
  addLanguage(u"7.lng", atLine7, u"7");
  addLanguage(u"8.lng", atLine8, u"8");
  EXPECT_TRUE(findLanguageFile(m_fs, kDir, u"Seven", u"", m_table));
  EXPECT_FALSE(findLanguageFile(m_fs, kDir, u"Eight", u"", m_table));
}

TEST_F(LanguageFilesTest, SkipsFoldersAndReadsUtf16Files) {
  m_fs.addFolder(std::u16string(kDir) + u"a folder.lng");
  m_fs.addFileWithContent(std::u16string(kDir) + u"utf16.lng",
                          "\xFF\xFEL\0a\0n\0g\0u\0a\0g\0e\0=\0X\0"s);
  EXPECT_TRUE(findLanguageFile(m_fs, kDir, u"X", u"", m_table));
  EXPECT_EQ(m_table.lines(), (Lines{u"Language=X"}));
}

// A file system on which one file cannot be read.
class UnreadableFile : public MemoryFileSystem {
 public:
  explicit UnreadableFile(std::u16string path)
      : MemoryFileSystem(PathStyle::Windows), m_path(std::move(path)) {}
  std::optional<std::string> readFile(std::u16string_view path) const override {
    if (path == m_path) return std::nullopt;
    return MemoryFileSystem::readFile(path);
  }

 private:
  std::u16string m_path;
};

TEST(LanguageFiles, PassesOverAFileThatCannotBeRead) {
  UnreadableFile fs(std::u16string(kDir) + u"b.lng");
  fs.addFileWithContent(std::u16string(kDir) + u"a.lng", languageFile({u"Language=Eesti"}, u"A"));
  fs.addFileWithContent(std::u16string(kDir) + u"b.lng", languageFile({u"Language=Eesti"}, u"B"));
  fs.addFileWithContent(std::u16string(kDir) + u"c.lng", languageFile({u"Language=Suomi"}, u"C"));
  LanguageTable table;
  EXPECT_TRUE(findLanguageFile(fs, kDir, u"Suomi", u"", table));
  EXPECT_EQ(table.text(0), u"C");
  EXPECT_EQ(languageList(fs, kDir), (Lines{u"Eesti", u"Suomi"}));
}

TEST_F(LanguageFilesTest, NothingFoundWithoutTheFolder) {
  EXPECT_FALSE(findLanguageFile(m_fs, kDir, u"English", u"", m_table));
  EXPECT_EQ(m_table.lines(), builtinEnglishLines());
  EXPECT_TRUE(languageList(m_fs, kDir).empty());
}

TEST_F(LanguageFilesTest, LanguageListTakesLinesBeginningWithLanguageAmongTheFirstSeven) {
  addLanguage(u"1.lng", {u";", u"Language=Zulu"}, u"");
  addLanguage(u"2.lng", {u"Language=Afrikaans", u"Language=Second"}, u"");
  addLanguage(u"3.lng", {u";Language=Commented", u" Language=Indented"}, u"");
  addLanguage(u"4.lng", {u";", u";", u";", u";", u";", u";", u"Language=At line 6"}, u"");
  addLanguage(u"5.lng", {u";", u";", u";", u";", u";", u";", u";", u"Language=At line 7"}, u"");
  addLanguage(u"6.lng", {u"Language=Deutsch (Schweiz)", u"LangID=2055"}, u"");
  m_fs.addFolder(std::u16string(kDir) + u"Language=Folder");
  EXPECT_EQ(languageList(m_fs, kDir),
            (Lines{u"Afrikaans", u"At line 6", u"Deutsch (Schweiz)", u"Zulu"}));
}

// Records what chooseLanguage asks of the windows.
class RecordingHost : public LanguageHost {
 public:
  void showStatus(std::u16string_view text) override {
    calls.push_back(u"status: " + std::u16string(text));
  }
  void applyMainWindowTexts() override { calls.push_back(u"main"); }
  void applyOtherWindowTextsLater() override { calls.push_back(u"others later"); }

  Lines calls;
};

TEST_F(LanguageFilesTest, ChooseLanguageFallsBackToEnglishAndTellsTheWindows) {
  addLanguage(u"deu.lng", {u"Language=Deutsch", u"LangID=1031"}, u"Entfernen");
  struct Row {
    const char* name;
    std::u16string_view setting, systemId;
    bool directEdit;
    std::u16string_view text0;
    Lines calls;
  };
  const Row kRows[] = {
      {"system language found", u"", u"1031", false, u"Entfernen", {u"main", u"others later"}},
      {"system language missing: silent",
       u"",
       u"1033",
       false,
       u"Remove",
       {u"main", u"others later"}},
      {"setting found", u"Deutsch", u"1033", false, u"Entfernen", {u"main", u"others later"}},
      {"setting missing",
       u"Klingon",
       u"1031",
       false,
       u"Remove",
       {u"status: Klingon Language file is lost!", u"main", u"others later"}},
      {"direct edit", u"Deutsch", u"1033", true, u"Entfernen", {u"main"}},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.name);
    const platform::FixedLocale locale(u'.', std::u16string(r.systemId));
    LanguageTable table(Lines{u"[000]stale"});
    RecordingHost host;
    chooseLanguage(m_fs, locale, kDir, r.setting, r.directEdit, table, host);
    EXPECT_EQ(table.text(0), r.text0);
    EXPECT_EQ(host.calls, r.calls);
    if (r.text0 == u"Remove") {
      EXPECT_EQ(table.lines(), builtinEnglishLines());
    }
  }
}

TEST(ChooseLanguage, SettingWithoutLanguagesFolderShowsTheLostMessage) {
  const MemoryFileSystem fs(PathStyle::Posix);
  const platform::FixedLocale locale;
  LanguageTable table(Lines{u"[000]stale"});
  RecordingHost host;
  chooseLanguage(fs, locale, u"/opt/tessaline/Languages/", u"Deutsch", false, table, host);
  EXPECT_EQ(table.lines(), builtinEnglishLines());
  EXPECT_EQ(host.calls,
            (Lines{u"status: Deutsch Language file is lost!", u"main", u"others later"}));
}

}  // namespace
}  // namespace tessaline::config
