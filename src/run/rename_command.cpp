#include "run/rename_command.h"

#include <string>
#include <string_view>

#include "engine/name_checks.h"
#include "engine/path_parts.h"
#include "engine/text_rules.h"
#include "export/name_list_export.h"
#include "run/rename_run.h"
#include "run/sample_name.h"

namespace tessaline::run {
namespace {

using engine::EditMode;
using engine::RenameJob;
using Action = CommandOutcome::Action;

constexpr char16_t kLineFeed = u'\n';

// The texts of the scope box's items, by EditScope.
constexpr int kScopeItemTexts[] = {68, 69, 70, 71};

CommandOutcome stopped(FocusTarget focus = FocusTarget::None) {
  return {Action::Stopped, focus};
}

// The common start: normalises the boxes every mode shares and makes sure
// a folder edit still has a sample. False when the command must stop.
bool commonStart(RunContext& context, RenameJob& job) {
  job.saveTypeOther = engine::trim(job.saveTypeOther);
  job.typeFilterList = engine::trim(job.typeFilterList);
  if (job.typeFilterList.empty()) job.typeFilterOn = false;
  if (!job.targetFolder.empty()) {
    const SampleChoice sample = chooseSample(context, job);
    // A save lists the folder whatever it holds, so it needs no sample; it
    // stops only when the user was told why there is none.
    const bool saving = job.editMode == EditMode::Savealls;
    if (sample.name.empty() && (!saving || sample.told)) return false;
  }
  context.state.renamedCount = 0;
  context.state.failedCount = 0;
  return true;
}

// Drops the leading ".." pairs and the trailing dots of a typed extension.
std::u16string normalisedExtension(std::u16string_view text) {
  while (text.size() > 2 && text.starts_with(u".."))
    text.remove_prefix(2);
  while (text.size() > 1 && text.ends_with(u'.'))
    text.remove_suffix(1);
  return std::u16string(text);
}

void addLeadingDot(std::u16string& extension) {
  if (!extension.empty() && extension.front() != u'.') extension.insert(0, 1, u'.');
}

// One Rename command after the common start: the checks and summaries of
// the job's EditMode, then the run decision.
class Command {
 public:
  Command(RunContext& context, RenameJob& job)
      : m_context(context), m_job(job), m_scope(scopeText(context, job)) {}

  CommandOutcome run() {
    switch (m_job.editMode) {
      case EditMode::Removpart:
        return remove();
      case EditMode::Replapart:
        return replace();
      case EditMode::Addnewnum:
        return insert();
      case EditMode::Changnew:
        return change();
      case EditMode::Changexten:
        return extension();
      case EditMode::Savealls:
        return save();
      default:
        return stopped();
    }
  }

 private:
  std::u16string lang(int n) const { return m_context.language.text(n); }

  void notice(const std::u16string& text) {
    m_context.messages.information(lang(config::kCaptionInformation), text);
  }
  CommandOutcome refuse(int text, FocusTarget focus = FocusTarget::None) {
    notice(lang(text));
    return stopped(focus);
  }

  bool ask(const std::u16string& text) {
    m_lastAnswer = m_context.messages.okCancel(lang(config::kCaptionConfirmation), text);
    return m_lastAnswer;
  }
  // Asks only where the user wants to confirm a real run.
  void confirm(const std::u16string& text) {
    if (!m_context.state.previewMode && m_context.settings.confirm) ask(text);
  }
  bool checkName(std::u16string_view text) {
    return engine::checkNameText(m_context.messages, m_context.language, text,
                                 m_job.useSpecialStrings);
  }

  // The run is due when the last question was answered OK, or none was.
  bool runDue() const {
    return m_context.state.previewMode || !m_context.settings.confirm || m_lastAnswer;
  }
  CommandOutcome start() {
    startRun(m_context, m_job);
    return {Action::Ran, FocusTarget::None};
  }
  CommandOutcome decide() { return runDue() ? start() : stopped(); }

  // The name shown in the sample box: the base name, or the whole file name
  // when the extension is edited.
  std::u16string sampleText() const {
    const engine::PathParts parts = engine::splitPath(m_context.fs, m_job.sampleName);
    return m_job.editMode == EditMode::Changexten ? parts.fileName : parts.baseName;
  }
  std::u16string selText() const {
    return engine::subText(sampleText(), m_job.selectionStart + 1LL, m_job.selectionLength);
  }
  std::u16string caseText(bool caseSensitive) const {
    return u"(" + (caseSensitive ? engine::asciiLower(lang(106)) : lang(241)) + u")";
  }
  std::u16string direction(bool fromEnd) const { return lang(fromEnd ? 86 : 85); }

