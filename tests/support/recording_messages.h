#pragma once

#include <string>
#include <vector>

#include "platform/messages.h"

namespace tessaline::testing {

// A Messages port that records every message box and answers questions with
// a fixed answer.
class RecordingMessages : public platform::Messages {
 public:
  enum class Kind { Information, OkCancel, YesNo };
  struct Box {
    Kind kind;
    std::u16string caption;
    std::u16string text;
  };

  explicit RecordingMessages(bool answer = true) : m_answer(answer) {}

  void information(std::u16string_view caption, std::u16string_view text) override {
    m_boxes.push_back({Kind::Information, std::u16string(caption), std::u16string(text)});
  }
  bool okCancel(std::u16string_view caption, std::u16string_view text) override {
    m_boxes.push_back({Kind::OkCancel, std::u16string(caption), std::u16string(text)});
    return m_answer;
  }
  bool yesNo(std::u16string_view caption, std::u16string_view text) override {
    m_boxes.push_back({Kind::YesNo, std::u16string(caption), std::u16string(text)});
    return m_answer;
  }

  const std::vector<Box>& boxes() const { return m_boxes; }
  void clear() { m_boxes.clear(); }

  // The texts of all boxes, in order.
  std::vector<std::u16string> texts() const {
    std::vector<std::u16string> result;
    for (const Box& box : m_boxes)
      result.push_back(box.text);
    return result;
  }

 private:
  bool m_answer;
  std::vector<Box> m_boxes;
};

}  // namespace tessaline::testing
