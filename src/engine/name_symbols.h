#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/rename_job.h"
#include "engine/text_expander.h"
#include "platform/file_system.h"
#include "platform/locale.h"

namespace tessaline::engine {

// The decimal text of value, with leading zeros up to width digits.
std::u16string padNumber(std::int64_t value, int width);

// The special strings of new names and their run state: the running number
// and letter, and the seed of the random texts. One object serves the whole
// program; a run resets and advances the counters.
class SpecialStrings {
 public:
  SpecialStrings(const platform::FileSystem& fs, const platform::Locale& locale,
                 std::int64_t randomSeed);

  // text with every special string replaced by its value for the item at path;
  // text itself when the job does not use special strings.
  std::u16string expand(const RenameJob& job, std::u16string_view text, std::u16string_view path);

  void resetCounters(const RenameJob& job);
  void advanceCounters(const RenameJob& job);

  // length random characters of the classes the job allows; reseeds first.
  std::u16string randomText(long long length, const RenameJob& job);

  std::int64_t numberCounter() const { return m_numberCounter; }
  char16_t letterCounter() const { return m_letterCounter; }
  std::int64_t randomSeed() const { return m_randomSeed; }

 private:
  std::u16string expandNumbers(std::u16string_view text) const;
  std::u16string expandRandom(const RenameJob& job, std::u16string text);
  std::u16string expandFacts(std::u16string text, std::u16string_view path) const;

  const platform::FileSystem& m_fs;
  const platform::Locale& m_locale;
  std::int64_t m_numberCounter = 1;
  char16_t m_letterCounter = u'a';
  std::int64_t m_randomSeed;
};

// Expands the texts of one item: a SpecialStrings bound to a job and a path.
class ItemExpander : public TextExpander {
 public:
  ItemExpander(SpecialStrings& specials, const RenameJob& job, std::u16string_view path)
      : m_specials(specials), m_job(job), m_path(path) {}

  std::u16string expand(std::u16string_view text) override {
    return m_specials.expand(m_job, text, m_path);
  }

 private:
  SpecialStrings& m_specials;
  const RenameJob& m_job;
  std::u16string_view m_path;
};

}  // namespace tessaline::engine
