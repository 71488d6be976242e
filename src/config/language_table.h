#pragma once

#include <string>
#include <vector>

namespace tessaline::config {

// The lines of the built-in English language table, header lines and blank
// lines included, in file order.
const std::vector<std::u16string>& builtinEnglishLines();

// The numbered interface texts of the active language: the lines of a
// language file, or a copy of the built-in English table.
class LanguageTable {
 public:
  LanguageTable();  // the built-in English table
  explicit LanguageTable(std::vector<std::u16string> lines);

  // Interface text number n; falls back to the built-in English text and
  // finally to the visible placeholder "L{missing text nnn}".
  std::u16string text(int n) const;

  const std::vector<std::u16string>& lines() const { return m_lines; }
  void assign(std::vector<std::u16string> lines) { m_lines = std::move(lines); }
  void useBuiltin() { m_lines = builtinEnglishLines(); }

 private:
  std::vector<std::u16string> m_lines;
};

// Captions of message boxes.
inline constexpr int kCaptionInformation = 295;
inline constexpr int kCaptionConfirmation = 299;

}  // namespace tessaline::config
