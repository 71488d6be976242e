#include "engine/name_checks.h"

#include <optional>
#include <string>

#include "engine/text_rules.h"

namespace tessaline::engine {
namespace {

constexpr std::u16string_view kForbidden = u"\\/:*?\"<>|";
constexpr int kTextForbidden = 126;
constexpr int kTextTooBig = 235;
constexpr int kTextDigits = 236;
constexpr int kTextNotInteger = 237;
constexpr int kMaxRandomLength = 100;

enum class Reading { NotInteger, Fits, TooBig };

// Reads n as an optional sign and decimal digits; any number past the
// largest random length is too big, however many digits it has.
Reading readRandomLength(std::u16string_view n) {
  const bool negative = !n.empty() && n[0] == u'-';
  const std::size_t start = (!n.empty() && (n[0] == u'+' || n[0] == u'-')) ? 1 : 0;
  if (start == n.size()) return Reading::NotInteger;
  long long value = 0;
  for (std::size_t i = start; i < n.size(); ++i) {
    if (!isAsciiDigit(n[i])) return Reading::NotInteger;
    if (value <= kMaxRandomLength) value = value * 10 + (n[i] - u'0');
  }
  return (!negative && value > kMaxRandomLength) ? Reading::TooBig : Reading::Fits;
}

bool hasForbiddenCharacter(std::u16string_view text) {
  for (char16_t c : text) {
    // Control characters cannot stand in file names either, and a line
    // break would break the program's line-based files.
    if (c < 32 || kForbidden.find(c) != std::u16string_view::npos) return true;
  }
  return false;
}

std::u16string forbiddenMessage(const config::LanguageTable& language) {
  std::u16string text = language.text(kTextForbidden);
  for (char16_t c : kForbidden) {
    text += u' ';
    text += c;
  }
  return text;
}

}  // namespace

bool checkRandomSpecs(platform::Messages& messages, const config::LanguageTable& language,
                      std::u16string_view text) {
  for (;;) {
    const std::size_t open = text.find(u'%');
    if (open == std::u16string_view::npos) return true;
    std::u16string_view rest = text.substr(open + 1);
    rest.remove_prefix(std::min(rest.find_first_not_of(u'%'), rest.size()));
    const std::size_t close = rest.find(u'%');
    if (close == std::u16string_view::npos) return true;
    const std::u16string_view n = rest.substr(0, close);
    const Reading reading = readRandomLength(n);
    const std::u16string caption = language.text(config::kCaptionInformation);
    if (reading == Reading::TooBig) {
      messages.information(caption, std::u16string(n) + u" " + language.text(kTextTooBig));
      return false;
    }
    if (reading == Reading::NotInteger && n.size() < 3) {
      messages.information(caption, language.text(kTextDigits) + u"(" + std::u16string(n) + u") " +
                                        language.text(kTextNotInteger));
      return false;
    }
    text = rest.substr(close + 1);
  }
}

bool checkNameText(platform::Messages& messages, const config::LanguageTable& language,
                   std::u16string_view text, bool useSpecialStrings) {
  if (useSpecialStrings && !checkRandomSpecs(messages, language, text)) return false;
  if (hasForbiddenCharacter(text)) {
    messages.information(language.text(config::kCaptionInformation), forbiddenMessage(language));
    return false;
  }
  return true;
}

}  // namespace tessaline::engine
