// tessaline-cli: renames, previews, saves name lists and undoes from a
// terminal or a script, with the same rules as the windows.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "cli/console_ports.h"
#include "platform/utf.h"

namespace {

// The folder of this executable, ending with "/".
std::u16string programFolder() {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  std::string path = length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : "./";
  path.erase(path.rfind('/') + 1);
  return tessaline::platform::fromUtf8(path);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tessaline;
  std::vector<std::u16string> arguments;
  for (int i = 1; i < argc; ++i)
    arguments.push_back(platform::fromUtf8(argv[i]));
  const cli::ParseResult parsed = cli::parseCommandLine(arguments);
  if (parsed.error) {
    cli::writeLine(stderr, u"tessaline-cli: " + *parsed.error);
    return cli::kExitRefused;
  }
  if (parsed.options.help) {
    cli::writeLine(stdout, cli::helpText());
    return cli::kExitDone;
  }
  const int status = cli::runSession(parsed.options, programFolder());
  std::fflush(stdout);
  return status;
}
