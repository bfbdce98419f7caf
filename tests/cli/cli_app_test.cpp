#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "scratch_dir.h"
#include "util/paths.h"
#include "util/version.h"

namespace pixdeck::cli {
namespace {

using test::ScratchDir;

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

CliRun RunWith(std::vector<std::string> args) {
  args.insert(args.begin(), "pixdeck-cli");
  std::vector<const char*> argv;
  argv.reserve(args.size());
  for (const auto& arg : args) {
    argv.push_back(arg.c_str());
  }
  std::ostringstream out;
  std::ostringstream err;
  CliRun run;
  run.status = RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// The folder as a web URL's path below the server's folder: without a drive,
// with "/" between its parts, and a trailing "/".
std::string WebPathOf(const ScratchDir& dir) {
  std::string path = dir.path().string();
#ifdef _WIN32
  path = path.substr(2);
  std::replace(path.begin(), path.end(), '\\', '/');
#endif
  return path + "/";
}

std::size_t LineCount(const std::string& text) {
  std::size_t n = 0;
  for (const char c : text) {
    n += c == '\n';
  }
  return n;
}

TEST(CliApp, WritesThePageAndPrintsItsPathAndCount) {
  ScratchDir dir;
  dir.write("b.gif", "1");
  dir.write("a.JPG", "1");
  const CliRun run = RunWith({dir.path().string()});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_EQ(run.out, "page: " + dir.file("images.htm") + "\ncount: 2\n");
  EXPECT_EQ(run.err, "");
  const std::string page = ScratchDir::read(dir.file("images.htm"));
  EXPECT_NE(
      page.find("<TITLE>Images: " + JoinPath(dir.path().string(), "*.gif;*.jpg") + "</TITLE>"),
      std::string::npos);
}

TEST(CliApp, TakesEveryOption) {
  ScratchDir dir;
  ScratchDir out;
  dir.write("a.png", "1");
  dir.write("b.gif", "1");
  const CliRun run = RunWith({"-s", "*.png", "-o", out.file("p.html"), "-p", "tile.gif", "-c",
                              "navy", "-b", "http://www.example.org/x/", dir.path().string()});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out, "page: " + out.file("p.html") + "\ncount: 1\n");
  const std::string page = ScratchDir::read(out.file("p.html"));
  EXPECT_NE(page.find("<BODY BACKGROUND=\"tile.gif\" BGCOLOR=#000080>"), std::string::npos);
  EXPECT_NE(page.find("<BASE HREF=\"http://www.example.org/x" + WebPathOf(dir) + "\">"),
            std::string::npos);
  EXPECT_NE(page.find("<IMG SRC=\"a.png\">"), std::string::npos);
  EXPECT_EQ(page.find("b.gif"), std::string::npos);
}

TEST(CliApp, LongOptionsAndARelativeFolder) {
  ScratchDir dir;
  dir.write("sub/a.gif", "1");
  const std::string cwd = std::filesystem::current_path().string();
  std::filesystem::current_path(dir.path());
  const CliRun run = RunWith(
      {"--specs=*.gif", "--output", "cat.htm", "--color", "White", "--base", "file:///", "./sub/"});
  std::filesystem::current_path(cwd);
  ASSERT_EQ(run.status, kExitOk) << run.err;
  // The folder is made absolute and loses its trailing separator.
  EXPECT_EQ(run.out, "page: " + dir.file(JoinPath("sub", "cat.htm")) + "\ncount: 1\n");
}

TEST(CliApp, EmptyOutputNameMakesATemporaryPage) {
  ScratchDir dir;
  dir.write("a.gif", "1");
  const CliRun run = RunWith({"-o", "", dir.path().string()});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const std::string prefix = "page: ";
  ASSERT_EQ(run.out.compare(0, prefix.size(), prefix), 0);
  const std::string path = run.out.substr(prefix.size(), run.out.find('\n') - prefix.size());
  EXPECT_EQ(std::filesystem::path(path).extension(), ".htm");
  EXPECT_TRUE(std::filesystem::exists(path));
  std::filesystem::remove(path);
}

TEST(CliApp, NothingFoundGoesToStandardErrorWithStatusOne) {
  ScratchDir dir;
  dir.write("a.png", "1");
  const CliRun run = RunWith({dir.path().string()});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "pixdeck-cli: No files found!\n");
  EXPECT_FALSE(std::filesystem::exists(dir.file("images.htm")));
}

TEST(CliApp, AnUnwritablePageIsReportedWithItsPath) {
  ScratchDir dir;
  dir.write("a.gif", "1");
  const std::string page = dir.file("no such folder/p.htm");
  const CliRun run = RunWith({"-o", page, dir.path().string()});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(LineCount(run.err), 1u);
  EXPECT_NE(run.err.find(page), std::string::npos) << run.err;
}

TEST(CliApp, UsageFaultsGiveOneLineAndStatusTwo) {
  ScratchDir dir;
  dir.write("a.gif", "1");
  const std::string folder = dir.path().string();
  const std::vector<std::vector<std::string>> faults = {
      {"--no-such-option", folder},
      {},                                    // no folder
      {folder, "extra"},                     // two folders
      {"-s"},                                // option without value
      {"-c", "No Such Colour", folder},      // not in the colour table
      {dir.file("missing"), "-s", "*.gif"},  // no such folder
      {dir.file("a.gif")},                   // a file is no folder
      {"-s", "", folder},                    // nothing to search for
  };
  for (const auto& args : faults) {
    const CliRun run = RunWith(args);
    std::string shown;
    for (const auto& arg : args) {
      shown += arg + " ";
    }
    EXPECT_EQ(run.status, kExitUsage) << shown;
    EXPECT_EQ(run.out, "") << shown;
    EXPECT_EQ(LineCount(run.err), 1u) << shown << ": " << run.err;
    EXPECT_EQ(run.err.rfind("pixdeck-cli: ", 0), 0u) << shown << ": " << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("images.htm")));
}

TEST(CliApp, HelpAndVersionPrintToStandardOutput) {
  const CliRun help = RunWith({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  for (const char* option : {"--specs", "--output", "--pattern", "--color", "--base", "--version",
                             "DIRECTORY", "*.gif;*.jpg", "images.htm", "file:///"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  const CliRun version = RunWith({"--version"});
  EXPECT_EQ(version.status, kExitOk);
  EXPECT_EQ(version.out, std::string("pixdeck-cli ") + kVersionText + "\n");
}

}  // namespace
}  // namespace pixdeck::cli
