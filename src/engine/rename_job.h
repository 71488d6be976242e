#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaline::engine {

enum class EditMode {
  Browsefile,
  Removpart,
  Replapart,
  Addnewnum,
  Changnew,
  Changexten,
  Savealls,
  Savesomes,
};

// The identifier of a mode ("Removpart", ...) and back; empty for unknown text.
std::u16string_view editModeName(EditMode mode);
std::optional<EditMode> parseEditMode(std::u16string_view name);

enum class RemoveKind { RemoveStrings, RemovePart, KeepPart, CleanSymbols };
enum class RemovePartKind { MousePart, BetweenStrings, AllNumbers };
enum class KeepPartKind { MousePart, KeepStrings };
enum class ReplaceKind { ReplaceString, ReplaceMousePart };
enum class InsertKind { InsertAtPosition, InsertAtString };
enum class ChangeKind { ChangeToNew, ConvertCase };
enum class CaseKind { AllLower, AllUpper, EveryWord };
enum class ExtensionKind { ChangeExtension, ConvertExtensionCase };
enum class SaveContent { FoldersAndFiles, AllFilesInSubfolders, OnlySubfolders };

// InsertPlace values.
inline constexpr int kInsertBefore = 0;
inline constexpr int kInsertBehind = 1;
inline constexpr int kInsertBetween = 2;

// Every input of one run (rename, preview or save), captured when the run
// starts. The defaults are the values the editor shows at program start.
struct RenameJob {
  // Target and scope.
  EditMode editMode = EditMode::Browsefile;
  std::u16string targetFolder;  // ends with the separator; empty in files mode
  bool filesMode = false;
  std::vector<std::u16string> selectedFiles;
  std::u16string sampleName;
  int editScope = 0;  // 0 one layer, 1 only checked, 2 only folders, 3 only this folder
  bool includeSubfolders = false;
  bool includeHidden = false;
  bool includeSystem = false;
  bool typeFilterOn = false;
  std::u16string typeFilterList;  // extensions without dots, separated by ","

  // Sample selection.
  int selectionStart = 0;
  int selectionLength = 0;
  int sampleLength = 0;
  int cursorPosition = 0;  // 1-based; 0 when none was picked

  // Remove.
  RemoveKind removeKind = RemoveKind::RemoveStrings;
  std::u16string removeText1, removeText2, removeText3;
  bool removeCaseSensitive = false;
  bool removeOnlyLeftest = false;
  RemovePartKind removePartKind = RemovePartKind::MousePart;
  bool removeFromEnd = false;
  std::u16string betweenLeft, betweenRight;
  bool betweenAlsoRemove = false;
  KeepPartKind keepPartKind = KeepPartKind::MousePart;
  bool keepFromEnd = false;
  std::u16string keepText1, keepText2;
  bool keepOnlyLeftest = false;
  bool cleanKeepDash = true;
  bool cleanKeepUnderscore = false;
  bool cleanKeepParentheses = false;
  bool cleanKeepBrackets = false;
  bool cleanKeepOthersOn = false;
  std::u16string cleanKeepOthers;
  bool cleanToSpace = false;
  bool cleanEraseOn = false;
  std::u16string cleanEraseText;

  // Replace.
  ReplaceKind replaceKind = ReplaceKind::ReplaceString;
  std::u16string replaceOld;
  std::u16string replaceNew;  // may hold special strings
  bool replaceCaseSensitive = false;
  bool replaceOnlyLeftest = false;
  bool replaceFromEnd = false;

  // Insert.
  InsertKind insertKind = InsertKind::InsertAtPosition;
  bool insertHeadOn = false;
  std::u16string insertHeadText;  // may hold special strings
  bool insertEndOn = false;
  std::u16string insertEndText;  // may hold special strings
  bool insertCursorOn = false;
  std::u16string insertCursorText;  // may hold special strings
  bool insertFromEnd = false;
  int insertPlace = kInsertBefore;
  std::u16string insertAnchor;
  std::u16string insertAnchor2;
  std::u16string insertStringText;  // may hold special strings

  // Change.
  ChangeKind changeKind = ChangeKind::ChangeToNew;
  std::u16string newNameText;  // may hold special strings
  CaseKind caseKind = CaseKind::AllLower;
  bool capitalizeFirst = true;
  bool caseWithExtension = true;
  bool excludeSmallWords = true;

  // Extension.
  ExtensionKind extensionKind = ExtensionKind::ChangeExtension;
  std::u16string oldExtension;  // begins with "." once normalised
  std::u16string newExtension;  // empty, or begins with "." once normalised
  bool allOldExtensions = false;
  bool extensionUpper = false;

  // Special strings.
  bool useSpecialStrings = true;
  int counterStart = 1;  // 0-10000
  bool letterUpper = false;
  bool randomUpper = true;
  bool randomLower = true;
  bool randomDigits = true;

  // Save.
  SaveContent saveContent = SaveContent::FoldersAndFiles;
  bool saveWebpageFolders = false;
  bool saveAllTypes = true;
  bool saveTypeMusic = false;
  bool saveTypeDocument = false;
  bool saveTypeFilm = false;
  bool saveTypePicture = false;
  bool saveTypeProgram = false;
  bool saveTypeOtherOn = false;
  std::u16string saveTypeOther;
  bool saveAddDate = false;
  bool saveAddSize = false;
};

}  // namespace tessaline::engine
