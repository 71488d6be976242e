#pragma once

#include <string>
#include <string_view>

namespace tessaline::platform {

// What the desktop offers the program: opening files, sounds, folders.
class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a file with the user's program for it (a text editor for a list).
  virtual void openFile(std::u16string_view path) = 0;
  // Plays a wave file and returns when it has finished.
  virtual void playSound(std::u16string_view path) = 0;
  // The user's home folder, ending with the separator.
  virtual std::u16string homeFolder() const = 0;
};

}  // namespace tessaline::platform
