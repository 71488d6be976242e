#include "engine/finish_name.h"

#include <array>
#include <string>

#include "engine/path_parts.h"
#include "engine/text_rules.h"
#include "platform/number_text.h"
#include "platform/utf.h"

namespace tessaline::engine {
namespace {

constexpr std::size_t kMaxFileNameLength = 255;  // code units; and bytes on POSIX
constexpr std::array<std::u16string_view, 6> kReservedNames = {u"con",  u"aux", u"com1",
                                                               u"lpt1", u"prn", u"nul"};
constexpr int kTextNewFileName = 238;
constexpr int kTextReserved = 127;
constexpr int kTextTooLong = 128;

// Drops leading spaces, then leading dots; a name left empty becomes "(none)".
std::u16string cleanBaseName(std::u16string_view base) {
  std::u16string clean(base);
  const auto dropLeading = [&clean](char16_t c) {
    if (clean.empty() || clean.front() != c) return;
    clean.erase(0, clean.find_first_not_of(c));
    if (clean.empty()) clean = u"(none)";
  };
  dropLeading(u' ');
  dropLeading(u'.');
  return clean;
}

std::u16string numbered(std::u16string_view cleanBase, int number) {
  return std::u16string(cleanBase) + u"(" + platform::decimalText(number) + u")";
}

std::u16string pathOf(std::u16string_view folder, std::u16string_view name,
                      std::u16string_view ext) {
  std::u16string path;
  path.reserve(folder.size() + name.size() + ext.size());
  path.append(folder).append(name).append(ext);
  return path;
}

char16_t asciiLowerOf(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? c + 32 : c;
}

// True when name + ext equals other but for the case of ASCII letters.
bool sameIgnoringAsciiCase(std::u16string_view name, std::u16string_view ext,
                           std::u16string_view other) {
  if (name.size() + ext.size() != other.size()) return false;
  for (std::size_t i = 0; i < other.size(); ++i) {
    const char16_t c = i < name.size() ? name[i] : ext[i - name.size()];
    if (asciiLowerOf(c) != asciiLowerOf(other[i])) return false;
  }
  return true;
}

bool isReserved(std::u16string_view fileName) {
  for (std::u16string_view reserved : kReservedNames) {
    if (fileName == reserved) return true;
  }
  return false;
}

// True when the file system cannot hold a name this long: 255 code units, and
// on POSIX also 255 bytes of its UTF-8 form.
bool isTooLong(platform::PathStyle style, std::u16string_view fileName) {
  if (fileName.size() > kMaxFileNameLength) return true;
  return style == platform::PathStyle::Posix && platform::utf8Length(fileName) > kMaxFileNameLength;
}

void refuse(platform::Messages& messages, const config::LanguageTable& language,
            std::u16string_view fileName, int reason) {
  messages.information(language.text(config::kCaptionInformation),
                       language.text(kTextNewFileName) + u": '" + std::u16string(fileName) + u"' " +
                           language.text(reason));
}

}  // namespace

FinishResult finishName(const platform::FileSystem& fs, platform::Messages& messages,
                        const config::LanguageTable& language, std::u16string_view path,
                        std::u16string_view folder, std::u16string_view base,
                        std::u16string_view ext, Numbering numbering) {
  FinishResult result;
  result.cleanBase = cleanBaseName(base);
  result.newPath = pathOf(folder, result.cleanBase, ext);
  if (numbering == Numbering::AssumeFree) {
    result.newFileName = result.newPath.substr(folder.size());
    // Numbering can turn a refused name into an accepted one ("con(1)"), so
    // only an acceptable name skips the check.
    if (!isReserved(result.newFileName) && !isTooLong(fs.style(), result.newFileName)) {
      result.finished = true;
      return result;
    }
    result.newFileName.clear();
  }
  // A change of ASCII case alone would only find the item itself.
  if (!sameIgnoringAsciiCase(result.cleanBase, ext, fileNameOf(fs.style(), path))) {
    while (fs.exists(result.newPath)) {
      result.newPath = pathOf(folder, numbered(result.cleanBase, ++result.number), ext);
    }
  }
  result.newFileName = result.newPath.substr(folder.size());
  if (isReserved(result.newFileName)) {
    refuse(messages, language, result.newFileName, kTextReserved);
    return result;
  }
  if (isTooLong(fs.style(), result.newFileName)) {
    refuse(messages, language, result.newFileName, kTextTooLong);
    return result;
  }
  result.finished = true;
  return result;
}

std::u16string previewNumbering(std::u16string newFileName, std::u16string_view cleanBase,
                                std::u16string_view ext, int number,
                                const std::vector<std::u16string>& plannedNames,
                                std::u16string_view folder, bool includeSubfolders) {
  for (const std::u16string& planned : plannedNames) {
    const bool clash = planned == newFileName ||
                       (includeSubfolders && planned.size() == folder.size() + newFileName.size() &&
                        planned.starts_with(folder) && planned.ends_with(newFileName));
    if (clash) newFileName = numbered(cleanBase, ++number) + std::u16string(ext);
  }
  return newFileName;
}

}  // namespace tessaline::engine
