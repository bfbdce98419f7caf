// pixdeck-cli takes its page defaults from the window's settings and never
// writes them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli_in_process.h"
#include "scratch_dir.h"
#include "settings_fixture.h"
#include "text/utf8_path.h"

namespace pixdeck {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;

using Outcome = test::CommandOutcome;

Outcome RunInProcess(std::vector<std::string> args) {
  return test::RunCliInProcess(std::move(args));
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

// Runs a program file with the environment and arguments given (quoted).
Outcome RunProgram(const std::string& environment, const std::string& program,
                   const std::string& arguments) {
  const std::string command = environment + " " + Quoted(program) + " " + arguments + " 2>&1";
  Outcome outcome;
  FILE* pipe = popen(command.c_str(), "r");
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
}

class CliSettings : public test::SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    dir_.write("pics/a.gif", "GIF89a");
    pics_ = dir_.file("pics");
  }
  std::string Page(const std::string& name) const {
    return ScratchDir::read(dir_.file("pics/" + name));
  }

  std::string pics_;
};

TEST_F(CliSettings, TheNamedSettingsFileGivesTheDefaultsTheCommandLineLeavesOpen) {
  const std::string settings =
      dir_.write("my.ini",
                 "[Options]\nOutputName=saved.htm\nUrlBaseName=http://example.org/\n"
                 "PatternName=bg.gif\nBgColor=White\nBrowserName=/never/used\n");
  const std::string before = ScratchDir::read(settings);

  const Outcome run = RunInProcess({"--settings", settings, pics_});
  ASSERT_EQ(run.status, cli::kExitOk) << run.err;
  EXPECT_EQ(run.out, "page: " + dir_.file("pics/saved.htm") + "\ncount: 1\n");
  const std::string page = Page("saved.htm");
  EXPECT_NE(page.find("http://example.org/"), std::string::npos) << page;
  EXPECT_NE(page.find("bg.gif"), std::string::npos) << page;
  EXPECT_NE(page.find("BGCOLOR="), std::string::npos) << page;

  // What the command line gives wins.
  const Outcome given =
      RunInProcess({"--settings", settings, "-o", "given.htm", "-b", "file:///", "-p", "", pics_});
  ASSERT_EQ(given.status, cli::kExitOk) << given.err;
  const std::string givenPage = Page("given.htm");
  EXPECT_EQ(givenPage.find("http://example.org/"), std::string::npos) << givenPage;
  EXPECT_EQ(givenPage.find("bg.gif"), std::string::npos) << givenPage;

  EXPECT_EQ(ScratchDir::read(settings), before);
}

TEST_F(CliSettings, TheNamedFileStartsTheChain) {
  const std::string second = dir_.write("second.ini", "[Options]\nOutputName=chained.htm\n");
  const std::string first = dir_.write(
      "first.ini", "[Application]\nIniFileName=" + second + "\n[Options]\nOutputName=no.htm\n");
  const Outcome run = RunInProcess({"--settings", first, pics_});
  ASSERT_EQ(run.status, cli::kExitOk) << run.err;
  EXPECT_EQ(run.out, "page: " + dir_.file("pics/chained.htm") + "\ncount: 1\n");
}

// A zero byte would end a name at the system call ("nul\0.htm" writes
// "nul"): such a value counts as missing, for every name the settings give.
TEST_F(CliSettings, AValueWithAZeroByteInsideIsNoValue) {
  const std::string second = dir_.write("second.ini", "[Options]\nOutputName=never.htm\n");
  const std::string settings = dir_.write(
      "zero.ini", std::string("[Application]\nIniFileName=") + second + std::string("\0x", 2) +
                      "\n[Options]\nOutputName=nul" + std::string("\0", 1) +
                      ".htm\nPatternName=bg" + std::string("\0", 1) + "/x.gif\n");
  const Outcome run = RunInProcess({"--settings", settings, pics_});
  ASSERT_EQ(run.status, cli::kExitOk) << run.err;
  EXPECT_EQ(run.out, "page: " + dir_.file("pics/images.htm") + "\ncount: 1\n");
  EXPECT_FALSE(fs::exists(PathFromUtf8(dir_.file("pics/nul"))));
  EXPECT_EQ(Page("images.htm").find("BACKGROUND"), std::string::npos);
}

TEST_F(CliSettings, AMissingSettingsFileIsAUsageError) {
  const Outcome run = RunInProcess({"--settings", dir_.file("none.ini"), pics_});
  EXPECT_EQ(run.status, cli::kExitUsage);
  EXPECT_EQ(run.err, "pixdeck-cli: no such settings file: " + dir_.file("none.ini") + "\n");
  EXPECT_FALSE(fs::exists(PathFromUtf8(dir_.file("none.ini"))));
}

TEST_F(CliSettings, ASavedColourTheTableDoesNotKnowGivesAPageWithoutColour) {
  const std::string settings = dir_.write("my.ini", "[Options]\nBgColor=No Such Colour\n");
  const Outcome run = RunInProcess({"--settings", settings, pics_});
  ASSERT_EQ(run.status, cli::kExitOk) << run.err;
  EXPECT_EQ(Page("images.htm").find("BGCOLOR="), std::string::npos);
}

#if defined(PIXDECK_CLI_PATH) && !defined(_WIN32)
// A copy of the program in a folder of its own, so that its settings file is
// a scratch one.
class CliProgramSettings : public CliSettings {
 protected:
  std::string Install(const std::string& binDir) {
    fs::create_directories(dir_.path() / binDir);
    const fs::path program = dir_.path() / binDir / "pixdeck-cli";
    fs::copy_file(PIXDECK_CLI_PATH, program);
    return Utf8FromPath(program);
  }
  std::string Environment() const {
    return "XDG_CONFIG_HOME=" + Quoted(Utf8FromPath(config_.path()));
  }
};

