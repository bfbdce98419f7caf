// The program's command-line arguments as UTF-8 text.
#pragma once

#include <string>
#include <vector>

namespace pixdeck::platform {

// POSIX: argv as given (file names are bytes, normally UTF-8). Windows: the
// wide command line, so that names outside the ANSI code page arrive intact.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace pixdeck::platform
