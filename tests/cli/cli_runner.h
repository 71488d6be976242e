#pragma once

#include <string>
#include <vector>

namespace tessaline::testing {

// The outcome of one tessaline-cli call.
struct CliRun {
  int status = -1;
  std::string out;  // stdout
  std::string err;  // stderr
};

// Runs tessaline-cli with arguments (byte strings) and waits for it.
CliRun runCli(const std::vector<std::string>& arguments);

// Starts tessaline-cli without waiting; returns its process id. Its output
// goes to /dev/null.
int startCli(const std::vector<std::string>& arguments);

// The lines of a text, without their line ends.
std::vector<std::string> linesOf(const std::string& text);

}  // namespace tessaline::testing