TEST_F(CliProgramSettings, UsesTheWindowsSettingsFileBesideIt) {
  const std::string program = Install("bin");
  dir_.write("bin/pixdeck.INI", "[Options]\nOutputName=window.htm\n");
  dir_.write("bin/pixdeck-cli.INI", "[Options]\nOutputName=not-this.htm\n");
  const std::string before = ScratchDir::read(dir_.file("bin/pixdeck.INI"));
  const Outcome run = RunProgram(Environment(), program, Quoted(pics_));
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "page: " + dir_.file("pics/window.htm") + "\ncount: 1\n");
  EXPECT_EQ(ScratchDir::read(dir_.file("bin/pixdeck.INI")), before);
}

TEST_F(CliProgramSettings, WritesNoSettingsFileWhereThereIsNone) {
  const std::string program = Install("bin");
  const Outcome run = RunProgram(Environment(), program, Quoted(pics_));
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "page: " + dir_.file("pics/images.htm") + "\ncount: 1\n");
  EXPECT_FALSE(fs::exists(dir_.path() / "bin" / "pixdeck.INI"));
  EXPECT_FALSE(fs::exists(config_.path() / "pixdeck" / "pixdeck.INI"));
}

TEST_F(CliProgramSettings, AnInstalledProgramUsesThePerUserSettings) {
  const std::string program = Install("prefix/bin");
  dir_.write("prefix/share/pixdeck/Bkcolors.txt", "White=FFFFFF\n");
  config_.write("pixdeck/pixdeck.INI", "[Options]\nOutputName=user.htm\nBgColor=White\n");
  const Outcome run = RunProgram(Environment(), program, Quoted(pics_));
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "page: " + dir_.file("pics/user.htm") + "\ncount: 1\n");
  EXPECT_NE(Page("user.htm").find("BGCOLOR=#FFFFFF"), std::string::npos);
}
TEST_F(CliProgramSettings, ARelativeSettingsFileIsTheOneInTheCurrentFolder) {
  const std::string program = Install("bin");
  dir_.write("work/s1.ini", "[Options]\nOutputName=relative.htm\n");
  // A bare name inside the chain means the per-user folder; on the command
  // line it does not.
  config_.write("pixdeck/s1.ini", "[Options]\nOutputName=per-user.htm\n");
  const Outcome run = RunProgram("cd " + Quoted(dir_.file("work")) + " && " + Environment(),
                                 program, "--settings s1.ini " + Quoted(pics_));
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "page: " + dir_.file("pics/relative.htm") + "\ncount: 1\n");
}

TEST_F(CliProgramSettings, AnEmptyIniFileNameFallsBackToTheWindowsFileAsInTheWindow) {
  const std::string program = Install("bin");
  dir_.write("bin/pixdeck.INI", "[Application]\nIniFileName=\n[Options]\nOutputName=window.htm\n");
  dir_.write("bin/pixdeck-cli.INI", "[Options]\nOutputName=not-this.htm\n");
  const Outcome run = RunProgram(Environment(), program, Quoted(pics_));
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "page: " + dir_.file("pics/window.htm") + "\ncount: 1\n");

  // The same through a named file whose chain ends in an empty name.
  const std::string named = dir_.write("named.ini", "[Application]\nIniFileName=\n");
  const Outcome viaNamedDefaults =
      RunProgram(Environment(), program, "--settings " + Quoted(named) + " " + Quoted(pics_));
  EXPECT_EQ(viaNamedDefaults.out, "page: " + dir_.file("pics/window.htm") + "\ncount: 1\n");
}

TEST_F(CliProgramSettings, ASettingsFileThatIsAFolderIsToldInOneLineAndTheDefaultsHold) {
  const std::string program = Install("bin");
  fs::create_directories(dir_.path() / "bin" / "pixdeck.INI");
  const Outcome run = RunProgram(Environment(), program, Quoted(pics_));
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "pixdeck-cli: Cannot read the settings file " + dir_.file("bin/pixdeck.INI") +
                         ": it is a folder\npage: " + dir_.file("pics/images.htm") +
                         "\ncount: 1\n");
  EXPECT_TRUE(fs::is_empty(dir_.path() / "bin" / "pixdeck.INI"));
}

TEST_F(CliProgramSettings, ASharedPageInAFolderTheUserCannotWriteIsRewritten) {
  if (::geteuid() != 0 || std::system("command -v setpriv > /dev/null") != 0) {
    GTEST_SKIP() << "needs root and setpriv to run as another user";
  }
  const std::string program = Install("bin");
  // Root's folders, open to read; the page itself is everyone's to write.
  for (const fs::path& folder : {dir_.path(), dir_.path() / "bin", dir_.path() / "pics"}) {
    fs::permissions(folder, fs::perms(0755));
  }
  const std::string page = dir_.write("pics/images.htm", "old page");
  fs::permissions(PathFromUtf8(page), fs::perms(0666));
  const Outcome run =
      RunProgram("setpriv --reuid=65534 --regid=65534 --clear-groups env " + Environment(), program,
                 Quoted(pics_));
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(Page("images.htm").find("a.gif"), std::string::npos);
  EXPECT_EQ(fs::status(PathFromUtf8(page)).permissions(), fs::perms(0666));
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir_.path() / "pics")) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.gif", "images.htm"}));
}
#endif

}  // namespace
}  // namespace pixdeck
