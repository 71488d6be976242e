#include "engine/insert_edit.h"

#include "engine/text_rules.h"

namespace tessaline::engine {
namespace {

// The cursor position is taken on the name before the head and end texts are
// added. From the end, the text lands in front of as many code units as it
// did on the sample; insertText clips a position outside the name.
std::u16string insertAtPosition(const RenameJob& job, std::u16string_view base,
                                TextExpander& expander) {
  std::u16string result(base);
  if (job.insertCursorOn) {
    long long pos = job.cursorPosition;
    if (job.insertFromEnd) pos += static_cast<long long>(result.size()) - job.sampleLength;
    result = insertText(result, expander.expand(job.insertCursorText), pos);
  }
  if (job.insertHeadOn) result = expander.expand(job.insertHeadText) + result;
  if (job.insertEndOn) result += expander.expand(job.insertEndText);
  return result;
}

// Inserts the text at every exact occurrence of the anchor (or of the two
// anchors standing together); the text is expanded once for the item.
std::u16string insertAtString(const RenameJob& job, std::u16string_view base,
                              TextExpander& expander) {
  const std::u16string x = expander.expand(job.insertStringText);
  const std::u16string& anchor = job.insertAnchor;
  const std::u16string& anchor2 = job.insertAnchor2;
  switch (job.insertPlace) {
    case kInsertBefore:
      return replaceText(base, anchor, x + anchor, true, false);
    case kInsertBehind:
      return replaceText(base, anchor, anchor + x, true, false);
    case kInsertBetween:
      return replaceText(base, anchor + anchor2, anchor + x + anchor2, true, false);
    default:
      return std::u16string(base);
  }
}

}  // namespace

std::u16string insertEdit(const RenameJob& job, std::u16string_view base, TextExpander& expander) {
  switch (job.insertKind) {
    case InsertKind::InsertAtPosition:
      return insertAtPosition(job, base, expander);
    case InsertKind::InsertAtString:
      return insertAtString(job, base, expander);
  }
  return std::u16string(base);
}

}  // namespace tessaline::engine
