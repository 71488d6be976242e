// Feeds arbitrary bytes to the language file reader and the text lookup.
//
// Input: one byte giving how many numbers follow (0 to 4), that many 16-bit
// numbers (little endian, signed) to look up, then the language file's bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/language_files.h"
#include "config/language_table.h"
#include "config/text_file.h"
#include "platform/locale.h"
#include "platform/memory_file_system.h"
#include "platform/utf.h"

namespace {

using namespace tessaline;

constexpr int kFixedNumbers[] = {0, 5, 199, 200, 299, 999, 1000, -1};

class SilentHost : public config::LanguageHost {
 public:
  void showStatus(std::u16string_view) override {}
  void applyMainWindowTexts() override {}
  void applyOtherWindowTextsLater() override {}
};

// Splits off the numbers to look up; returns the file's bytes.
std::string_view takeNumbers(std::string_view input, std::vector<int>& numbers) {
  if (input.empty()) return input;
  const std::size_t count = static_cast<unsigned char>(input[0]) % 5;
  input.remove_prefix(1);
  for (std::size_t i = 0; i < count && input.size() >= 2; ++i) {
    const auto low = static_cast<unsigned char>(input[0]);
    const auto high = static_cast<unsigned char>(input[1]);
    numbers.push_back(static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8))));
    input.remove_prefix(2);
  }
  return input;
}

void lookUp(const config::LanguageTable& table, const std::vector<int>& numbers) {
  for (const int n : numbers) {
    if (table.text(n).empty()) __builtin_trap();  // never empty: text or placeholder
  }
  for (const int n : kFixedNumbers) {
    if (table.text(n).empty()) __builtin_trap();
  }
}

// Lines whose every code unit survives UTF-8 (no lone surrogates other than
// escaped bytes) must read back exactly as they were written.
void checkRoundTrip(const std::vector<std::u16string>& lines) {
  for (const std::u16string& line : lines) {
    if (line.find_first_of(u"\r\n") != std::u16string::npos) return;
    if (platform::fromUtf8(platform::toUtf8(line)) != line) return;
  }
  const std::string bytes = config::encodeTextLines(lines);
  if (config::splitLines(config::decodeText(bytes)) != lines) __builtin_trap();
}

void searchFolder(std::string_view fileBytes) {
  platform::MemoryFileSystem fs(platform::PathStyle::Posix);
  fs.addFileWithContent(u"/lang/input.lng", std::string(fileBytes));
  config::LanguageTable table;
  config::findLanguageFile(fs, u"/lang/", u"English", u"", table);
  config::findLanguageFile(fs, u"/lang/", u"", u"1033", table);
  config::languageList(fs, u"/lang/");
  SilentHost host;
  const platform::FixedLocale locale(u'.', u"2052");
  config::chooseLanguage(fs, locale, u"/lang/", u"", false, table, host);
  lookUp(table, {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<int> numbers;
  const std::string_view fileBytes = takeNumbers(input, numbers);

  std::vector<std::u16string> lines = config::splitLines(config::decodeText(fileBytes));
  checkRoundTrip(lines);
  const config::LanguageTable table(std::move(lines));
  lookUp(table, numbers);

  searchFolder(fileBytes);
  return 0;
}
