#include "run/rename_command.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "support/fake_ports.h"
#include "support/test_text.h"

namespace tessaline::run {
namespace {

using engine::EditMode;
using engine::RenameJob;
using Action = CommandOutcome::Action;
using Kind = testing::RecordingMessages::Kind;
using testing::utf8;

constexpr std::u16string_view kForbidden =
    u"Windows does not allow to use specific characters in file names, please remove any of "
    u"those: \\ / : * ? \" < > |";
constexpr std::u16string_view kOneLayer =
    u"and changes will affect: All files names(oen layer), continue?";

// A folder edit of C:\A\ ("a.txt", "photo.jpg", the folder "Sub") whose
// questions get one fixed answer.
class CommandWorld {
 public:
  explicit CommandWorld(bool answer = true) : world(fs, u"C:\\Data\\", answer) {
    fs.addFile(u"C:\\A\\a.txt");
    fs.addFile(u"C:\\A\\photo.jpg");
    fs.addFolder(u"C:\\A\\Sub");
    context.locale = &world.locale;
    world.settings.confirm = true;
    job.targetFolder = u"C:\\A\\";
    job.sampleName = u"C:\\A\\photo.jpg";
  }

  CommandOutcome run() { return renameCommand(context, job); }
  const std::vector<testing::RecordingMessages::Box>& boxes() const {
    return world.messages.boxes();
  }

