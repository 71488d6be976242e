#include "engine/change_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace tessaline::engine {
namespace {

// Returns each text with the number of its call appended ("x#1", "x#2").
class NumberingExpander : public TextExpander {
 public:
  std::u16string expand(std::u16string_view text) override {
    ++m_calls;
    return std::u16string(text) + u"#" + std::u16string(1, static_cast<char16_t>(u'0' + m_calls));
  }
  int calls() const { return m_calls; }

 private:
  int m_calls = 0;
};

TEST(ChangeEdit, NewNameIsExpandedPerItemAndKeepsTheExtension) {
  RenameJob job;
  job.newNameText = u"Photo ";
  NumberingExpander expander;
  ChangeNames first{u"IMG_1", u"IMG_1", u".JPG"};
  changeEdit(job, u"IMG_1.JPG", first, expander);
  ChangeNames second{u"IMG_2", u"IMG_2", u".JPG"};
  changeEdit(job, u"IMG_2.JPG", second, expander);
  EXPECT_EQ(first.base, u"Photo #1");
  EXPECT_EQ(second.base, u"Photo #2");
  EXPECT_EQ(second.oldBase, u"IMG_2");
  EXPECT_EQ(second.ext, u".JPG");
}

TEST(ChangeEdit, ConvertsCase) {
  struct Row {
    const char* name;
    CaseKind kind;
    bool capitalizeFirst, withExtension;
    std::u16string_view fileName, base, ext;
    std::u16string_view wantBase, wantOldBase, wantExt;
  };
  const Row rows[] = {
      {"lower, first raised, with extension", CaseKind::AllLower, true, true, u"MY HOLIDAY.JPG",
       u"MY HOLIDAY", u".JPG", u"My holiday.jpg", u"MY HOLIDAY.JPG", u""},
      {"lower, first raised", CaseKind::AllLower, true, false, u"MY HOLIDAY.JPG", u"MY HOLIDAY",
       u".JPG", u"My holiday", u"MY HOLIDAY", u".JPG"},
      {"leading spaces go with the first raised", CaseKind::AllLower, true, true, u"  ABC.txt",
       u"  ABC", u".txt", u"Abc.txt", u"  ABC.txt", u""},
      {"leading spaces stay otherwise", CaseKind::AllLower, false, true, u"  ABC.txt", u"  ABC",
       u".txt", u"  abc.txt", u"  ABC.txt", u""},
      {"only spaces", CaseKind::AllLower, true, false, u"  ", u"  ", u"", u"", u"  ", u""},
      {"upper keeps accented letters", CaseKind::AllUpper, false, true, u"café.txt", u"café",
       u".txt", u"CAFé.TXT", u"café.txt", u""},
      {"lower keeps accented letters", CaseKind::AllLower, false, false, u"ÉTÉ", u"ÉTÉ", u"",
       u"ÉtÉ", u"ÉTÉ", u""},
      // The extension counts as a word of the name here.
      {"every word, with extension", CaseKind::EveryWord, false, true, u"x-ray vision.jpg",
       u"x-ray vision", u".jpg", u"X-ray Vision.Jpg", u"x-ray vision.jpg", u""},
      {"every word", CaseKind::EveryWord, false, false, u"x-ray vision.jpg", u"x-ray vision",
       u".jpg", u"X-ray Vision", u"x-ray vision", u".jpg"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    RenameJob job;
    job.changeKind = ChangeKind::ConvertCase;
    job.caseKind = r.kind;
    job.capitalizeFirst = r.capitalizeFirst;
    job.caseWithExtension = r.withExtension;
    NumberingExpander expander;
    ChangeNames names{std::u16string(r.base), std::u16string(r.base), std::u16string(r.ext)};
    changeEdit(job, r.fileName, names, expander);
    EXPECT_EQ(names.base, r.wantBase);
    EXPECT_EQ(names.oldBase, r.wantOldBase);
    EXPECT_EQ(names.ext, r.wantExt);
    EXPECT_EQ(expander.calls(), 0);
  }
}

TEST(CapitalizeWords, RaisesFirstLettersOfWords) {
  struct Row {
    bool exclude;
    std::u16string_view text, want;
  };
  const Row rows[] = {
      {true, u"the lord of the rings", u"The Lord of the Rings"},
      {false, u"the lord of the rings", u"The Lord Of The Rings"},
      {true, u"end of it", u"End Of It"},  // too near the end for the small-word test
      {true, u"x of abc", u"X of Abc"},    // five code units follow the small word
      {true, u"x of ab", u"X Of Ab"},      // four follow
      {true, u"x ofa abcd", u"X Ofa Abcd"},
      {true, u"photo a", u"Photo a"},  // the last code unit is never examined
      {true, u"x-ray vision", u"X-ray Vision"},
      {true, u"2010-best", u"2010-Best"},
      {true, u"x -the end", u"X -The End"},  // after a hyphen small words are not consulted
      {true, u"-best", u"-best"},
      {true, u"mcDONALD", u"McDONALD"},
      {true, u"x OF abcd", u"X OF Abcd"},
      {true, u"2nd place", u"2Nd Place"},
      {true, u"éa ébc", u"éA éBc"},
      {true, u"a", u"A"},
      {true, u"", u""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::PrintToString(r.text));
    EXPECT_EQ(capitalizeWords(r.text, r.exclude), r.want);
  }
}

TEST(ExtensionEdit, ChangesOrConvertsTheExtension) {
  struct Row {
    const char* name;
    ExtensionKind kind;
    bool allOld, upper;
    std::u16string_view base, ext;
    ItemResult want;
  };
  const Row rows[] = {
      {"old extension compared case-blind", ExtensionKind::ChangeExtension, false, false, u"a",
       u".jpg", ItemResult::newName(u"a", u".jpeg")},
      {"other extension", ExtensionKind::ChangeExtension, false, false, u"b", u".png",
       ItemResult::unchanged()},
      {"no extension, all old extensions", ExtensionKind::ChangeExtension, true, false, u"c", u"",
       ItemResult::newName(u"c", u".jpeg")},
      {"no extension", ExtensionKind::ChangeExtension, false, false, u"c", u"",
       ItemResult::unchanged()},
      {"already the new one", ExtensionKind::ChangeExtension, true, false, u"d", u".jpeg",
       ItemResult::unchanged()},
      {"differs in case only", ExtensionKind::ChangeExtension, true, false, u"d", u".JPEG",
       ItemResult::newName(u"d", u".jpeg")},
      {"lower", ExtensionKind::ConvertExtensionCase, false, false, u"a", u".JpG",
       ItemResult::newName(u"a", u".jpg")},
      {"upper", ExtensionKind::ConvertExtensionCase, false, true, u"a", u".jpg",
       ItemResult::newName(u"a", u".JPG")},
      {"upper already", ExtensionKind::ConvertExtensionCase, false, true, u"b", u".JPG",
       ItemResult::unchanged()},
      {"case of no extension", ExtensionKind::ConvertExtensionCase, false, true, u"b", u"",
       ItemResult::unchanged()},
      {"accented letters keep their case", ExtensionKind::ConvertExtensionCase, false, true, u"b",
       u".é", ItemResult::unchanged()},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    RenameJob job;
    job.extensionKind = r.kind;
    job.oldExtension = u".JPG";
    job.newExtension = u".jpeg";
    job.allOldExtensions = r.allOld;
    job.extensionUpper = r.upper;
    EXPECT_EQ(extensionEdit(job, r.base, r.ext), r.want);
  }
}

TEST(ExtensionEdit, EmptyNewExtensionRemovesIt) {
  RenameJob job;
  job.oldExtension = u".txt";
  EXPECT_EQ(extensionEdit(job, u"a", u".txt"), ItemResult::newName(u"a", u""));
  // A name that is all extension would be left with no name at all.
  EXPECT_EQ(extensionEdit(job, u"", u".txt"), ItemResult::emptyName());
}

}  // namespace
}  // namespace tessaline::engine
