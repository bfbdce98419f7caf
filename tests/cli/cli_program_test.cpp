// Runs the built pixdeck-cli as a user would and checks its exit statuses.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "command_run.h"
#include "scratch_dir.h"

namespace {

using pixdeck::test::RunShell;
using pixdeck::test::ScratchDir;
using Outcome = pixdeck::test::CommandOutcome;
using pixdeck::test::ShellQuoted;

// Runs the program with arguments (already quoted), standard error folded
// into the captured output.
Outcome RunProgramAt(const std::string& program, const std::string& arguments) {
  return RunShell(ShellQuoted(program) + " " + arguments);
}

Outcome RunProgram(const std::string& arguments) {
  return RunProgramAt(PIXDECK_CLI_PATH, arguments);
}

TEST(CliProgram, ExitStatusesAsDocumented) {
  ScratchDir dir;
  dir.write("it's a.gif", "1");
  const std::string folder = ShellQuoted(dir.path().string());

  const Outcome ok = RunProgram("-c White " + folder);
  EXPECT_EQ(ok.status, 0) << ok.out;
  EXPECT_EQ(ok.out, "page: " + dir.file("images.htm") + "\ncount: 1\n");
  EXPECT_NE(ScratchDir::read(dir.file("images.htm")).find("BGCOLOR=#FFFFFF"), std::string::npos);

  const Outcome none = RunProgram("-s '*.png' " + folder);
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "pixdeck-cli: No files found!\n");

  EXPECT_EQ(RunProgram("-o " + ShellQuoted(dir.file("gone/x.htm")) + " " + folder).status, 1);
  EXPECT_EQ(RunProgram("--bogus " + folder).status, 2);
  EXPECT_EQ(RunProgram("-c Nope " + folder).status, 2);
  EXPECT_EQ(RunProgram(ShellQuoted(dir.file("missing"))).status, 2);
  EXPECT_EQ(RunProgram("").status, 2);
  EXPECT_EQ(RunProgram("--help").status, 0);
  EXPECT_EQ(RunProgram("--version").status, 0);
}

// A folder that exists but cannot be read is told with the system's reason,
// not as a folder without pictures. Root reads every folder: the program
// runs as the user nobody then.
TEST(CliProgram, AFolderThatCannotBeReadIsToldWithTheSystemsReason) {
  ScratchDir dir;
  dir.write("locked/a.gif", "1");
  const std::string locked = dir.file("locked");
  ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
  const std::string asUser =
      ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
  if (!asUser.empty() &&
      std::system("setpriv --reuid=65534 --regid=65534 --clear-groups true") != 0) {
    GTEST_SKIP() << "cannot run a program as nobody (setpriv)";
  }
  // A home of its own: the user's settings are no part of this.
  const std::string command = "env -u XDG_CONFIG_HOME HOME=" + ShellQuoted(dir.file("home")) + " " +
                              asUser + ShellQuoted(PIXDECK_CLI_PATH) + " -o " +
                              ShellQuoted(dir.file("out.htm")) + " " + ShellQuoted(locked) +
                              " 2>&1";
  Outcome run;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) {
      run.out.append(buffer, n);
    }
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  ::chmod(locked.c_str(), 0700);
  EXPECT_EQ(run.status, 1) << run.out;
  EXPECT_EQ(run.out, "pixdeck-cli: Cannot read folder " + locked + ": Permission denied\n");
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.htm")));
}

// A colour file that cannot be read is reported with the reason, and no page
// is written without the colour the user asked for.
TEST(CliProgram, AnUnreadableColourFileIsReportedWithItsReason) {
  ScratchDir dir;
  dir.write("pics/a.gif", "GIF89a");
  dir.write("settings.ini", "");
  const std::string program = dir.file("pixdeck-cli");
  std::filesystem::copy_file(PIXDECK_CLI_PATH, program);
  // Where the program looks first, something that is no file.
  std::filesystem::create_directory(dir.file("Bkcolors.txt"));
  const Outcome refused =
      RunProgramAt(program, "--settings " + ShellQuoted(dir.file("settings.ini")) + " -c White " +
                                ShellQuoted(dir.file("pics")));
  EXPECT_EQ(refused.status, 2) << refused.out;
  EXPECT_EQ(refused.out, "pixdeck-cli: File \"" + dir.file("Bkcolors.txt") +
                             "\" not found! Background Colors not available. (Cannot read file " +
                             dir.file("Bkcolors.txt") + ": it is no regular file)\n");
  EXPECT_FALSE(std::filesystem::exists(dir.file("pics/images.htm")));
}

// A page that another user owns must not be replaced by renaming over it,
// although the folder lets this user do so: a plain write would fail.
TEST(CliProgram, APageThisUserMayNotWriteIsLeftAlone) {
  if (geteuid() != 0 || access("/usr/bin/setpriv", X_OK) != 0) {
    GTEST_SKIP() << "needs root and setpriv to run as another user";
  }
  constexpr uid_t kNobody = 65534;
  ScratchDir dir;
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  dir.write("pics/a.gif", "GIF89a");
  dir.write("home/settings.ini", "");
  const std::string page = dir.write("pics/images.htm", "root's page");
  ASSERT_EQ(chmod(page.c_str(), 0644), 0);
  for (const char* owned : {"pics", "home"}) {
    ASSERT_EQ(chown(dir.file(owned).c_str(), kNobody, kNobody), 0);
  }
  const std::string home = dir.file("home");
  // The build folder may lie where the other user cannot enter (a fresh
  // system's /root is private): that user runs a copy of the program.
  const std::string program = dir.file("pixdeck-cli");
  std::filesystem::copy_file(PIXDECK_CLI_PATH, program);
  ASSERT_EQ(chmod(program.c_str(), 0755), 0);
  const std::string asNobody =
      "/usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups "
      "env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME=" +
      ShellQuoted(home) + " XDG_CONFIG_HOME=" + ShellQuoted(home) + " " + ShellQuoted(program) +
      " --settings " + ShellQuoted(dir.file("home/settings.ini")) + " " +
      ShellQuoted(dir.file("pics")) + " 2>&1";
  const auto run = [&] {
    Outcome outcome;
    FILE* pipe = popen(asNobody.c_str(), "r");
    if (pipe == nullptr) {
      return outcome;
    }
    char buffer[4096];
    while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) {
      outcome.out.append(buffer, n);
    }
    const int raw = pclose(pipe);
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return outcome;
  };

  const Outcome refused = run();
  EXPECT_EQ(refused.status, 1) << refused.out;
  EXPECT_NE(refused.out.find(page), std::string::npos) << refused.out;
  EXPECT_NE(refused.out.find("Permission denied"), std::string::npos)
      << "the system's reason reaches the user: " << refused.out;
  EXPECT_EQ(ScratchDir::read(page), "root's page");
  struct stat info {};
  ASSERT_EQ(stat(page.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 0u) << "still root's own file";

  // The same user may replace a page of their own.
  ASSERT_EQ(chown(page.c_str(), kNobody, kNobody), 0);
  const Outcome written = run();
  EXPECT_EQ(written.status, 0) << written.out;
  EXPECT_NE(ScratchDir::read(page).find("a.gif (6 bytes)"), std::string::npos);
}

}  // namespace