  platform::MemoryFileSystem fs{platform::PathStyle::Windows};
  testing::RunWorld world;
  RunContext context = world.context();
  RenameJob job;
};

struct SummaryRow {
  const char* name;
  std::function<void(RenameJob&)> setUp;
  std::u16string want;
};

// Each edit's question, quoted whole; the user cancels, so nothing runs.
TEST(RenameCommand, ConfirmationSummariesReadAsBuilt) {
  const std::u16string scope(kOneLayer);
  const std::vector<SummaryRow> rows = {
      {"remove strings, first and third box",
       [](RenameJob& j) {
         j.editMode = EditMode::Removpart;
         j.removeText1 = u"a";
         j.removeText3 = u"c";
       },
       u"It will remove the strings of 'a' and 'c'(case insensitive), " + scope},
      {"remove a string, case sensitive",
       [](RenameJob& j) {
         j.editMode = EditMode::Removpart;
         j.removeText2 = u"x";
         j.removeCaseSensitive = true;
       },
       u"It will remove the strings of 'x'(case sensitive), " + scope},
      {"remove the mouse part from end",
       [](RenameJob& j) {
         j.editMode = EditMode::Removpart;
         j.removeKind = engine::RemoveKind::RemovePart;
         j.removeFromEnd = true;
         j.selectionStart = 1;
         j.selectionLength = 2;
       },
       u"It will remove the part at the position(From End) - 'ho' " + scope},
      {"remove between two strings",
       [](RenameJob& j) {
         j.editMode = EditMode::Removpart;
         j.removeKind = engine::RemoveKind::RemovePart;
         j.removePartKind = engine::RemovePartKind::BetweenStrings;
         j.betweenLeft = u"[";
         j.betweenRight = u"]";
       },
       u"It will remove the strings of between '[' and ']' " + scope},
      {"remove all numbers",
       [](RenameJob& j) {
         j.editMode = EditMode::Removpart;
         j.removeKind = engine::RemoveKind::RemovePart;
         j.removePartKind = engine::RemovePartKind::AllNumbers;
       },
       u"Remove all numbers, " + scope},
      {"clean symbols names no scope",
       [](RenameJob& j) {
         j.editMode = EditMode::Removpart;
         j.removeKind = engine::RemoveKind::CleanSymbols;
       },
       u"It will clean symbols, continue?"},
      {"keep the mouse part",
       [](RenameJob& j) {
         j.editMode = EditMode::Removpart;
         j.removeKind = engine::RemoveKind::KeepPart;
         j.selectionLength = 2;
       },
       u"It will KEEP the part at the position(From Head) - 'ph' " + scope},
      {"keep two strings",
       [](RenameJob& j) {
         j.editMode = EditMode::Removpart;
         j.removeKind = engine::RemoveKind::KeepPart;
         j.keepPartKind = engine::KeepPartKind::KeepStrings;
         j.keepText1 = u"x";
         j.keepText2 = u"y";
       },
       u"It will KEEP the string of 'x' and 'y' " + scope},
      {"keep the second string only",
       [](RenameJob& j) {
         j.editMode = EditMode::Removpart;
         j.removeKind = engine::RemoveKind::KeepPart;
         j.keepPartKind = engine::KeepPartKind::KeepStrings;
         j.keepText2 = u"y";
       },
       u"It will KEEP the string of 'y' " + scope},
      {"replace a string",
       [](RenameJob& j) {
         j.editMode = EditMode::Replapart;
         j.replaceOld = u"IMG";
         j.replaceNew = u"Pic";
       },
       u"It will replace the old strings 'IMG'(case insensitive) by new string 'Pic' " + scope},
      {"replace the mouse part from end",
       [](RenameJob& j) {
         j.editMode = EditMode::Replapart;
         j.replaceKind = engine::ReplaceKind::ReplaceMousePart;
         j.replaceFromEnd = true;
         j.selectionStart = 3;
         j.selectionLength = 9;  // clipped at the end of 'photo'
         j.replaceNew = u"X";
       },
       u"It will replace the part at the position (from End) of 'to' " + scope},
      {"insert at head, end and behind the cursor",
       [](RenameJob& j) {
         j.editMode = EditMode::Addnewnum;
         j.insertHeadOn = j.insertEndOn = j.insertCursorOn = true;
         j.insertHeadText = u"H";
         j.insertEndText = u"E";
         j.insertCursorText = u"C";
         j.cursorPosition = 3;
       },
       u"It will insert 'H' to the HEAD of all filenames,\n 'E' to the END of all filenames,\n "
       u"'C' to the position BEHIND the part of 'ph'\n" +
           scope},
      {"cursor before the sample's first character",
       [](RenameJob& j) {
         j.editMode = EditMode::Addnewnum;
         j.insertCursorOn = true;
         j.insertCursorText = u"C";
         j.cursorPosition = 1;
       },
       u"It will insert 'C' to the HEAD of all filenames,\n" + scope},
      {"cursor behind the sample, from end",
       [](RenameJob& j) {
         j.editMode = EditMode::Addnewnum;
         j.insertCursorOn = j.insertFromEnd = true;
         j.insertCursorText = u"C";
         j.cursorPosition = 6;
       },
       u"It will insert 'C' to the END of all filenames,\n" + scope},
      {"cursor inside the sample, from end",
       [](RenameJob& j) {
         j.editMode = EditMode::Addnewnum;
         j.insertCursorOn = j.insertFromEnd = true;
         j.insertCursorText = u"C";
         j.cursorPosition = 3;
       },
       u"It will insert 'C' to the position BEFORE the part of 'oto'\n" + scope},
      {"insert at a string",
       [](RenameJob& j) {
         j.editMode = EditMode::Addnewnum;
         j.insertKind = engine::InsertKind::InsertAtString;
         j.insertAnchor = u"ab";
         j.insertPlace = engine::kInsertBehind;
         j.insertStringText = u"x";
       },
       u"It will insert 'x' to the position \nBEHIND existing string of 'ab',\n" + scope},
      {"convert case",
       [](RenameJob& j) {
         j.editMode = EditMode::Changnew;
         j.changeKind = engine::ChangeKind::ConvertCase;
         j.caseKind = engine::CaseKind::EveryWord;
       },
       u"It will convert full name to Capitalize every word, " + scope},
      {"change the extension",
       [](RenameJob& j) {
         j.editMode = EditMode::Changexten;
         j.oldExtension = u"jpg";
         j.newExtension = u"png";
       },
       u"This will change filenames extention, from 'jpg' to 'png',\n" + scope},
      {"change every extension",
       [](RenameJob& j) {
         j.editMode = EditMode::Changexten;
         j.allOldExtensions = true;
         j.newExtension = u"png";
       },
       u"It will change ALL extention part to 'png',\n" + scope},
      {"convert the extension case",
       [](RenameJob& j) {
         j.editMode = EditMode::Changexten;
         j.extensionKind = engine::ExtensionKind::ConvertExtensionCase;
         j.extensionUpper = true;
       },
       u"This will convert filenames extention case to 'UPPERCASE',\n" + scope},
      {"file list, new name",
       [](RenameJob& j) {
         j.editMode = EditMode::Changnew;
         j.targetFolder.clear();
         j.sampleName = u"C:\\A\\a.txt";
         j.newNameText = u"x";
       },
       u"It will change filenames to 'x' continue?"},
  };
  for (const SummaryRow& row : rows) {
    SCOPED_TRACE(row.name);
    CommandWorld world(false);
    row.setUp(world.job);
    EXPECT_EQ(world.run().action, Action::Stopped);
    ASSERT_EQ(world.boxes().size(), 1u);
    EXPECT_EQ(world.boxes()[0].kind, Kind::OkCancel);
    EXPECT_EQ(world.boxes()[0].caption, u"Confirmation");
    EXPECT_EQ(world.boxes()[0].text, row.want);
    EXPECT_EQ(world.fs.renameCalls(), 0);
  }
}

TEST(RenameCommand, AsksOnlyBeforeARealRunWithConfirmOn) {
  struct Row {
    const char* name;
    bool confirm;
    bool preview;
    bool answer;
    bool asked;
    Action action;
  };
  const Row rows[] = {
      {"confirmed", true, false, true, true, Action::Ran},
      {"cancelled", true, false, false, true, Action::Stopped},
      {"preview never asks", true, true, false, false, Action::Ran},
      {"confirm off", false, false, false, false, Action::Ran},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CommandWorld world(row.answer);
    world.world.settings.confirm = row.confirm;
    world.world.state.previewMode = row.preview;
    world.job.editMode = EditMode::Changnew;
    world.job.newNameText = u"x";
    const CommandOutcome outcome = world.run();
    EXPECT_EQ(outcome.action, row.action);
    EXPECT_EQ(outcome.focus, FocusTarget::None);
    EXPECT_EQ(world.boxes().size(), row.asked ? 1u : 0u);
    const bool renamed = row.action == Action::Ran && !row.preview;
    EXPECT_EQ(world.fs.fileExists(u"C:\\A\\x.txt"), renamed);
    EXPECT_EQ(world.fs.fileExists(u"C:\\A\\x.jpg"), renamed);
    EXPECT_EQ(world.world.preview.itemRows().size(), row.preview ? 2u : 0u);
  }
}

TEST(ScopeText, NamesTheScopeBoxAndSubfolderCaptions) {
  CommandWorld world;
  EXPECT_EQ(scopeText(world.context, world.job), kOneLayer);

  world.job.editScope = 2;
  world.job.includeSubfolders = true;
  world.world.state.previewMode = true;
  EXPECT_EQ(scopeText(world.context, world.job),
            u"and changes will affect: Only folders names(Include Subfolders), continue Preview?");

  // The captions are the active language's.
  world.world.language.assign({u"[386]Include subfolder", u"[070]Folders only"});
  EXPECT_EQ(scopeText(world.context, world.job),
            u"and changes will affect: Folders only(Include subfolder), continue Preview?");

  world.job.targetFolder.clear();
  world.job.includeSubfolders = false;
  world.world.state.previewMode = false;
  EXPECT_EQ(scopeText(world.context, world.job), u"continue?");
}

struct RefusalRow {
  const char* name;
  std::function<void(RenameJob&)> setUp;
  std::vector<std::u16string> notices;
  FocusTarget focus;
};

// A refused input: its notices, its box, no question and no run, whatever
// Confirm says.
TEST(RenameCommand, RefusesIncompleteInputWithNoticeAndFocus) {
  const std::u16string forbidden(kForbidden);
  const std::vector<RefusalRow> rows = {
      {"no string to remove",
       [](RenameJob& j) { j.editMode = EditMode::Removpart; },
       {u"Please select or input string to be removed."},
       FocusTarget::RemoveText1},
      {"no part selected to remove",
       [](RenameJob& j) {
         j.editMode = EditMode::Removpart;
         j.removeKind = engine::RemoveKind::RemovePart;
       },
       {u"You have not selected anything, please mouse-select the part you want to remove."},
       FocusTarget::None},
      {"between without left",
       [](RenameJob& j) {
         j.editMode = EditMode::Removpart;
         j.removeKind = engine::RemoveKind::RemovePart;
         j.removePartKind = engine::RemovePartKind::BetweenStrings;
         j.betweenRight = u"]";
       },
       {u"Please select or input strings to define limitation."},
       FocusTarget::BetweenLeft},
      {"between without right",
       [](RenameJob& j) {
         j.editMode = EditMode::Removpart;
         j.removeKind = engine::RemoveKind::RemovePart;
         j.removePartKind = engine::RemovePartKind::BetweenStrings;
         j.betweenLeft = u"[";
       },
       {u"Please select or input strings to define limitation."},
       FocusTarget::BetweenRight},
      {"erase box empty",
       [](RenameJob& j) {
         j.editMode = EditMode::Removpart;
         j.removeKind = engine::RemoveKind::CleanSymbols;
         j.cleanEraseOn = true;
       },
       {u"Please select or input special symbols to be removed"},
       FocusTarget::CleanEraseText},
      {"keep-others box empty",
       [](RenameJob& j) {
         j.editMode = EditMode::Removpart;
         j.removeKind = engine::RemoveKind::CleanSymbols;
         j.cleanKeepOthersOn = true;
       },
       {u"Please select or input special symbols not to be removed"},
       FocusTarget::CleanKeepOthers},
      {"no part selected to keep",
       [](RenameJob& j) {
         j.editMode = EditMode::Removpart;
         j.removeKind = engine::RemoveKind::KeepPart;
       },
       {u"You have not selected anything, please mouse-select the part you want to keep."},
       FocusTarget::None},
      {"no string to keep",
       [](RenameJob& j) {
         j.editMode = EditMode::Removpart;
         j.removeKind = engine::RemoveKind::KeepPart;
         j.keepPartKind = engine::KeepPartKind::KeepStrings;
       },
       {u"Please select or input strings to define limitation."},
       FocusTarget::KeepText1},
      {"no old string",
       [](RenameJob& j) { j.editMode = EditMode::Replapart; },
       {u"Please input the old part of file name"},
       FocusTarget::ReplaceOld},
      {"forbidden new string",
       [](RenameJob& j) {
         j.editMode = EditMode::Replapart;
         j.replaceOld = u"a";
         j.replaceNew = u"a/b";
       },
       {forbidden},
       FocusTarget::None},
      {"no part selected to replace",
       [](RenameJob& j) {
         j.editMode = EditMode::Replapart;
         j.replaceKind = engine::ReplaceKind::ReplaceMousePart;
       },
       {u"You have not selected anything, please mouse-select the part you want to replace."},
       FocusTarget::None},
      {"forbidden new text for the mouse part",
       [](RenameJob& j) {
         j.editMode = EditMode::Replapart;
         j.replaceKind = engine::ReplaceKind::ReplaceMousePart;
         j.selectionLength = 1;
         j.replaceNew = u"..\\x";
       },
       {forbidden},
       FocusTarget::None},
      {"cursor position not picked",
       [](RenameJob& j) {
         j.editMode = EditMode::Addnewnum;
         j.insertCursorOn = true;
         j.insertCursorText = u"C";
       },
       {u"You selected CURSOR position, so mouse-point the position (in old filename) you want "
        u"to insert."},
       FocusTarget::None},
      {"no insert position",
       [](RenameJob& j) { j.editMode = EditMode::Addnewnum; },
       {u"You have not selected insert position, please select one or more checkboxs."},
       FocusTarget::None},
      {"head and end empty",
       [](RenameJob& j) {
         j.editMode = EditMode::Addnewnum;
         j.insertHeadOn = j.insertEndOn = true;
       },
       {u"Please type text in HEAD box to insert string.",
        u"Please type text in END box to insert string."},
       FocusTarget::InsertEndText},
      {"cursor empty",
       [](RenameJob& j) {
         j.editMode = EditMode::Addnewnum;
         j.insertHeadOn = j.insertCursorOn = true;
         j.insertHeadText = u"H";
         j.cursorPosition = 2;
       },
       {u"Please type text in CURSOR box to insert string."},
       FocusTarget::InsertCursorText},
      {"forbidden end text",
       [](RenameJob& j) {
         j.editMode = EditMode::Addnewnum;
         j.insertEndOn = true;
         j.insertEndText = u"a:b";
       },
       {forbidden},
       FocusTarget::None},
      {"no existing string",
       [](RenameJob& j) {
         j.editMode = EditMode::Addnewnum;
         j.insertKind = engine::InsertKind::InsertAtString;
         j.insertStringText = u"x";
       },
       {u"Please specify the existing string"},
       FocusTarget::InsertAnchor},
      {"no second string",
       [](RenameJob& j) {
         j.editMode = EditMode::Addnewnum;
         j.insertKind = engine::InsertKind::InsertAtString;
         j.insertPlace = engine::kInsertBetween;
         j.insertAnchor = u"a";
         j.insertStringText = u"x";
       },
       {u"Please specify the second string"},
       FocusTarget::InsertAnchor2},
      {"no string to insert",
       [](RenameJob& j) {
         j.editMode = EditMode::Addnewnum;
         j.insertKind = engine::InsertKind::InsertAtString;
         j.insertAnchor = u"a";
       },
       {u"Please specify the string which you want to insert"},
       FocusTarget::InsertStringText},
      {"malformed random string",
       [](RenameJob& j) {
         j.editMode = EditMode::Addnewnum;
         j.insertKind = engine::InsertKind::InsertAtString;
         j.insertAnchor = u"a";
         j.insertStringText = u"%x%";
       },
       {u"The random string digits(x) is not an integer."},
       FocusTarget::None},
      {"no new name",
       [](RenameJob& j) { j.editMode = EditMode::Changnew; },
       {u"Please input new name"},
       FocusTarget::NewNameText},
      {"forbidden new name",
       [](RenameJob& j) {
         j.editMode = EditMode::Changnew;
         j.newNameText = u"a*";
       },
       {forbidden},
       FocusTarget::None},
      {"extension of folder names",
       [](RenameJob& j) {
         j.editMode = EditMode::Changexten;
         j.editScope = 2;
         j.newExtension = u"png";
       },
       {u"folder or subfolder name have no extension."},
       FocusTarget::None},
      {"extension of this folder's name",
       [](RenameJob& j) {
         j.editMode = EditMode::Changexten;
         j.editScope = 3;
         j.extensionKind = engine::ExtensionKind::ConvertExtensionCase;
       },
       {u"folder or subfolder name have no extension."},
       FocusTarget::None},
      {"forbidden extension",
       [](RenameJob& j) {
         j.editMode = EditMode::Changexten;
         j.newExtension = u"p?g";
       },
       {forbidden},
       FocusTarget::None},
      {"save special types without a type",
       [](RenameJob& j) {
         j.editMode = EditMode::Savealls;
         j.saveAllTypes = false;
       },
       {u"You selected to save special types filename, please select at least one box of file "
        u"types."},
       FocusTarget::None},
      {"save other types without a list",
       [](RenameJob& j) {
         j.editMode = EditMode::Savealls;
         j.saveAllTypes = false;
         j.saveTypeOtherOn = true;
         j.saveTypeOther = u"  ";
       },
       {u"You selected to save other types filename, please define file types in edit box."},
       FocusTarget::SaveTypeOther},
      {"folder edit without a sample",
       [](RenameJob& j) {
         j.editMode = EditMode::Changnew;
         j.newNameText = u"x";
         j.targetFolder = u"C:\\A\\Sub\\";
       },
       {u"There is no file (one layer) now!"},
       FocusTarget::None},
  };
  for (const RefusalRow& row : rows) {
    for (const bool confirm : {true, false}) {
      SCOPED_TRACE(std::string(row.name) + (confirm ? ", confirm on" : ", confirm off"));
      CommandWorld world;
      world.world.settings.confirm = confirm;
      row.setUp(world.job);
      const CommandOutcome outcome = world.run();
      EXPECT_EQ(outcome.action, Action::Stopped);
      EXPECT_EQ(outcome.focus, row.focus);
      EXPECT_EQ(world.world.messages.texts(), row.notices);
      for (const auto& box : world.boxes()) {
        EXPECT_EQ(box.kind, Kind::Information);
        EXPECT_EQ(box.caption, u"Information");
      }
      EXPECT_EQ(world.world.saveDialog.asks, 0);
    }
  }
}

struct AlwaysAskRow {
  const char* name;
  std::function<void(RenameJob&)> setUp;
  std::u16string question;
  FocusTarget focus;
};

// Emptying a name part is asked about even in a preview or with Confirm
// off; OK runs without a second question, Cancel stops in the box.
TEST(RenameCommand, AlwaysAsksBeforeRemovingAPart) {
  const std::vector<AlwaysAskRow> rows = {
      {"replace string by nothing",
       [](RenameJob& j) {
         j.editMode = EditMode::Replapart;
         j.replaceOld = u"IMG";
       },
       u"The 'New part' box is empty, this will REMOVE the old part 'IMG'(case insensitive), " +
           std::u16string(kOneLayer),
       FocusTarget::ReplaceNew},
      {"replace string by nothing, case sensitive",
       [](RenameJob& j) {
         j.editMode = EditMode::Replapart;
         j.replaceOld = u"IMG";
         j.replaceCaseSensitive = true;
       },
       u"The 'New part' box is empty, this will REMOVE the old part 'IMG'(Case sensitive), "
       u"continue?",
       FocusTarget::ReplaceNew},
      {"replace the mouse part by nothing",
       [](RenameJob& j) {
         j.editMode = EditMode::Replapart;
         j.replaceKind = engine::ReplaceKind::ReplaceMousePart;
         j.selectionStart = 2;
         j.selectionLength = 3;
       },
       u"The 'New part' box is empty, this will REMOVE the old part 'oto', continue?",
       FocusTarget::ReplaceNew},
      {"no new extension",
       [](RenameJob& j) {
         j.editMode = EditMode::Changexten;
         j.newExtension = u"...";
       },
       u"The 'New extention' box is empty, this will REMOVE extention from original filenames,\n" +
           std::u16string(kOneLayer),
       FocusTarget::NewExtension},
  };
  for (const AlwaysAskRow& row : rows) {
    for (const bool confirm : {false, true}) {
      for (const bool answer : {true, false}) {
        SCOPED_TRACE(std::string(row.name) + (confirm ? ", confirm on" : "") +
                     (answer ? ", OK" : ", Cancel"));
        CommandWorld world(answer);
        world.world.settings.confirm = confirm;
        row.setUp(world.job);
        const CommandOutcome outcome = world.run();
        // The one question comes first; a run may tell its result after it.
        ASSERT_FALSE(world.boxes().empty());
        EXPECT_EQ(world.boxes()[0].kind, Kind::OkCancel);
        EXPECT_EQ(world.boxes()[0].text, row.question);
        for (std::size_t i = 1; i < world.boxes().size(); ++i)
          EXPECT_EQ(world.boxes()[i].kind, Kind::Information);
        EXPECT_EQ(outcome.action, answer ? Action::Ran : Action::Stopped);
        EXPECT_EQ(outcome.focus, answer ? FocusTarget::None : row.focus);
      }
    }
  }
}

TEST(RenameCommand, AlwaysAsksInAPreviewToo) {
  CommandWorld world(false);
  world.world.state.previewMode = true;
  world.job.editMode = EditMode::Replapart;
  world.job.replaceOld = u"IMG";
  EXPECT_EQ(world.run().action, Action::Stopped);
  ASSERT_EQ(world.boxes().size(), 1u);
  EXPECT_TRUE(world.boxes()[0].text.ends_with(u"continue Preview?"));
}

// The typed extension is cleaned in the box; the run gets the dots.
TEST(RenameCommand, NormalisesTheExtensionBoxes) {
  struct Row {
    std::u16string_view typed;
    std::u16string_view shownWhenAsked;  // the box while the question shows
    std::u16string_view runWith;
    bool asksRemoval;
  };
  const Row rows[] = {
      {u"..jpg..", u"jpg", u".jpg", false},
      {u"....jpg", u"jpg", u".jpg", false},
      {u".png", u".png", u".png", false},
      {u"tar.gz.", u"tar.gz", u".tar.gz", false},
      {u"...", u"", u"", true},
      {u"..", u"", u"", true},
      {u".", u"", u"", true},
      {u"", u"", u"", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(utf8(row.typed));
    CommandWorld world;
    world.job.editMode = EditMode::Changexten;
    world.job.oldExtension = u"txt";
    world.job.newExtension = row.typed;
    EXPECT_EQ(world.run().action, Action::Ran);
    EXPECT_EQ(world.job.newExtension, row.runWith);
    EXPECT_EQ(world.job.oldExtension, u".txt");
    EXPECT_TRUE(world.fs.fileExists(u"C:\\A\\a" + std::u16string(row.runWith)));
    ASSERT_FALSE(world.boxes().empty());
    EXPECT_EQ(world.boxes()[0].text.starts_with(u"The 'New extention' box is empty"),
              row.asksRemoval);
    if (!row.asksRemoval) {
      EXPECT_NE(world.boxes()[0].text.find(u"to '" + std::u16string(row.shownWhenAsked) + u"'"),
                std::u16string::npos);
    }
  }
}

TEST(RenameCommand, CancelledExtensionChangeKeepsTheBoxesWithoutDots) {
  CommandWorld world(false);
  world.job.editMode = EditMode::Changexten;
  world.job.oldExtension = u"txt";
  world.job.newExtension = u"..jpg..";
  const CommandOutcome outcome = world.run();
  EXPECT_EQ(outcome.action, Action::Stopped);
  EXPECT_EQ(outcome.focus, FocusTarget::NewExtension);
  EXPECT_EQ(world.job.newExtension, u"jpg");
  EXPECT_EQ(world.job.oldExtension, u"txt");
}

TEST(RenameCommand, CommonStartNormalisesSharedBoxesAndCounts) {
  CommandWorld world;
  world.world.state.renamedCount = 4;
  world.world.state.failedCount = 2;
  world.job.editMode = EditMode::Changnew;  // refused: no new name
  world.job.typeFilterOn = true;
  world.job.typeFilterList = u" \t ";
  world.job.saveTypeOther = u"  abc ";
  EXPECT_EQ(world.run().action, Action::Stopped);
  EXPECT_FALSE(world.job.typeFilterOn);
  EXPECT_EQ(world.job.typeFilterList, u"");
  EXPECT_EQ(world.job.saveTypeOther, u"abc");
  EXPECT_EQ(world.world.state.renamedCount, 0);
  EXPECT_EQ(world.world.state.failedCount, 0);

  CommandWorld kept;
  kept.world.settings.confirm = false;
  kept.job.editMode = EditMode::Changnew;
  kept.job.newNameText = u"x";
  kept.job.typeFilterOn = true;
  kept.job.typeFilterList = u" jpg,png ";
  kept.run();
  EXPECT_TRUE(kept.job.typeFilterOn);
  EXPECT_EQ(kept.job.typeFilterList, u"jpg,png");
}

TEST(RenameCommand, BrowsingModeDoesNothing) {
  CommandWorld world;
  world.job.editMode = EditMode::Browsefile;
  EXPECT_EQ(world.run().action, Action::Stopped);
  EXPECT_TRUE(world.boxes().empty());
}

TEST(RenameCommand, SaveWritesTheListWithoutQuestions) {
  CommandWorld world;
  world.world.state.previewMode = true;
  world.world.saveDialog.fileName = u"C:\\Data\\list";
  world.job.editMode = EditMode::Savealls;
  const CommandOutcome outcome = world.run();
  EXPECT_EQ(outcome.action, Action::Saved);
  EXPECT_FALSE(world.world.state.previewMode);
  EXPECT_TRUE(world.boxes().empty());
  EXPECT_TRUE(world.fs.fileExists(u"C:\\Data\\list.txt"));

  CommandWorld cancelled;
  cancelled.job.editMode = EditMode::Savealls;  // the dialog answers nothing
  EXPECT_EQ(cancelled.run().action, Action::Stopped);
  EXPECT_EQ(cancelled.world.saveDialog.asks, 1);
}

// A folder that holds only subfolders has no sample file, yet its names can
// be saved.
TEST(RenameCommand, SavesAFolderWithoutFiles) {
  CommandWorld world;
  world.world.saveDialog.fileName = u"C:\\Data\\list.txt";
  world.job.editMode = EditMode::Savealls;
  world.job.saveContent = engine::SaveContent::OnlySubfolders;
  world.job.targetFolder = u"C:\\A\\";
  world.fs.removeFile(u"C:\\A\\a.txt");
  world.fs.removeFile(u"C:\\A\\photo.jpg");
  EXPECT_EQ(world.run().action, Action::Saved);
  EXPECT_TRUE(world.boxes().empty());

  // With "Include subfolder" the sample search says why it found nothing.
  CommandWorld empty;
  empty.job.editMode = EditMode::Savealls;
  empty.job.includeSubfolders = true;
  empty.job.targetFolder = u"C:\\A\\Sub\\";
  EXPECT_EQ(empty.run().action, Action::Stopped);
  EXPECT_EQ(empty.world.messages.texts(),
            std::vector<std::u16string>{u"There is no file and subfolder now!"});
  EXPECT_EQ(empty.world.saveDialog.asks, 0);
}

}  // namespace
}  // namespace tessaline::run
