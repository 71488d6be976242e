#include "engine/name_symbols.h"

#include <string>
#include <vector>

#include "engine/file_facts.h"
#include "engine/path_parts.h"
#include "engine/text_rules.h"
#include "platform/number_text.h"
#include "platform/utf.h"

namespace tessaline::engine {
namespace {

constexpr std::u16string_view kLiteralDollar = u"@$@";

bool contains(std::u16string_view text, std::u16string_view piece) {
  return text.find(piece) != std::u16string_view::npos;
}

// A small, fast generator of non-negative integers (splitmix64), seeded per
// random text so that a seed always gives the same characters.
class RandomSource {
 public:
  explicit RandomSource(std::int64_t seed) : m_state(static_cast<std::uint64_t>(seed)) {}
  std::uint64_t next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

 private:
  std::uint64_t m_state;
};

// The name of the folder that holds the item at path.
std::u16string holdingFolderName(platform::PathStyle style, std::u16string_view path) {
  std::u16string_view folder = parentFolderOf(style, path);
  while (!folder.empty() && folder.back() == platform::separatorOf(style))
    folder.remove_suffix(1);
  return std::u16string(fileNameOf(style, folder));
}

}  // namespace

std::u16string padNumber(std::int64_t value, int width) {
  const bool negative = value < 0;
  std::u16string digits = platform::fromUtf8(std::to_string(
      negative ? -static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value)));
  if (width > static_cast<int>(digits.size())) digits.insert(0, width - digits.size(), u'0');
  return negative ? u"-" + digits : digits;
}

SpecialStrings::SpecialStrings(const platform::FileSystem& fs, const platform::Locale& locale,
                               std::int64_t randomSeed)
    : m_fs(fs), m_locale(locale), m_randomSeed(randomSeed) {}

void SpecialStrings::resetCounters(const RenameJob& job) {
  m_numberCounter = job.counterStart;
  m_letterCounter = job.letterUpper ? u'A' : u'a';
}

void SpecialStrings::advanceCounters(const RenameJob& job) {
  ++m_numberCounter;
  const char16_t first = job.letterUpper ? u'A' : u'a';
  const int offset = (m_letterCounter | 0x20) - u'a';  // position in the alphabet, any case
  m_letterCounter = static_cast<char16_t>(first + (offset + 1) % 26);
}

std::u16string SpecialStrings::randomText(long long length, const RenameJob& job) {
  ++m_randomSeed;
  RandomSource random(m_randomSeed);
  // The dialog never lets all three classes be cleared; should a job come
  // without any, all three are used rather than looping forever.
  const bool none = !job.randomDigits && !job.randomUpper && !job.randomLower;
  const bool digits = job.randomDigits || none;
  const bool upper = job.randomUpper || none;
  const bool lower = job.randomLower || none;
  std::u16string text;
  while (static_cast<long long>(text.size()) < length) {
    switch (random.next() % 3) {
      case 0:
        if (digits) text.push_back(static_cast<char16_t>(u'0' + random.next() % 10));
        break;
      case 1:
        if (upper) text.push_back(static_cast<char16_t>(u'A' + random.next() % 26));
        break;
      default:
        if (lower) text.push_back(static_cast<char16_t>(u'a' + random.next() % 26));
        break;
    }
  }
  return text;
}

std::u16string SpecialStrings::expand(const RenameJob& job, std::u16string_view text,
                                      std::u16string_view path) {
  if (!job.useSpecialStrings) return std::u16string(text);
  std::u16string result(text);
  if (contains(result, u"{a}") || contains(result, u"{A}")) {
    const std::u16string letter(1, m_letterCounter);
    result = replaceText(result, u"{a}", letter, true, false);
    result = replaceText(result, u"{A}", letter, true, false);
  }
  if (contains(result, u"$")) result = expandNumbers(result);
  if (contains(result, u"%%")) {
    result = replaceText(result, u"%%", holdingFolderName(m_fs.style(), path), true, false);
  }
  if (contains(result, u"%")) result = expandRandom(job, std::move(result));
  if (contains(result, u"@@") || contains(result, u"##")) {
    result = expandFacts(std::move(result), path);
  }
  return result;
}

// Every run of "$" becomes the counter padded to the run's length; "@$@"
// stands for a literal "$" and is never part of a run.
std::u16string SpecialStrings::expandNumbers(std::u16string_view text) const {
  std::u16string result;
  for (;;) {
    const std::size_t literal = text.find(kLiteralDollar);
    const std::u16string_view segment = text.substr(0, literal);
    for (std::size_t i = 0; i < segment.size();) {
      if (segment[i] != u'$') {
        result.push_back(segment[i++]);
        continue;
      }
      std::size_t end = i;
      while (end < segment.size() && segment[end] == u'$')
        ++end;
      result += padNumber(m_numberCounter, static_cast<int>(end - i));
      i = end;
    }
    if (literal == std::u16string_view::npos) return result;
    result.push_back(u'$');
    text.remove_prefix(literal + kLiteralDollar.size());
  }
}

// "%n%" with n an integer of one or two code units becomes n random
// characters; a longer n stays as typed, and the search goes on behind it.
std::u16string SpecialStrings::expandRandom(const RenameJob& job, std::u16string text) {
  std::vector<bool> setAside(text.size(), false);
  const auto nextPercent = [&](std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i) {
      if (text[i] == u'%' && !setAside[i]) return i;
    }
    return std::u16string::npos;
  };
  for (;;) {
    std::size_t open = nextPercent(0);
    if (open == std::u16string::npos) break;
    while (open + 1 < text.size() && text[open + 1] == u'%' && !setAside[open + 1])
      ++open;
    const std::size_t close = nextPercent(open + 1);
    if (close == std::u16string::npos) break;
    const std::u16string_view n = std::u16string_view(text).substr(open + 1, close - open - 1);
    const std::optional<std::int64_t> length =
        n.size() < 3 ? platform::parseDecimal(n) : std::nullopt;
    if (!length) {  // stays as typed
      setAside[open] = setAside[close] = true;
      continue;
    }
    const std::u16string random = randomText(*length, job);
    text.replace(open, close - open + 1, random);
    setAside.erase(setAside.begin() + open, setAside.begin() + close + 1);
    setAside.insert(setAside.begin() + open, random.size(), false);
  }
  return text;
}

std::u16string SpecialStrings::expandFacts(std::u16string text, std::u16string_view path) const {
  const FileFacts facts = readFileFacts(m_fs, path);
  if (contains(text, u"@@")) {
    text = replaceText(text, u"@@", facts.found ? symbolDateText(facts.lastWrite) : u"nofiletime",
                       true, false);
  }
  if (contains(text, u"##")) {
    const std::u16string size =
        facts.found ? symbolSizeText(facts.fileSize, m_locale.decimalSeparator()) : u"nofilesize";
    text = replaceText(text, u"##", size, true, false);
  }
  return text;
}

}  // namespace tessaline::engine
