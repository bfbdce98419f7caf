// pixdeck-cli --view: the written page goes through the page viewer.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "browser_test_env.h"
#include "cli_in_process.h"

namespace pixdeck {
namespace {

using test::BrowserTestEnv;
using test::DdePeer;
using Args = std::vector<std::string>;

using CliRun = test::CommandOutcome;

CliRun RunCli(std::vector<std::string> args) {
  return test::RunCliInProcess(std::move(args));
}

TEST(CliView, StartsTheBrowserWithTheWrittenPage) {
  BrowserTestEnv env;
  env.scratch().write("pics/a.gif", "GIF89a");
  const std::string browser = env.AddFakeBrowser("bin/x-www-browser");
  const CliRun run = RunCli({"--view", env.scratch().file("pics")});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string page = env.scratch().file("pics/images.htm");
  EXPECT_NE(run.out.find("page: " + page), std::string::npos);
  EXPECT_EQ(env.WaitForLaunch(browser), Args{"file://" + page});
}

TEST(CliView, WithoutViewNoBrowserIsNeeded) {
  BrowserTestEnv env;
  env.scratch().write("pics/a.gif", "GIF89a");
  const CliRun run = RunCli({env.scratch().file("pics")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
}

TEST(CliView, NoBrowserFailsTheRun) {
  BrowserTestEnv env;
  env.scratch().write("pics/a.gif", "GIF89a");
  const CliRun run = RunCli({"--view", env.scratch().file("pics")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Error: Could not detect a Web browser!"), std::string::npos) << run.err;
}

TEST(CliView, BrowserThatCannotStartFailsTheRun) {
  BrowserTestEnv env;
  env.scratch().write("pics/a.gif", "GIF89a");
  // Executable, but its interpreter does not exist: the start fails.
  const std::string broken = env.scratch().write("bin/x-www-browser", "#!/no/such/shell\n");
  std::filesystem::permissions(broken, std::filesystem::perms::owner_all);
  const CliRun run = RunCli({"--view", env.scratch().file("pics")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Could not execute \"" + broken + "\"!"), std::string::npos) << run.err;
}

// The browser comes from the settings exactly as the window takes it.
class CliSettingsView : public ::testing::Test {
 protected:
  CliSettingsView() {
    env.scratch().write("pics/a.gif", "GIF89a");
    named = env.AddFakeBrowser("opt/netscape/navigator");
    registered = env.AddFakeBrowser("bin/x-www-browser");
  }
  std::string Settings(const std::string& options) {
    return env.scratch().write("settings.ini", "[Options]\n" + options);
  }
  CliRun View(const std::string& settings) {
    return RunCli({"--settings", settings, "--view", env.scratch().file("pics")});
  }
  std::string Url() const { return "file://" + env.scratch().file("pics/images.htm"); }

  BrowserTestEnv env;
  std::string named;
  std::string registered;
};

TEST_F(CliSettingsView, TheNamedBrowserIsStartedWithoutDde) {
  DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", "text:ok"}});
  ASSERT_TRUE(peer.Ready());
  const CliRun run = View(Settings("BrowserName=" + named + "\nUseRegSettings=0\n"));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(env.WaitForLaunch(named), Args{Url()});
  EXPECT_TRUE(peer.Requests().empty());
  EXPECT_TRUE(env.NeverLaunched(registered));
}

TEST_F(CliSettingsView, ANamedBrowserWithDdeIsAskedFirst) {
  DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", "text:ok"}});
  ASSERT_TRUE(peer.Ready());
  // Without UseRegSettings a named browser counts as chosen without DDE; with
  // it set by hand the running browser takes the page.
  const CliRun run = View(Settings("BrowserName=" + named + "\nUseRegSettings=1\n"));
  EXPECT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(peer.Requests().size(), 2u);
  EXPECT_EQ(peer.Requests()[0], "WWW_OpenURL\t\"" + Url() + "\",,0xFFFFFFFF,0x0,,,,");
  EXPECT_TRUE(env.NeverLaunched(named));
  EXPECT_TRUE(env.NeverLaunched(registered));
}

TEST_F(CliSettingsView, NoNameMeansTheRegisteredBrowser) {
  const CliRun run = View(Settings("BrowserName=\nUseRegSettings=0\n"));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(env.WaitForLaunch(registered), Args{Url()});
  EXPECT_TRUE(env.NeverLaunched(named));
}

// The built program, its output read through a pipe as `out=$(...)` does:
// the pipe ends when pixdeck-cli ends, while the browser still runs, and
// nothing the browser writes arrives there.
TEST(CliViewProgram, OutputEndsWithTheProgramNotTheBrowser) {
  BrowserTestEnv env;
  env.scratch().write("pics/a.gif", "GIF89a");
  const std::string browser = env.scratch().write(
      "bin/x-www-browser",
      "#!/bin/sh\necho browser chatter\necho more chatter >&2\necho $$ > \"$0.pid\"\n"
      "exec /bin/sleep 30\n");
  std::filesystem::permissions(browser, std::filesystem::perms::owner_all);
  const std::string settings = env.scratch().write("settings.ini", "[Options]\n");
  const std::string command = std::string("'") + PIXDECK_CLI_PATH + "' --settings '" + settings +
                              "' --view '" + env.scratch().file("pics") + "' 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[4096];
  while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) {
    out.append(buffer, n);
  }
  const int status = ::pclose(pipe);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << out;
  EXPECT_EQ(out, "page: " + env.scratch().file("pics/images.htm") + "\ncount: 1\n");
  std::vector<std::string> pid;
  for (int i = 0; i < 500 && pid.empty(); ++i) {
    pid = test::ReadLines(browser + ".pid");
    if (pid.empty()) {
      ::usleep(10000);
    }
  }
  ASSERT_EQ(pid.size(), 1u);
  const pid_t browserPid = static_cast<pid_t>(std::stol(pid[0]));
  EXPECT_EQ(::kill(browserPid, 0), 0) << "the browser was still running";
  ::kill(browserPid, SIGTERM);
}

}  // namespace
}  // namespace pixdeck
