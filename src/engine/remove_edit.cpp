#include "engine/remove_edit.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "engine/mouse_span.h"
#include "engine/text_rules.h"

namespace tessaline::engine {
namespace {

long long lengthOf(std::u16string_view text) {
  return static_cast<long long>(text.size());
}

// ASCII letters and digits; every other code unit is a symbol.
bool isPlain(char16_t c) {
  return isAsciiLetter(c) || isAsciiDigit(c);
}

// Reduces every run of spaces to a single space.
std::u16string collapseSpaces(std::u16string_view text) {
  std::u16string result;
  result.reserve(text.size());
  for (char16_t c : text) {
    if (c == u' ' && !result.empty() && result.back() == u' ') continue;
    result.push_back(c);
  }
  return result;
}

std::u16string removeStrings(const RenameJob& job, std::u16string_view base) {
  std::u16string result(base);
  for (const std::u16string* text : {&job.removeText1, &job.removeText2, &job.removeText3}) {
    if (text->empty()) continue;
    result = replaceText(result, *text, u"", !job.removeOnlyLeftest, !job.removeCaseSensitive);
  }
  return result;
}

std::u16string removeMousePart(const RenameJob& job, std::u16string_view base) {
  const long long n = lengthOf(base);
  const MouseSpan span = mouseSpan(job, n, job.removeFromEnd);
  return subText(base, 1, span.before) + subText(base, span.after, n);
}

// Removes what lies between each left string and the first right string
// behind it, scanning on behind that right string. Every pass consumes at
// least the left string, so the loop ends.
std::u16string removeBetween(const RenameJob& job, std::u16string_view base) {
  const std::u16string& left = job.betweenLeft;
  const std::u16string& right = job.betweenRight;
  const bool alsoRemove = job.betweenAlsoRemove;
  const bool sameStrings = left == right;
  const long long leftLength = lengthOf(left);

  std::u16string rest(base);
  std::u16string head;
  std::u16string tail;
  long long p = findText(base, left);
  bool first = true;
  while (p >= 1) {
    // With equal strings the kept right string starts rest; the search for
    // the next left string skipped it, so its length is added back here.
    if (!first && sameStrings && !alsoRemove) p += leftLength;
    std::u16string head2 = head + subText(rest, 1, p - 1);
    rest = subText(rest, p + leftLength, lengthOf(rest));
    const long long q = findText(rest, right);
    if (q == 0) break;
    if (alsoRemove) {
      head = std::move(head2);
      tail = subText(rest, q + lengthOf(right), lengthOf(rest));
    } else {
      head = head2 + left;
      tail = subText(rest, q, lengthOf(rest));
    }
    rest = tail;
    first = false;
    if (sameStrings && !alsoRemove) {
      p = findText(subText(rest, leftLength + 1, lengthOf(rest)), left);
    } else {
      p = findText(rest, left);
    }
  }
  if (head.empty() && tail.empty()) return std::u16string(base);
  return head + tail;
}

std::u16string removeAllNumbers(std::u16string_view base) {
  if (base.size() < 2 || std::none_of(base.begin(), base.end(), isAsciiDigit)) {
    return std::u16string(base);
  }
  std::u16string digitless;
  std::copy_if(base.begin(), base.end(), std::back_inserter(digitless),
               [](char16_t c) { return !isAsciiDigit(c); });
  return collapseSpaces(trim(digitless));
}

std::u16string removePart(const RenameJob& job, std::u16string_view base) {
  switch (job.removePartKind) {
    case RemovePartKind::MousePart:
      return removeMousePart(job, base);
    case RemovePartKind::BetweenStrings:
      return removeBetween(job, base);
    case RemovePartKind::AllNumbers:
      return removeAllNumbers(base);
  }
  return std::u16string(base);
}

std::u16string keepMousePart(const RenameJob& job, std::u16string_view base) {
  const MouseSpan span = mouseSpan(job, lengthOf(base), job.keepFromEnd);
  const long long length = job.selectionLength;
  if (!job.keepFromEnd) return subText(base, span.before + 1, length);
  const long long from = std::max(span.after - length, 1LL);
  return subText(base, from, span.after - from);
}

// An occurrence of a kept string: index and length in the base name.
using Piece = std::pair<std::size_t, std::size_t>;

// Finds the occurrences of text within base[from, to), scanning from the left
// without overlap; only the first one when onlyFirst.
void findPieces(std::u16string_view base, std::size_t from, std::size_t to,
                std::u16string_view text, bool onlyFirst, std::vector<Piece>& pieces) {
  const std::u16string_view stretch = base.substr(from, to - from);
  for (std::size_t at = stretch.find(text); at != std::u16string_view::npos;
       at = stretch.find(text, at + text.size())) {
    pieces.emplace_back(from + at, text.size());
    if (onlyFirst) return;
  }
}

// The occurrences of the second kept string, searched only in the stretches
// that the occurrences of the first one leave free.
void findSecondPieces(std::u16string_view base, std::u16string_view text, bool onlyFirst,
                      std::vector<Piece>& pieces) {
  std::vector<Piece> firstPieces = pieces;  // in order, not overlapping
  firstPieces.emplace_back(base.size(), 0);
  std::size_t from = 0;
  for (const auto& [at, length] : firstPieces) {
    const std::size_t before = pieces.size();
    findPieces(base, from, at, text, onlyFirst, pieces);
    if (onlyFirst && pieces.size() > before) return;
    from = at + length;
  }
}

std::u16string keepStrings(const RenameJob& job, std::u16string_view base) {
  std::vector<Piece> pieces;
  if (!job.keepText1.empty()) {
    findPieces(base, 0, base.size(), job.keepText1, job.keepOnlyLeftest, pieces);
  }
  if (!job.keepText2.empty()) {
    findSecondPieces(base, job.keepText2, job.keepOnlyLeftest, pieces);
  }
  if (pieces.empty()) return std::u16string(base);
  std::sort(pieces.begin(), pieces.end());
  std::u16string result;
  for (const auto& [at, length] : pieces)
    result.append(base.substr(at, length));
  return result;
}

std::u16string keepPart(const RenameJob& job, std::u16string_view base) {
  switch (job.keepPartKind) {
    case KeepPartKind::MousePart:
      return keepMousePart(job, base);
    case KeepPartKind::KeepStrings:
      return keepStrings(job, base);
  }
  return std::u16string(base);
}

// Cleaning works on code units widened to 32 bits, so that a mark (where
// something was erased) can never equal a code unit of the name.
constexpr char32_t kMark = 0x110000;

bool keptSymbol(const RenameJob& job, char16_t c) {
  switch (c) {
    case u' ':
      return true;
    case u'-':
      return job.cleanKeepDash;
    case u'(':
    case u')':
      return job.cleanKeepParentheses;
    case u'_':
      return job.cleanKeepUnderscore;
    case u'[':
    case u']':
      return job.cleanKeepBrackets;
    default:
      return job.cleanKeepOthersOn && job.cleanKeepOthers.find(c) != std::u16string::npos;
  }
}

// Replaces every occurrence of text (exact, from the left, no overlap) by one
// mark. A mark never matches, so an occurrence cannot span an erased symbol.
std::u32string markOccurrences(const std::u32string& marked, std::u16string_view text) {
  const std::u32string wide(text.begin(), text.end());
  std::u32string result;
  std::size_t done = 0;
  for (std::size_t at = marked.find(wide); at != std::u32string::npos;
       at = marked.find(wide, done)) {
    result.append(marked, done, at - done);
    result.push_back(kMark);
    done = at + wide.size();
  }
  result.append(marked, done);
  return result;
}

std::u16string cleanSymbols(const RenameJob& job, std::u16string_view base) {
  if (base.size() < 2) return std::u16string(base);
  const auto firstSymbol = std::find_if_not(base.begin(), base.end(), isPlain);
  if (firstSymbol == base.end()) return std::u16string(base);

  std::u32string marked(base.begin(), firstSymbol);
  for (auto it = firstSymbol; it != base.end(); ++it) {
    marked.push_back(isPlain(*it) || keptSymbol(job, *it) ? char32_t{*it} : kMark);
  }
  if (job.cleanEraseOn && !job.cleanEraseText.empty()) {
    marked = markOccurrences(marked, job.cleanEraseText);
  }
  // Marks become spaces or nothing; runs of spaces shrink to one as they form.
  std::u16string result;
  result.reserve(marked.size());
  for (char32_t c : marked) {
    if (c == kMark && !job.cleanToSpace) continue;
    const char16_t out = c == kMark ? u' ' : static_cast<char16_t>(c);
    if (out == u' ' && !result.empty() && result.back() == u' ') continue;
    result.push_back(out);
  }
  return result;
}

}  // namespace

std::u16string removeEdit(const RenameJob& job, std::u16string_view base) {
  switch (job.removeKind) {
    case RemoveKind::RemoveStrings:
      return removeStrings(job, base);
    case RemoveKind::RemovePart:
      return removePart(job, base);
    case RemoveKind::KeepPart:
      return keepPart(job, base);
    case RemoveKind::CleanSymbols:
      return cleanSymbols(job, base);
  }
  return std::u16string(base);
}

}  // namespace tessaline::engine
