#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessaline::cli {

// The command line of tessaline-cli, decoded. Texts are UTF-16 with the byte
// escape, so any file name given on the command line survives.
struct CliOptions {
  bool help = false;
  bool undo = false;
  std::u16string mode;                                             // --mode
  std::optional<std::u16string> folder;                            // --folder
  std::vector<std::u16string> files;                               // --files
  std::vector<std::pair<std::u16string, std::u16string>> fields;   // --set FIELD=VALUE
  std::vector<std::pair<std::u16string, std::u16string>> options;  // --option KEY=VALUE
  bool preview = false;
  bool yes = false;
  std::optional<std::u16string> dataDir;  // --data-dir
  std::optional<std::u16string> output;   // --output
};

// Decodes argv (without the program name); on a usage error returns the
// text that says what is wrong.
struct ParseResult {
  CliOptions options;
  std::optional<std::u16string> error;
};
ParseResult parseCommandLine(const std::vector<std::u16string>& arguments);

// A path of the command line made absolute (relative to the working folder):
// a folder ends with "/", an item does not.
std::u16string absoluteFolderPath(std::u16string_view path);
std::u16string absoluteItemPath(std::u16string_view path);

// The text of --help: the forms of the command, the modes, every job field
// with its values and every setting.
std::u16string helpText();

}  // namespace tessaline::cli
