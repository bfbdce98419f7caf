// Runs the built pixdeck-cli as a user would and checks its exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "scratch_dir.h"

namespace {

using pixdeck::test::ScratchDir;

struct Outcome {
  int status = -1;
  std::string out;
};

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

// Runs the program with arguments (already quoted), standard error folded
// into the captured output.
Outcome RunProgram(const std::string& arguments) {
  const std::string command = Quoted(PIXDECK_CLI_PATH) + " " + arguments + " 2>&1";
  Outcome outcome;
  FILE* pipe = popen(command.c_str(), "r");
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

TEST(CliProgram, ExitStatusesAsDocumented) {
  ScratchDir dir;
  dir.write("it's a.gif", "1");
  const std::string folder = Quoted(dir.path().string());

  const Outcome ok = RunProgram("-c White " + folder);
  EXPECT_EQ(ok.status, 0) << ok.out;
  EXPECT_EQ(ok.out, "page: " + dir.file("images.htm") + "\ncount: 1\n");
  EXPECT_NE(ScratchDir::read(dir.file("images.htm")).find("BGCOLOR=#FFFFFF"), std::string::npos);

  const Outcome none = RunProgram("-s '*.png' " + folder);
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "No files found!\n");

  EXPECT_EQ(RunProgram("-o " + Quoted(dir.file("gone/x.htm")) + " " + folder).status, 1);
  EXPECT_EQ(RunProgram("--bogus " + folder).status, 2);
  EXPECT_EQ(RunProgram("-c Nope " + folder).status, 2);
  EXPECT_EQ(RunProgram(Quoted(dir.file("missing"))).status, 2);
  EXPECT_EQ(RunProgram("").status, 2);
  EXPECT_EQ(RunProgram("--help").status, 0);
  EXPECT_EQ(RunProgram("--version").status, 0);
}

}  // namespace
