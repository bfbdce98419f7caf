// pixdeck-cli's galleries, run as a user would: --gallery and --no-gallery,
// the settings' default, the sizes, and second runs that make no thumbnail.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>

#include "command_run.h"
#include "scratch_dir.h"

namespace {

namespace fs = std::filesystem;
using pixdeck::test::RunShell;
using pixdeck::test::ScratchDir;
using Outcome = pixdeck::test::CommandOutcome;
using pixdeck::test::ShellQuoted;

class CliGallery : public ::testing::Test {
 protected:
  void SetUp() override {
    pics_ = dir_.file("pics");
    fs::create_directories(pics_);
    const fs::path gallery = fs::path(PIXDECK_PICTURE_SAMPLES) / "gallery";
    for (int i = 0; i < 5; ++i) {
      fs::copy_file(gallery / "photo.jpg", fs::path(pics_) / ("p" + std::to_string(i) + ".jpg"));
    }
    fs::copy_file(gallery / "alpha.png", fs::path(pics_) / "alpha.png");
    fs::copy_file(gallery / "text.jpg", fs::path(pics_) / "text.jpg");
  }
  Outcome Run(const std::string& options, const std::string& arguments) {
    const std::string settings = dir_.write("settings.ini", "[Options]\n" + options);
    return RunShell(ShellQuoted(PIXDECK_CLI_PATH) + " --settings " + ShellQuoted(settings) +
                    " -s '*.jpg;*.png' " + arguments + " " + ShellQuoted(pics_));
  }
  std::string Page(const std::string& name = "images.htm") const {
    return ScratchDir::read(dir_.file("pics/" + name));
  }
  static bool IsGallery(const std::string& page) {
    return page.rfind("<!DOCTYPE html>", 0) == 0 &&
           page.find("<meta name=\"generator\" content=\"Pixdeck gallery\">") != std::string::npos;
  }

  ScratchDir dir_;
  std::string pics_;
};

TEST_F(CliGallery, TheCommandLineWinsAndOtherwiseTheSettingsDecide) {
  const std::string pagePath = dir_.file("pics/images.htm");
  Outcome run = Run("", "");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "page: " + pagePath + "\ncount: 7\n") << "no terminal: no progress";
  const std::string plain = Page();
  EXPECT_FALSE(IsGallery(plain));
  EXPECT_FALSE(fs::exists(dir_.path() / "pics" / "images_files"));

  run = Run("", "--gallery");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "page: " + pagePath + "\ncount: 7\nthumbnails made: 7\n");
  EXPECT_TRUE(IsGallery(Page()));
  // Off again: the plain page byte for byte; light pages are the light ones.
  ASSERT_EQ(Run("Gallery=1\n", "--no-gallery").status, 0);
  EXPECT_EQ(Page(), plain);
  ASSERT_EQ(Run("Gallery=1\n", "").status, 0);
  EXPECT_TRUE(IsGallery(Page()));
  ASSERT_EQ(Run("Gallery=1\n", "--gallery --no-gallery").status, 0);
  EXPECT_EQ(Page(), plain);

  EXPECT_EQ(Run("", "--gallery --thumbnail-size 8").status, 2);
  EXPECT_EQ(Run("", "--gallery --page-size 0").status, 2);
  EXPECT_EQ(Run("", "--gallery=maybe").status, 2);
}

