// Running pixdeck-cli in the tests: as a program through the shell, as a
// user would, or in-process through its entry function.
#pragma once

#include <string>
#include <vector>

namespace pixdeck::test {

struct CommandOutcome {
  int status = -1;  // the exit status; -1 when the command did not exit
  std::string out;
  std::string err;
};

// The text as one word of the POSIX shell.
std::string ShellQuoted(const std::string& text);

// Runs a shell command and collects its output, standard error folded in.
CommandOutcome RunShell(const std::string& command);

}  // namespace pixdeck::test
