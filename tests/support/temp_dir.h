#pragma once

#include <string>
#include <string_view>

namespace tessaline::testing {

// A fresh folder under the system's temporary folder, removed with all its
// contents when the object goes. Paths are byte strings (POSIX names).
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, ending with "/".
  const std::string& path() const { return m_path; }

  // path() + relative.
  std::string operator/(std::string_view relative) const;

  // Creates a file (and its parent folders) with the given content.
  void writeFile(std::string_view relative, std::string_view content = {}) const;
  void makeFolder(std::string_view relative) const;
  std::string readFile(std::string_view relative) const;
  bool exists(std::string_view relative) const;

  // Sets the last-write time of an item, in seconds since the epoch.
  void setModified(std::string_view relative, long long secondsSinceEpoch) const;

 private:
  std::string m_path;
};

}  // namespace tessaline::testing
