// tessaline-cli: renames, previews, saves name lists and undoes from a
// terminal or a script, with the same rules as the windows.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "cli/console_ports.h"
#include "platform/utf.h"

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
  const int status = cli::runSession(parsed.options);
  std::fflush(stdout);
  return status;
}
