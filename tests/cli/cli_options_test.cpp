#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include "support/test_text.h"

namespace tessaline::cli {
namespace {

using testing::utf8;

TEST(ParseCommandLine, TakesEveryOption) {
  const ParseResult parsed = parseCommandLine(
      {u"--mode", u"Replapart", u"--folder", u"/x", u"--set", u"ReplaceOld=a=b", u"--option",
       u"Confirm=1", u"--preview", u"--yes", u"--data-dir", u"/d", u"--output", u"/o.txt"});
  ASSERT_FALSE(parsed.error) << utf8(*parsed.error);
  const CliOptions& o = parsed.options;
  EXPECT_EQ(o.mode, u"Replapart");
  EXPECT_EQ(o.folder, u"/x");
  ASSERT_EQ(o.fields.size(), 1u);
  EXPECT_EQ(o.fields[0].first, u"ReplaceOld");
  EXPECT_EQ(o.fields[0].second, u"a=b");  // split at the first "=" only
  EXPECT_EQ(o.options[0].first, u"Confirm");
  EXPECT_TRUE(o.preview && o.yes);
  EXPECT_EQ(o.dataDir, u"/d");
  EXPECT_EQ(o.output, u"/o.txt");
}

TEST(ParseCommandLine, FilesRunUntilTheNextOption) {
  const ParseResult parsed =
      parseCommandLine({u"--files", u"/a", u"/b c", u"--mode", u"Changnew", u"--preview"});
  ASSERT_FALSE(parsed.error);
  EXPECT_EQ(parsed.options.files, (std::vector<std::u16string>{u"/a", u"/b c"}));
  EXPECT_TRUE(parsed.options.preview);
}

TEST(ParseCommandLine, ExplainsUsageErrors) {
  struct Row {
    std::vector<std::u16string> arguments;
    std::u16string_view saying;
  };
  const Row rows[] = {
      {{u"--folder", u"/x"}, u"--mode is missing"},
      {{u"--mode", u"Removpart"}, u"--folder or --files is missing"},
      {{u"--mode", u"Removpart", u"--folder", u"/x", u"--files", u"/y"}, u"not both"},
      {{u"--mode", u"Removpart", u"--folder"}, u"--folder needs a value"},
      {{u"--mode", u"Removpart", u"--files", u"--yes"}, u"at least one path"},
      {{u"--mode", u"Removpart", u"--folder", u"/x", u"--set", u"NoEquals"}, u"NAME=VALUE"},
      {{u"--frobnicate"}, u"unknown argument"},
  };
  for (const Row& row : rows) {
    const ParseResult parsed = parseCommandLine(row.arguments);
    ASSERT_TRUE(parsed.error) << utf8(row.saying);
    EXPECT_NE(parsed.error->find(row.saying), std::u16string::npos) << utf8(*parsed.error);
  }
  EXPECT_FALSE(parseCommandLine({u"--undo"}).error);
  EXPECT_FALSE(parseCommandLine({u"--help"}).error);
}

TEST(HelpText, ListsModesFieldsAndTheirValues) {
  const std::u16string help = helpText();
  for (std::u16string_view piece :
       {u"Removpart", u"Savesomes", u"ReplaceOld=TEXT",
        u"RemoveKind=RemoveStrings|RemovePart|KeepPart|CleanSymbols",
        u"IncludeSubfolders=1|0|true|false", u"CounterStart=NUMBER", u"Prenum"}) {
    EXPECT_NE(help.find(piece), std::u16string::npos) << utf8(piece);
  }
}

}  // namespace
}  // namespace tessaline::cli
