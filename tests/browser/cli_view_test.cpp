// pixdeck-cli --view: the written page goes through the page viewer.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "browser_test_env.h"
#include "cli/cli_app.h"

namespace pixdeck {
namespace {

using test::BrowserTestEnv;
using Args = std::vector<std::string>;

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun RunCli(std::vector<std::string> args) {
  args.insert(args.begin(), "pixdeck-cli");
  std::vector<const char*> argv;
  for (const std::string& arg : args)
    argv.push_back(arg.c_str());
  std::ostringstream out, err;
  const int status = cli::RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
  return {status, out.str(), err.str()};
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

}  // namespace
}  // namespace pixdeck
