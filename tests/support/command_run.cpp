#include "command_run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

namespace pixdeck::test {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

CommandOutcome RunShell(const std::string& command) {
  CommandOutcome outcome;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) {
    ADD_FAILURE() << "cannot run " << command;
    return outcome;
  }
  char buffer[4096];
  while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) {
    outcome.out.append(buffer, n);
  }
  const int raw = pclose(pipe);
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return outcome;
}

}  // namespace pixdeck::test
