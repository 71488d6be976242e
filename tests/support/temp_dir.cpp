#include "support/temp_dir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tessaline::testing {

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/tessaline-test-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  m_path = pattern + "/";
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::operator/(std::string_view relative) const {
  return m_path + std::string(relative);
}

void TempDir::writeFile(std::string_view relative, std::string_view content) const {
  const std::filesystem::path file = *this / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

void TempDir::makeFolder(std::string_view relative) const {
  std::filesystem::create_directories(*this / relative);
}

std::string TempDir::readFile(std::string_view relative) const {
  std::ifstream in(*this / relative, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool TempDir::exists(std::string_view relative) const {
  struct stat info;
  return lstat((*this / relative).c_str(), &info) == 0;
}

void TempDir::setModified(std::string_view relative, long long secondsSinceEpoch) const {
  const struct timespec times[2] = {{secondsSinceEpoch, 0}, {secondsSinceEpoch, 0}};
  if (utimensat(AT_FDCWD, (*this / relative).c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) {
    throw std::runtime_error("utimensat failed");
  }
}

}  // namespace tessaline::testing
