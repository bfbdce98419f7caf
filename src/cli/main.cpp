#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <clocale>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "platform/command_line.h"

int main(int argc, char** argv) {
  // Sorting and colour names follow the user's locale.
  std::setlocale(LC_ALL, "");
  const std::vector<std::string> arguments = pixdeck::platform::CommandLineArguments(argc, argv);
  std::vector<const char*> utf8Argv;
  utf8Argv.reserve(arguments.size());
  for (const std::string& argument : arguments) {
    utf8Argv.push_back(argument.c_str());
  }
#ifdef _WIN32
  const bool errIsTerminal = _isatty(_fileno(stderr)) != 0;
#else
  const bool errIsTerminal = isatty(STDERR_FILENO) == 1;
#endif
  return pixdeck::cli::RunCli(static_cast<int>(utf8Argv.size()), utf8Argv.data(), std::cout,
                              std::cerr, errIsTerminal);
}
