// pixdeck-cli's entry function run in the test's own process, its streams
// caught.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "command_run.h"

namespace pixdeck::test {

inline CommandOutcome RunCliInProcess(std::vector<std::string> args) {
  args.insert(args.begin(), "pixdeck-cli");
  std::vector<const char*> argv;
  argv.reserve(args.size());
  for (const std::string& arg : args) {
    argv.push_back(arg.c_str());
  }
  std::ostringstream out, err;
  CommandOutcome outcome;
  outcome.status = cli::RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
  outcome.out = out.str();
  outcome.err = err.str();
  return outcome;
}

}  // namespace pixdeck::test
