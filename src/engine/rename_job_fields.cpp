#include "engine/rename_job_fields.h"

#include <climits>
#include <functional>
#include <string>

#include "platform/number_text.h"
#include "platform/utf.h"

namespace tessaline::engine {
namespace {

// How one field is read and written.
struct FieldAccess {
  RenameJobField field;
  std::function<bool(RenameJob&, std::u16string_view)> set;  // false: value does not fit
  std::function<std::u16string(const RenameJob&)> get;
  std::u16string valueHint;  // what the field takes, for error texts
};

FieldAccess flag(std::u16string_view name, bool RenameJob::*member) {
  return {{name, RenameJobField::Type::Flag, {}},
          [member](RenameJob& job, std::u16string_view value) {
            if (value == u"1" || value == u"true") return job.*member = true, true;
            if (value == u"0" || value == u"false") return job.*member = false, true;
            return false;
          },
          [member](const RenameJob& job) { return std::u16string(job.*member ? u"1" : u"0"); },
          u"1, 0, true or false"};
}

FieldAccess integer(std::u16string_view name, int RenameJob::*member, int low, int high) {
  return {{name, RenameJobField::Type::Integer, {}},
          [member, low, high](RenameJob& job, std::u16string_view value) {
            const std::optional<std::int64_t> number = platform::parseDecimal(value);
            if (!number || *number < low || *number > high) return false;
            job.*member = static_cast<int>(*number);
            return true;
          },
          [member](const RenameJob& job) { return platform::decimalText(job.*member); },
          u"an integer from " + platform::decimalText(low) + u" to " + platform::decimalText(high)};
}

FieldAccess text(std::u16string_view name, std::u16string RenameJob::*member) {
  return {{name, RenameJobField::Type::Text, {}},
          [member](RenameJob& job, std::u16string_view value) {
            job.*member = value;
            return true;
          },
          [member](const RenameJob& job) { return job.*member; },
          u"any text"};
}

template <typename Enum>
FieldAccess choice(std::u16string_view name, Enum RenameJob::*member,
                   std::vector<std::u16string_view> names) {
  std::u16string hint = u"one of";
  for (std::u16string_view choiceName : names)
    hint += u" " + std::u16string(choiceName);
  return {{name, RenameJobField::Type::Choice, names},
          [member, names](RenameJob& job, std::u16string_view value) {
            for (std::size_t i = 0; i < names.size(); ++i) {
              if (names[i] == value) return job.*member = static_cast<Enum>(i), true;
            }
            return false;
          },
          [member, names](const RenameJob& job) {
            return std::u16string(names[static_cast<std::size_t>(job.*member)]);
          },
          hint};
}

std::vector<FieldAccess> makeFields() {
  using J = RenameJob;
  return {
      choice(u"EditMode", &J::editMode,
             {u"Browsefile", u"Removpart", u"Replapart", u"Addnewnum", u"Changnew", u"Changexten",
              u"Savealls", u"Savesomes"}),
      text(u"TargetFolder", &J::targetFolder),
      flag(u"FilesMode", &J::filesMode),
      text(u"SampleName", &J::sampleName),
      integer(u"EditScope", &J::editScope, 0, 3),
      flag(u"IncludeSubfolders", &J::includeSubfolders),
      flag(u"IncludeHidden", &J::includeHidden),
      flag(u"IncludeSystem", &J::includeSystem),
      flag(u"TypeFilterOn", &J::typeFilterOn),
      text(u"TypeFilterList", &J::typeFilterList),
      integer(u"SelectionStart", &J::selectionStart, 0, INT_MAX),
      integer(u"SelectionLength", &J::selectionLength, 0, INT_MAX),
      integer(u"SampleLength", &J::sampleLength, 0, INT_MAX),
      integer(u"CursorPosition", &J::cursorPosition, 0, INT_MAX),
      choice(u"RemoveKind", &J::removeKind,
             {u"RemoveStrings", u"RemovePart", u"KeepPart", u"CleanSymbols"}),
      text(u"RemoveText1", &J::removeText1),
      text(u"RemoveText2", &J::removeText2),
      text(u"RemoveText3", &J::removeText3),
      flag(u"RemoveCaseSensitive", &J::removeCaseSensitive),
      flag(u"RemoveOnlyLeftest", &J::removeOnlyLeftest),
      choice(u"RemovePartKind", &J::removePartKind,
             {u"MousePart", u"BetweenStrings", u"AllNumbers"}),
      flag(u"RemoveFromEnd", &J::removeFromEnd),
      text(u"BetweenLeft", &J::betweenLeft),
      text(u"BetweenRight", &J::betweenRight),
      flag(u"BetweenAlsoRemove", &J::betweenAlsoRemove),
      choice(u"KeepPartKind", &J::keepPartKind, {u"MousePart", u"KeepStrings"}),
      flag(u"KeepFromEnd", &J::keepFromEnd),
      text(u"KeepText1", &J::keepText1),
      text(u"KeepText2", &J::keepText2),
      flag(u"KeepOnlyLeftest", &J::keepOnlyLeftest),
      flag(u"CleanKeepDash", &J::cleanKeepDash),
      flag(u"CleanKeepUnderscore", &J::cleanKeepUnderscore),
      flag(u"CleanKeepParentheses", &J::cleanKeepParentheses),
      flag(u"CleanKeepBrackets", &J::cleanKeepBrackets),
      flag(u"CleanKeepOthersOn", &J::cleanKeepOthersOn),
      text(u"CleanKeepOthers", &J::cleanKeepOthers),
      flag(u"CleanToSpace", &J::cleanToSpace),
      flag(u"CleanEraseOn", &J::cleanEraseOn),
      text(u"CleanEraseText", &J::cleanEraseText),
      choice(u"ReplaceKind", &J::replaceKind, {u"ReplaceString", u"ReplaceMousePart"}),
      text(u"ReplaceOld", &J::replaceOld),
      text(u"ReplaceNew", &J::replaceNew),
      flag(u"ReplaceCaseSensitive", &J::replaceCaseSensitive),
      flag(u"ReplaceOnlyLeftest", &J::replaceOnlyLeftest),
      flag(u"ReplaceFromEnd", &J::replaceFromEnd),
      choice(u"InsertKind", &J::insertKind, {u"InsertAtPosition", u"InsertAtString"}),
      flag(u"InsertHeadOn", &J::insertHeadOn),
      text(u"InsertHeadText", &J::insertHeadText),
      flag(u"InsertEndOn", &J::insertEndOn),
      text(u"InsertEndText", &J::insertEndText),
      flag(u"InsertCursorOn", &J::insertCursorOn),
      text(u"InsertCursorText", &J::insertCursorText),
      flag(u"InsertFromEnd", &J::insertFromEnd),
      integer(u"InsertPlace", &J::insertPlace, 0, 2),
      text(u"InsertAnchor", &J::insertAnchor),
      text(u"InsertAnchor2", &J::insertAnchor2),
      text(u"InsertStringText", &J::insertStringText),
      choice(u"ChangeKind", &J::changeKind, {u"ChangeToNew", u"ConvertCase"}),
      text(u"NewNameText", &J::newNameText),
      choice(u"CaseKind", &J::caseKind, {u"AllLower", u"AllUpper", u"EveryWord"}),
      flag(u"CapitalizeFirst", &J::capitalizeFirst),
      flag(u"CaseWithExtension", &J::caseWithExtension),
      flag(u"ExcludeSmallWords", &J::excludeSmallWords),
      choice(u"ExtensionKind", &J::extensionKind, {u"ChangeExtension", u"ConvertExtensionCase"}),
      text(u"OldExtension", &J::oldExtension),
      text(u"NewExtension", &J::newExtension),
      flag(u"AllOldExtensions", &J::allOldExtensions),
      flag(u"ExtensionUpper", &J::extensionUpper),
      flag(u"UseSpecialStrings", &J::useSpecialStrings),
      integer(u"CounterStart", &J::counterStart, 0, 10000),
      flag(u"LetterUpper", &J::letterUpper),
      flag(u"RandomUpper", &J::randomUpper),
      flag(u"RandomLower", &J::randomLower),
      flag(u"RandomDigits", &J::randomDigits),
      choice(u"SaveContent", &J::saveContent,
             {u"FoldersAndFiles", u"AllFilesInSubfolders", u"OnlySubfolders"}),
      flag(u"SaveWebpageFolders", &J::saveWebpageFolders),
      flag(u"SaveAllTypes", &J::saveAllTypes),
      flag(u"SaveTypeMusic", &J::saveTypeMusic),
      flag(u"SaveTypeDocument", &J::saveTypeDocument),
      flag(u"SaveTypeFilm", &J::saveTypeFilm),
      flag(u"SaveTypePicture", &J::saveTypePicture),
      flag(u"SaveTypeProgram", &J::saveTypeProgram),
      flag(u"SaveTypeOtherOn", &J::saveTypeOtherOn),
      text(u"SaveTypeOther", &J::saveTypeOther),
      flag(u"SaveAddDate", &J::saveAddDate),
      flag(u"SaveAddSize", &J::saveAddSize),
  };
}

const std::vector<FieldAccess>& fieldAccess() {
  static const std::vector<FieldAccess> fields = makeFields();
  return fields;
}

const FieldAccess* findField(std::u16string_view name) {
  for (const FieldAccess& access : fieldAccess()) {
    if (access.field.name == name) return &access;
  }
  return nullptr;
}

}  // namespace

const std::vector<RenameJobField>& renameJobFields() {
  static const std::vector<RenameJobField> fields = [] {
    std::vector<RenameJobField> result;
    for (const FieldAccess& access : fieldAccess())
      result.push_back(access.field);
    return result;
  }();
  return fields;
}

std::optional<std::u16string> setRenameJobField(RenameJob& job, std::u16string_view name,
                                                std::u16string_view value) {
  const FieldAccess* access = findField(name);
  if (!access) {
    std::u16string message = u"unknown field \"" + std::u16string(name) + u"\"; the fields are:";
    for (const FieldAccess& field : fieldAccess())
      message += u" " + std::u16string(field.field.name);
    return message;
  }
  if (access->set(job, value)) return std::nullopt;
  return u"field " + std::u16string(name) + u" takes " + access->valueHint + u", not \"" +
         std::u16string(value) + u"\"";
}

std::optional<std::u16string> renameJobFieldValue(const RenameJob& job, std::u16string_view name) {
  const FieldAccess* access = findField(name);
  if (!access) return std::nullopt;
  return access->get(job);
}

}  // namespace tessaline::engine
