// pixdeck-cli's light pages, run as a user would: --light and --no-light, the
// settings' default, and files that cannot be read by the user who runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "command_run.h"
#include "scratch_dir.h"

namespace {

namespace fs = std::filesystem;
using pixdeck::test::RunShell;
using pixdeck::test::ScratchDir;
using Outcome = pixdeck::test::CommandOutcome;
using pixdeck::test::ShellQuoted;

class CliLight : public ::testing::Test {
 protected:
  void SetUp() override {
    pics_ = dir_.file("pics");
    fs::create_directories(pics_);
    fs::copy_file(fs::path(PIXDECK_PICTURE_SAMPLES) / "turned8-be.jpg", fs::path(pics_) / "a.jpg");
    fs::copy_file(fs::path(PIXDECK_PICTURE_SAMPLES) / "gif.gif", fs::path(pics_) / "b.gif");
  }
  // Runs pixdeck-cli with the settings file holding options and returns the page.
  std::string Page(const std::string& options, const std::string& arguments) {
    const std::string settings = dir_.write("settings.ini", "[Options]\n" + options);
    const Outcome run =
        RunShell(ShellQuoted(PIXDECK_CLI_PATH) + " --settings " + ShellQuoted(settings) + " " +
                 arguments + " " + ShellQuoted(pics_));
    EXPECT_EQ(run.status, 0) << run.out;
    return ScratchDir::read(dir_.file("pics/images.htm"));
  }
  static bool IsLight(const std::string& page) {
    return page.find(R"(<IMG SRC="a.jpg" WIDTH=3 HEIGHT=5 LOADING="lazy" DECODING="async">)") !=
               std::string::npos &&
           page.find(R"(<IMG SRC="b.gif" WIDTH=5 HEIGHT=3 LOADING="lazy" DECODING="async">)") !=
               std::string::npos;
  }
  static bool IsPlain(const std::string& page) {
    return page.find(R"(<IMG SRC="a.jpg"><BR>)") != std::string::npos &&
           page.find("LOADING") == std::string::npos;
  }

  ScratchDir dir_;
  std::string pics_;
};

TEST_F(CliLight, TheCommandLineWinsAndOtherwiseTheSettingsDecide) {
  EXPECT_TRUE(IsPlain(Page("", "")));
  EXPECT_TRUE(IsLight(Page("", "--light")));
  EXPECT_TRUE(IsLight(Page("LightPages=1\n", "")));
  EXPECT_TRUE(IsPlain(Page("LightPages=1\n", "--no-light")));
  EXPECT_TRUE(IsLight(Page("LightPages=0\n", "--light")));
  EXPECT_TRUE(IsLight(Page("", "--no-light --light")));  // the last one given
  EXPECT_TRUE(IsPlain(Page("", "--light --no-light")));
  const Outcome bad =
      RunShell(ShellQuoted(PIXDECK_CLI_PATH) + " --light=maybe " + ShellQuoted(pics_));
  EXPECT_EQ(bad.status, 2) << bad.out;
}

TEST_F(CliLight, FilesTheUserCannotReadAreListedWithoutASize) {
  if (geteuid() != 0) {
    GTEST_SKIP() << "needs root to run the program as another user";
  }
  dir_.write("pics/secret.jpg", "");
  fs::copy_file(fs::path(PIXDECK_PICTURE_SAMPLES) / "png.png", fs::path(pics_) / "hidden.jpg");
  fs::permissions(fs::path(pics_) / "hidden.jpg", fs::perms::none);
  fs::permissions(pics_, fs::perms::all);  // the page goes beside them
  const std::string settings = dir_.write("settings.ini", "[Options]\nLightPages=1\n");
  const Outcome run = RunShell("setpriv --reuid=65534 --regid=65534 --clear-groups " +
                               ShellQuoted(PIXDECK_CLI_PATH) + " --settings " +
                               ShellQuoted(settings) + " -s '*.jpg;*.gif' " + ShellQuoted(pics_));
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "page: " + dir_.file("pics/images.htm") + "\ncount: 4\n");
  const std::string page = ScratchDir::read(dir_.file("pics/images.htm"));
  EXPECT_TRUE(IsLight(page)) << page;
  EXPECT_NE(page.find(R"(<IMG SRC="hidden.jpg" LOADING="lazy" DECODING="async"><BR>)"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find(R"(<IMG SRC="secret.jpg" LOADING="lazy" DECODING="async"><BR>)"),
            std::string::npos)
      << page;
}

}  // namespace
