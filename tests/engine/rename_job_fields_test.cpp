#include "engine/rename_job_fields.h"

#include <gtest/gtest.h>

#include <set>

#include "support/test_text.h"

namespace tessaline::engine {
namespace {

using testing::utf8;

TEST(RenameJobFields, SetEveryKindOfFieldByName) {
  RenameJob job;
  EXPECT_FALSE(setRenameJobField(job, u"ReplaceOld", u"IMG_"));
  EXPECT_FALSE(setRenameJobField(job, u"RemoveKind", u"CleanSymbols"));
  EXPECT_FALSE(setRenameJobField(job, u"IncludeSubfolders", u"1"));
  EXPECT_FALSE(setRenameJobField(job, u"CleanKeepDash", u"false"));
  EXPECT_FALSE(setRenameJobField(job, u"CounterStart", u"5"));
  EXPECT_FALSE(setRenameJobField(job, u"EditMode", u"Changexten"));
  EXPECT_EQ(job.replaceOld, u"IMG_");
  EXPECT_EQ(job.removeKind, RemoveKind::CleanSymbols);
  EXPECT_TRUE(job.includeSubfolders);
  EXPECT_FALSE(job.cleanKeepDash);
  EXPECT_EQ(job.counterStart, 5);
  EXPECT_EQ(job.editMode, EditMode::Changexten);
}

TEST(RenameJobFields, RefuseUnknownFieldsAndBadValuesNamingTheValidOnes) {
  struct Row {
    std::u16string_view name, value, saying;
  };
  constexpr Row kRows[] = {
      {u"NoSuchField", u"1", u"ReplaceOld"},
      {u"RemoveKind", u"Cleanup", u"RemoveStrings RemovePart KeepPart CleanSymbols"},
      {u"IncludeSubfolders", u"yes", u"true"},
      {u"CounterStart", u"10001", u"0 to 10000"},
      {u"CounterStart", u"-1", u"0 to 10000"},
      {u"InsertPlace", u"two", u"0 to 2"},
      {u"SelectionStart", u"99999999999999", u"an integer"},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(utf8(row.name) + "=" + utf8(row.value));
    RenameJob job;
    const std::optional<std::u16string> error = setRenameJobField(job, row.name, row.value);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find(row.saying), std::u16string::npos) << utf8(*error);
  }
}

TEST(RenameJobFields, EveryListedFieldReadsBackWhatWasSet) {
  std::set<std::u16string_view> names;
  for (const RenameJobField& field : renameJobFields()) {
    SCOPED_TRACE(utf8(field.name));
    EXPECT_TRUE(names.insert(field.name).second) << "listed twice";
    RenameJob job;
    std::u16string value;
    switch (field.type) {
      case RenameJobField::Type::Flag:
        value = u"1";
        break;
      case RenameJobField::Type::Integer:
        value = u"2";
        break;
      case RenameJobField::Type::Text:
        value = u"some text";
        break;
      case RenameJobField::Type::Choice:
        value = field.choices.back();
        break;
    }
    EXPECT_FALSE(setRenameJobField(job, field.name, value));
    EXPECT_EQ(renameJobFieldValue(job, field.name), value);
  }
  EXPECT_GE(names.size(), 85u);
}

TEST(EditModeNames, RoundTrip) {
  for (EditMode mode : {EditMode::Browsefile, EditMode::Removpart, EditMode::Savesomes}) {
    EXPECT_EQ(parseEditMode(editModeName(mode)), mode);
  }
  EXPECT_FALSE(parseEditMode(u"removpart"));
}

}  // namespace
}  // namespace tessaline::engine
