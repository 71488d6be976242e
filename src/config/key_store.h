#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_system.h"

// The program's per-user key: a few named text values that tell where the
// program is installed and where its data folder is, shared with the file
// manager integration.
namespace tessaline::config {

// The values the program and the file manager integration use.
inline constexpr std::u16string_view kInstallDirValue = u"InstallDir";
inline constexpr std::u16string_view kProgramPathValue = u"Programpath";
inline constexpr std::u16string_view kDataDirValue = u"DataDir";

// Value names compare without regard to ASCII letter case.
class KeyStore {
 public:
  virtual ~KeyStore() = default;
  // The value of that name; empty when there is none or it cannot be read.
  virtual std::optional<std::u16string> get(std::u16string_view name) const = 0;
  // Sets a value, creating the store when needed; true on success.
  virtual bool set(std::u16string_view name, std::u16string_view value) = 0;
  // Removes a value; true when it is gone afterwards.
  virtual bool remove(std::u16string_view name) = 0;
};

// The values as "name=value" lines in one text file (values that need it are
// quoted as in Settings.ini). The file is read on every call, written whole
// and atomically on every change, and made, with its folders, by the first
// change.
class FileKeyStore : public KeyStore {
 public:
  FileKeyStore(platform::FileSystem& fs, std::u16string path);

  const std::u16string& path() const { return m_path; }

  std::optional<std::u16string> get(std::u16string_view name) const override;
  bool set(std::u16string_view name, std::u16string_view value) override;
  bool remove(std::u16string_view name) override;

 private:
  using Values = std::vector<std::pair<std::u16string, std::u16string>>;
  // The values of the file; empty when the file exists but cannot be read.
  std::optional<Values> read() const;
  bool write(const Values& values);

  platform::FileSystem& m_fs;
  std::u16string m_path;
};

// The values in memory only: for tests, and for a run that has nowhere to
// keep them.
class MemoryKeyStore : public KeyStore {
 public:
  std::optional<std::u16string> get(std::u16string_view name) const override;
  bool set(std::u16string_view name, std::u16string_view value) override;
  bool remove(std::u16string_view name) override;

 private:
  std::vector<std::pair<std::u16string, std::u16string>> m_values;
};

// The values of a key store file's bytes, in order; lines without "=", blank
// lines, comments ("#" or ";") and names given twice (after the first) are
// skipped.
std::vector<std::pair<std::u16string, std::u16string>> parseKeyStore(std::string_view bytes);

}  // namespace tessaline::config
