#pragma once

#include <string>
#include <string_view>

namespace tessaline::engine {

// Expands the special strings of a user's text for the item being edited.
// The edits call it once per text and item, at the moment they need it.
class TextExpander {
 public:
  virtual ~TextExpander() = default;
  virtual std::u16string expand(std::u16string_view text) = 0;
};

}  // namespace tessaline::engine
