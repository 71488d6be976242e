#pragma once

#include <string_view>

namespace tessaline::platform {

// Message boxes, modal to the program. Texts and captions come from the
// language table; the port only shows them and returns the answer.
class Messages {
 public:
  virtual ~Messages() = default;

  // A notice with the information icon and an OK button.
  virtual void information(std::u16string_view caption, std::u16string_view text) = 0;

  // An OK/Cancel question; true for OK.
  virtual bool okCancel(std::u16string_view caption, std::u16string_view text) = 0;

  // A Yes/No question; true for Yes.
  virtual bool yesNo(std::u16string_view caption, std::u16string_view text) = 0;
};

// Shows nothing and gives every question the same answer: for looking
// without telling, and for fuzzers and benchmarks.
class SilentMessages : public Messages {
 public:
  explicit SilentMessages(bool answer = false) : m_answer(answer) {}
  void information(std::u16string_view, std::u16string_view) override {}
  bool okCancel(std::u16string_view, std::u16string_view) override { return m_answer; }
  bool yesNo(std::u16string_view, std::u16string_view) override { return m_answer; }

 private:
  bool m_answer;
};

}  // namespace tessaline::platform