  CommandOutcome remove();
  CommandOutcome removeStrings();
  CommandOutcome removePart();
  CommandOutcome cleanSymbols();
  CommandOutcome keepPart();
  CommandOutcome replace();
  CommandOutcome replaceString();
  CommandOutcome replaceMousePart();
  CommandOutcome insert();
  CommandOutcome insertAtPosition();
  std::u16string cursorSummary() const;
  CommandOutcome insertAtString();
  CommandOutcome change();
  CommandOutcome extension();
  CommandOutcome changeExtension();
  CommandOutcome save();

  RunContext& m_context;
  RenameJob& m_job;
  const std::u16string m_scope;
  bool m_lastAnswer = false;  // the answer to the last question shown
};

CommandOutcome Command::remove() {
  switch (m_job.removeKind) {
    case engine::RemoveKind::RemoveStrings:
      return removeStrings();
    case engine::RemoveKind::RemovePart:
      return removePart();
    case engine::RemoveKind::CleanSymbols:
      return cleanSymbols();
    case engine::RemoveKind::KeepPart:
      return keepPart();
  }
  return stopped();
}

CommandOutcome Command::removeStrings() {
  std::u16string joined;
  for (const std::u16string* text : {&m_job.removeText1, &m_job.removeText2, &m_job.removeText3}) {
    if (text->empty()) continue;
    if (!joined.empty()) joined += u"' " + lang(313) + u" '";
    joined += *text;
  }
  if (joined.empty()) return refuse(139, FocusTarget::RemoveText1);
  confirm(lang(137) + u" '" + joined + u"'" + caseText(m_job.removeCaseSensitive) + u", " +
          m_scope);
  return decide();
}

CommandOutcome Command::removePart() {
  switch (m_job.removePartKind) {
    case engine::RemovePartKind::MousePart:
      if (m_job.selectionLength == 0) return refuse(141);
      confirm(lang(140) + u"(" + direction(m_job.removeFromEnd) + u") - '" + selText() + u"' " +
              m_scope);
      break;
    case engine::RemovePartKind::BetweenStrings:
      if (m_job.betweenLeft.empty()) return refuse(142, FocusTarget::BetweenLeft);
      if (m_job.betweenRight.empty()) return refuse(142, FocusTarget::BetweenRight);
      confirm(lang(137) + u" " + lang(314) + u" '" + m_job.betweenLeft + u"' " + lang(313) + u" '" +
              m_job.betweenRight + u"' " + m_scope);
      break;
    case engine::RemovePartKind::AllNumbers:
      confirm(lang(360) + u", " + m_scope);
      break;
  }
  return decide();
}

CommandOutcome Command::cleanSymbols() {
  const bool eraseMissing = m_job.cleanEraseOn && m_job.cleanEraseText.empty();
  const bool keepMissing = m_job.cleanKeepOthersOn && m_job.cleanKeepOthers.empty();
  if (eraseMissing || keepMissing) {
    notice(lang(143) + u" " + lang(m_job.cleanEraseOn ? 316 : 317));
    return stopped(keepMissing ? FocusTarget::CleanKeepOthers : FocusTarget::CleanEraseText);
  }
  confirm(lang(315) + u", " + lang(240) + u"?");
  return decide();
}

CommandOutcome Command::keepPart() {
  if (m_job.keepPartKind == engine::KeepPartKind::MousePart) {
    if (m_job.selectionLength == 0) return refuse(145);
    confirm(lang(144) + u"(" + direction(m_job.keepFromEnd) + u") - '" + selText() + u"' " +
            m_scope);
    return decide();
  }
  if (m_job.keepText1.empty() && m_job.keepText2.empty())
    return refuse(142, FocusTarget::KeepText1);
  std::u16string joined = m_job.keepText1.empty() ? m_job.keepText2 : m_job.keepText1;
  if (!m_job.keepText1.empty() && !m_job.keepText2.empty())
    joined += u"' " + lang(313) + u" '" + m_job.keepText2;
  confirm(lang(146) + u" '" + joined + u"' " + m_scope);
  return decide();
}

CommandOutcome Command::replace() {
  return m_job.replaceKind == engine::ReplaceKind::ReplaceString ? replaceString()
                                                                 : replaceMousePart();
}

CommandOutcome Command::replaceString() {
  if (m_job.replaceOld.empty()) return refuse(149, FocusTarget::ReplaceOld);
  if (m_job.replaceNew.empty()) {
    std::u16string text = lang(147) + u" '" + m_job.replaceOld + u"'";
    text += m_job.replaceCaseSensitive ? u"(" + lang(106) + u"), " + lang(240) + u"?"
                                       : u"(" + lang(241) + u"), " + m_scope;
    if (!ask(text)) return stopped(FocusTarget::ReplaceNew);
    return decide();
  }
  if (!checkName(m_job.replaceNew)) return stopped();
  confirm(lang(148) + u" '" + m_job.replaceOld + u"'(" +
          lang(m_job.replaceCaseSensitive ? 106 : 241) + u") " + lang(318) + u" '" +
          m_job.replaceNew + u"' " + m_scope);
  return decide();
}

CommandOutcome Command::replaceMousePart() {
  if (m_job.selectionLength == 0) return refuse(151);
  if (m_job.replaceNew.empty()) {
    if (!ask(lang(147) + u" '" + selText() + u"', " + lang(240) + u"?"))
      return stopped(FocusTarget::ReplaceNew);
    return decide();
  }
  // The new part becomes part of every name, so it must be a name text
  // here too: a separator in it would move items into other folders.
  if (!checkName(m_job.replaceNew)) return stopped();
  confirm(lang(m_job.replaceFromEnd ? 242 : 150) + u" '" + selText() + u"' " + m_scope);
  return decide();
}

CommandOutcome Command::insert() {
  return m_job.insertKind == engine::InsertKind::InsertAtPosition ? insertAtPosition()
                                                                  : insertAtString();
}

CommandOutcome Command::insertAtPosition() {
  if (m_job.insertCursorOn && m_job.cursorPosition == 0) return refuse(153);
  if (!m_job.insertHeadOn && !m_job.insertEndOn && !m_job.insertCursorOn) return refuse(154);
  struct Place {
    bool on;
    const std::u16string& text;
    int emptyNotice;
    FocusTarget box;
  };
  const Place places[] = {
      {m_job.insertHeadOn, m_job.insertHeadText, 155, FocusTarget::InsertHeadText},
      {m_job.insertEndOn, m_job.insertEndText, 156, FocusTarget::InsertEndText},
      {m_job.insertCursorOn, m_job.insertCursorText, 157, FocusTarget::InsertCursorText},
  };
  // Every empty box is named before the command stops; the focus ends in
  // the last of them.
  FocusTarget emptyBox = FocusTarget::None;
  for (const Place& place : places) {
    if (!place.on || !place.text.empty()) continue;
    notice(lang(place.emptyNotice));
    emptyBox = place.box;
  }
  if (emptyBox != FocusTarget::None) return stopped(emptyBox);
  for (const Place& place : places) {
    if (place.on && !checkName(place.text)) return stopped();
  }
  std::u16string text = lang(244);
  if (m_job.insertHeadOn)
    text += u" '" + m_job.insertHeadText + u"' " + lang(158) + u"," + kLineFeed;
  if (m_job.insertEndOn) text += u" '" + m_job.insertEndText + u"' " + lang(159) + u"," + kLineFeed;
  if (m_job.insertCursorOn) text += u" '" + m_job.insertCursorText + u"' " + cursorSummary();
  confirm(text + m_scope);
  return decide();
}

// Where the cursor text goes, in words, ending with a line feed.
std::u16string Command::cursorSummary() const {
  const std::u16string sample = sampleText();
  const long long position = m_job.cursorPosition;
  if (position == 1 && !m_job.insertFromEnd) return lang(158) + u"," + kLineFeed;
  const auto afterEnd = static_cast<long long>(sample.size()) + 1;
  if (position == afterEnd && m_job.insertFromEnd) return lang(159) + u"," + kLineFeed;
  const std::u16string part = m_job.insertFromEnd
                                  ? lang(161) + u" '" + engine::subText(sample, position, afterEnd)
                                  : lang(160) + u" '" + engine::subText(sample, 1, position - 1);
  return lang(243) + u" " + part + u"'" + kLineFeed;
}

CommandOutcome Command::insertAtString() {
  if (m_job.insertAnchor.empty()) return refuse(164, FocusTarget::InsertAnchor);
  if (m_job.insertPlace == engine::kInsertBetween && m_job.insertAnchor2.empty())
    return refuse(162, FocusTarget::InsertAnchor2);
  if (m_job.insertStringText.empty()) return refuse(163, FocusTarget::InsertStringText);
  if (!checkName(m_job.insertStringText)) return stopped();
  const int placeText =
      118 + (m_job.insertPlace >= 0 && m_job.insertPlace <= 2 ? m_job.insertPlace : 0);
  confirm(lang(244) + u" '" + m_job.insertStringText + u"' " + lang(243) + u" " + kLineFeed +
          lang(placeText) + u" " + lang(359) + u" '" + m_job.insertAnchor + u"'," + kLineFeed +
          m_scope);
  return decide();
}

CommandOutcome Command::change() {
  if (m_job.changeKind == engine::ChangeKind::ConvertCase) {
    const int caseCaption = m_job.caseKind == engine::CaseKind::AllUpper    ? 44
                            : m_job.caseKind == engine::CaseKind::EveryWord ? 47
                                                                            : 43;
    confirm(lang(167) + u" " + lang(caseCaption) + u", " + m_scope);
    return decide();
  }
  if (m_job.newNameText.empty()) return refuse(166, FocusTarget::NewNameText);
  if (!checkName(m_job.newNameText)) return stopped();
  confirm(lang(165) + u" '" + m_job.newNameText + u"' " + m_scope);
  return decide();
}

CommandOutcome Command::extension() {
  if (!m_job.targetFolder.empty() && (m_job.editScope == 2 || m_job.editScope == 3))
    return refuse(168);
  if (m_job.extensionKind == engine::ExtensionKind::ChangeExtension) return changeExtension();
  confirm(lang(171) + u" '" + lang(m_job.extensionUpper ? 44 : 43) + u"'," + kLineFeed + m_scope);
  return decide();
}

CommandOutcome Command::changeExtension() {
  m_job.newExtension = normalisedExtension(m_job.newExtension);
  if (m_job.newExtension == u"." || m_job.newExtension == u"..") m_job.newExtension.clear();
  if (m_job.newExtension.empty()) {
    if (!ask(lang(169) + u"," + kLineFeed + m_scope)) return stopped(FocusTarget::NewExtension);
  } else if (!checkName(m_job.newExtension)) {
    return stopped();
  } else if (m_job.allOldExtensions) {
    confirm(lang(319) + u" '" + m_job.newExtension + u"'," + kLineFeed + m_scope);
  } else {
    confirm(lang(170) + u" '" + m_job.oldExtension + u"' to '" + m_job.newExtension + u"'," +
            kLineFeed + m_scope);
  }
  if (!runDue()) return stopped(FocusTarget::NewExtension);
  addLeadingDot(m_job.oldExtension);
  addLeadingDot(m_job.newExtension);
  return start();
}

CommandOutcome Command::save() {
  m_context.state.previewMode = false;
  if (m_job.saveContent != engine::SaveContent::OnlySubfolders && !m_job.saveAllTypes) {
    const bool anyType = m_job.saveTypeMusic || m_job.saveTypeDocument || m_job.saveTypeFilm ||
                         m_job.saveTypePicture || m_job.saveTypeProgram || m_job.saveTypeOtherOn;
    if (!anyType) return refuse(172);
    if (m_job.saveTypeOtherOn && m_job.saveTypeOther.empty())
      return refuse(173, FocusTarget::SaveTypeOther);
  }
  if (exporting::saveNameList(m_context, m_job).empty()) return stopped();
  return {Action::Saved, FocusTarget::None};
}

}  // namespace

std::u16string scopeText(const RunContext& context, const RenameJob& job) {
  const config::LanguageTable& language = context.language;
  std::u16string text;
  if (!job.targetFolder.empty()) {
    text += language.text(363) + u" ";
    if (job.editScope >= 0 && job.editScope < 4)
      text += language.text(kScopeItemTexts[job.editScope]);
  }
  if (job.includeSubfolders) text += u"(" + language.text(386) + u")";
  if (!job.targetFolder.empty()) text += u", ";
  text += language.text(240);
  if (context.state.previewMode) text += u" " + language.text(35);
  text += u"?";
  return text;
}

CommandOutcome renameCommand(RunContext& context, RenameJob& job) {
  if (!commonStart(context, job)) return stopped();
  return Command(context, job).run();
}

}  // namespace tessaline::run
