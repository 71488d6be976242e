#include "engine/replace_edit.h"

#include "engine/mouse_span.h"
#include "engine/text_rules.h"

namespace tessaline::engine {
namespace {

// The new text is expanded for every item, whether or not the old text occurs
// in it, so the special strings advance alike for all items.
std::u16string replaceString(const RenameJob& job, std::u16string_view base,
                             TextExpander& expander) {
  const std::u16string replacement = expander.expand(job.replaceNew);
  return replaceText(base, job.replaceOld, replacement, !job.replaceOnlyLeftest,
                     !job.replaceCaseSensitive);
}

// The part selected on the sample text, mapped onto base, becomes the new
// text; where base is shorter the cut clips.
std::u16string replaceMousePart(const RenameJob& job, std::u16string_view base,
                                TextExpander& expander) {
  const auto n = static_cast<long long>(base.size());
  const MouseSpan span = mouseSpan(job, n, job.replaceFromEnd);
  const std::u16string replacement = expander.expand(job.replaceNew);
  return subText(base, 1, span.before) + replacement + subText(base, span.after, n);
}

}  // namespace

std::u16string replaceEdit(const RenameJob& job, std::u16string_view base, TextExpander& expander) {
  switch (job.replaceKind) {
    case ReplaceKind::ReplaceString:
      return replaceString(job, base, expander);
    case ReplaceKind::ReplaceMousePart:
      return replaceMousePart(job, base, expander);
  }
  return std::u16string(base);
}

}  // namespace tessaline::engine