TEST_F(CliGallery, SecondRunsMakeOnlyWhatChangedAndSizesComeFromSettingsOrOptions) {
  Outcome run = Run("Gallery=1\nThumbnailSize=100\nGalleryPageSize=3\n", "");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("thumbnails made: 7\n"), std::string::npos) << run.out;
  EXPECT_TRUE(IsGallery(Page("images-3.htm")));
  EXPECT_FALSE(fs::exists(dir_.path() / "pics" / "images-4.htm"));
  EXPECT_NE(Page().find("width=\"100\" height=\"75\""), std::string::npos);
  EXPECT_NE(Page("images-3.htm").find("<span>page 3 of 3</span>"), std::string::npos);

  run = Run("Gallery=1\nThumbnailSize=100\nGalleryPageSize=3\n", "");
  EXPECT_NE(run.out.find("thumbnails made: 0\n"), std::string::npos) << run.out;

  fs::copy_file(fs::path(PIXDECK_PICTURE_SAMPLES) / "gallery" / "alpha.png",
                fs::path(pics_) / "p2.jpg", fs::copy_options::overwrite_existing);
  run = Run("Gallery=1\nThumbnailSize=100\n", "--page-size 500");
  EXPECT_NE(run.out.find("thumbnails made: 1\n"), std::string::npos) << run.out;
  EXPECT_FALSE(fs::exists(dir_.path() / "pics" / "images-2.htm")) << "stale pages go";

  run = Run("Gallery=1\nThumbnailSize=100\n", "--thumbnail-size 50");
  EXPECT_NE(run.out.find("thumbnails made: 7\n"), std::string::npos) << run.out;
  EXPECT_NE(Page().find("width=\"50\" height=\"38\""), std::string::npos);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& item :
       fs::directory_iterator(dir_.path() / "pics" / "images_files")) {
    ++files;
  }
  EXPECT_EQ(files, 7u) << "the thumbnails of the earlier size are gone";
}

// Killed at any moment, the program leaves the earlier page whole, every
// thumbnail whole and nothing temporary; the next run finishes the work.
TEST_F(CliGallery, AKilledRunLeavesOnlyWholeFiles) {
  ASSERT_EQ(Run("", "--gallery").status, 0);
  const std::string before = Page();
  for (int i = 0; i < 300; ++i) {
    fs::copy_file(fs::path(PIXDECK_PICTURE_SAMPLES) / "gallery" / "progressive.jpg",
                  fs::path(pics_) / ("more" + std::to_string(i) + ".jpg"));
  }
  const std::string settings = dir_.write("settings.ini", "[Options]\n");
  int killed = 0;
  for (const int delayMs : {150, 400}) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const std::string size = std::to_string(100 + delayMs);  // new thumbnails every time
      execl(PIXDECK_CLI_PATH, PIXDECK_CLI_PATH, "--settings", settings.c_str(), "--gallery",
            "--thumbnail-size", size.c_str(), "-s", "*.jpg;*.png", pics_.c_str(),
            static_cast<char*>(nullptr));
      _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFSIGNALED(status)) {
      continue;  // finished before the kill: nothing to look at
    }
    ++killed;
    EXPECT_EQ(Page(), before) << "killed after " << delayMs << " ms";
    for (const auto& item : fs::directory_iterator(dir_.path() / "pics" / "images_files")) {
      const std::string name = item.path().filename().string();
      EXPECT_TRUE(
          std::regex_match(name, std::regex("t[0-9a-f]{16}(-\\d+x\\d+\\.(jpg|png)|\\.none)")))
          << name;
      if (name.find(".none") == std::string::npos) {
        EXPECT_GT(fs::file_size(item.path()), 100u) << name;
      }
    }
    for (const auto& item : fs::directory_iterator(dir_.path() / "pics")) {
      EXPECT_EQ(item.path().filename().string().find(".pdk"), std::string::npos);
    }
  }
  EXPECT_GE(killed, 1) << "300 thumbnails took less than 150 ms";
  const Outcome after = Run("", "--gallery --thumbnail-size 500");
  EXPECT_EQ(after.status, 0) << after.out;
  EXPECT_NE(after.out.find("count: 307\n"), std::string::npos) << after.out;
}

// Progress is for a person at a terminal: under a pseudo-terminal (script)
// it shows on standard error, and never in a pipe (the tests above).
TEST_F(CliGallery, ProgressShowsOnATerminalOnly) {
  const std::string settings = dir_.write("settings.ini", "[Options]\nGallery=1\n");
  const std::string command = ShellQuoted(PIXDECK_CLI_PATH) + " --settings " +
                              ShellQuoted(settings) + " -s '*.jpg;*.png' " + ShellQuoted(pics_);
  const Outcome run = RunShell("script -qec " + ShellQuoted(command) + " /dev/null");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("\rpixdeck-cli: thumbnails: 7 of 7"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("count: 7"), std::string::npos) << run.out;
}

}  // namespace
