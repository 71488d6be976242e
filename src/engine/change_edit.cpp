#include "engine/change_edit.h"

#include <algorithm>
#include <array>
#include <utility>

#include "engine/text_rules.h"

namespace tessaline::engine {
namespace {

// Words that stay lower case when every word is capitalised with the
// exclusion on; a word matches only exactly, in lower case.
constexpr std::array<std::u16string_view, 14> kSmallWords = {
    u"a",  u"an", u"of", u"in",  u"at",  u"is",  u"to",
    u"or", u"by", u"on", u"the", u"and", u"for", u"was",
};

bool isSmallWord(std::u16string_view word) {
  return std::find(kSmallWords.begin(), kSmallWords.end(), word) != kSmallWords.end();
}

// The run of ASCII letters that begins at index start.
std::u16string_view wordAt(std::u16string_view text, std::size_t start) {
  std::size_t end = start;
  while (end < text.size() && isAsciiLetter(text[end]))
    ++end;
  return text.substr(start, end - start);
}

char16_t raised(char16_t c) {
  return isAsciiLower(c) ? static_cast<char16_t>(c - 32) : c;
}

// Lower case throughout; with capitalizeFirst the leading spaces go and the
// first code unit is raised.
std::u16string lowerCase(std::u16string_view text, bool capitalizeFirst) {
  std::u16string result = asciiLower(text);
  if (!capitalizeFirst) return result;
  result = trimLeft(result);
  if (!result.empty()) result[0] = raised(result[0]);
  return result;
}

std::u16string convertCase(const RenameJob& job, std::u16string_view text) {
  switch (job.caseKind) {
    case CaseKind::AllLower:
      return lowerCase(text, job.capitalizeFirst);
    case CaseKind::AllUpper:
      return asciiUpper(text);
    case CaseKind::EveryWord:
      return capitalizeWords(text, job.excludeSmallWords);
  }
  return std::u16string(text);
}

ItemResult changeExtension(const RenameJob& job, std::u16string_view base,
                           std::u16string_view ext) {
  const bool applies = job.allOldExtensions || asciiLower(job.oldExtension) == asciiLower(ext);
  if (!applies || job.newExtension == ext) return ItemResult::unchanged();
  // Removing the extension of a name that is all extension ('.profile')
  // would leave no name at all.
  if (base.empty() && job.newExtension.empty()) return ItemResult::emptyName();
  return ItemResult::newName(std::u16string(base), job.newExtension);
}

ItemResult convertExtensionCase(const RenameJob& job, std::u16string_view base,
                                std::u16string_view ext) {
  std::u16string converted = job.extensionUpper ? asciiUpper(ext) : asciiLower(ext);
  if (converted == ext) return ItemResult::unchanged();
  return ItemResult::newName(std::u16string(base), std::move(converted));
}

}  // namespace

void changeEdit(const RenameJob& job, std::u16string_view fileName, ChangeNames& names,
                TextExpander& expander) {
  if (job.changeKind == ChangeKind::ChangeToNew) {
    names.base = expander.expand(job.newNameText);
    return;
  }
  if (job.caseWithExtension) {
    names.base = std::u16string(fileName);
    names.oldBase = names.base;
    names.ext.clear();
  }
  names.base = convertCase(job, names.base);
}

// i is the 1-based position of the code unit examined. It runs from 2 to
// n - 1, so the last code unit is never examined; the first is raised at the
// end.
std::u16string capitalizeWords(std::u16string_view text, bool excludeSmallWords) {
  std::u16string t(text);
  const std::size_t n = t.size();
  for (std::size_t i = 2; i < n; ++i) {
    const char16_t c = t[i - 1];
    const char16_t previous = t[i - 2];
    if (!isAsciiLower(c) || isAsciiLetter(previous)) continue;
    if (previous == u'-') {
      // A hyphen between two letters ('x-ray') does not start a word.
      if (i >= 3 && !isAsciiLetter(t[i - 3])) t[i - 1] = raised(c);
      continue;
    }
    const bool nearEnd = n - i < 5;
    if (excludeSmallWords && !nearEnd && isSmallWord(wordAt(t, i - 1))) continue;
    t[i - 1] = raised(c);
  }
  if (!t.empty()) t[0] = raised(t[0]);
  return t;
}

ItemResult extensionEdit(const RenameJob& job, std::u16string_view base, std::u16string_view ext) {
  switch (job.extensionKind) {
    case ExtensionKind::ChangeExtension:
      return changeExtension(job, base, ext);
    case ExtensionKind::ConvertExtensionCase:
      return convertExtensionCase(job, base, ext);
  }
  return ItemResult::unchanged();
}

}  // namespace tessaline::engine
