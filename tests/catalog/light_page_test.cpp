// Light pages: every picture loads as it scrolls into view and carries the
// size its header gives; nothing else on the page changes.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "catalog/catalog_run.h"
#include "catalog/page_writer.h"
#include "page_lines.h"
#include "recording_messages.h"
#include "scratch_dir.h"
#include "util/paths.h"

namespace pixdeck {
namespace {

namespace fs = std::filesystem;
using test::kFootLines;
using test::kHeadLines;
using test::PageLines;
using test::RecordingMessages;
using test::ScratchDir;

TEST(LightPageWriter, EntriesCarryTheSizeWhenKnownAndAlwaysLoadLazily) {
  PageWriter writer("file:///", PathStyle::Windows);
  writer.SetPageInScanDir(true);
  writer.WritePageHeader("C:\\PICS", "C:\\PICS\\*.jpg", "", "");
  const std::size_t headEnd = writer.Text().size();
  writer.WriteLightPageEntry("a.jpg", 1234, PictureSize{640, 480});
  writer.WriteLightPageEntry("b & #1.jpg", 7, std::nullopt);
  writer.WritePageEntry("c.jpg", 9);
  const std::vector<std::string> lines = PageLines(writer.Text().substr(headEnd));
  const std::vector<std::string> expected = {
      R"(<IMG SRC="a.jpg" WIDTH=640 HEIGHT=480 LOADING="lazy" DECODING="async"><BR>a.jpg (1234 bytes)<P>)",
      R"(<IMG SRC="b &amp; %231.jpg" LOADING="lazy" DECODING="async"><BR>b &amp; #1.jpg (7 bytes)<P>)",
      R"(<IMG SRC="c.jpg"><BR>c.jpg (9 bytes)<P>)",
  };
  // The plain entry encodes a name the same way: only the attributes differ.
  PageWriter plain("file:///", PathStyle::Windows);
  plain.SetPageInScanDir(true);
  plain.WritePageEntry("b & #1.jpg", 7);
  EXPECT_EQ(PageLines(plain.Text()).at(0),
            std::regex_replace(expected[1], std::regex(R"( LOADING="lazy" DECODING="async")"), ""));
  EXPECT_EQ(lines, expected);
}

// A folder of real pictures, a file that only looks like one and a folder
// whose name matches.
class LightCatalog : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"gif.gif", "baseline.jpg", "turned6-le.jpg", "progressive.jpg"}) {
      fs::copy_file(fs::path(PIXDECK_PICTURE_SAMPLES) / name, dir_.path() / name);
    }
    dir_.write("notes.jpg", "not a picture\n");
    fs::create_directories(dir_.path() / "old.gif");
  }

  std::string Run(bool light, const std::string& page) {
    CatalogInputs inputs;
    inputs.directory = dir_.path().string();
    inputs.outputName = page;
    inputs.lightPages = light;
    RecordingMessages messages;
    const CatalogResult result = RunCatalog(inputs, messages);
    EXPECT_EQ(result.status, CatalogStatus::Written);
    EXPECT_EQ(result.count, 6u);
    EXPECT_TRUE(messages.shown.empty());
    return ScratchDir::read(result.pagePath);
  }

  ScratchDir dir_;
};

TEST_F(LightCatalog, EveryPictureGetsItsSizeAndTheRestOfThePageStaysAsItIs) {
  const std::string light = Run(true, "light.htm");
  const std::string plain = Run(false, "plain.htm");
  const std::vector<std::string> lines = PageLines(light);
  ASSERT_EQ(lines.size(), kHeadLines + 6 + kFootLines);
  const std::vector<std::string> entries(lines.begin() + kHeadLines, lines.end() - kFootLines);
  const std::string lazy = R"( LOADING="lazy" DECODING="async")";
  const auto size = [](const fs::path& p) { return std::to_string(fs::file_size(p)); };
  const fs::path d = dir_.path();
  const std::vector<std::string> expected = {
      R"(<IMG SRC="baseline.jpg" WIDTH=5 HEIGHT=3)" + lazy + "><BR>baseline.jpg (" +
          size(d / "baseline.jpg") + " bytes)<P>",
      R"(<IMG SRC="gif.gif" WIDTH=5 HEIGHT=3)" + lazy + "><BR>gif.gif (" + size(d / "gif.gif") +
          " bytes)<P>",
      R"(<IMG SRC="notes.jpg")" + lazy + "><BR>notes.jpg (14 bytes)<P>",
      // The folder keeps the size the search reports for it.
      R"(<IMG SRC="old.gif")" + lazy + "><BR>old.gif (",
      R"(<IMG SRC="progressive.jpg" WIDTH=5 HEIGHT=3)" + lazy + "><BR>progressive.jpg (" +
          size(d / "progressive.jpg") + " bytes)<P>",
      R"(<IMG SRC="turned6-le.jpg" WIDTH=3 HEIGHT=5)" + lazy + "><BR>turned6-le.jpg (" +
          size(d / "turned6-le.jpg") + " bytes)<P>",
  };
  ASSERT_EQ(entries.size(), expected.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i == 3) {
      EXPECT_EQ(entries[i].rfind(expected[i], 0), 0u) << entries[i];
    } else {
      EXPECT_EQ(entries[i], expected[i]);
    }
  }

  // Without the option not one attribute is added, and with the attributes
  // taken out the light page is the plain one, byte for byte.
  EXPECT_EQ(plain.find("LOADING"), std::string::npos);
  EXPECT_EQ(plain.find("WIDTH="), std::string::npos);
  const std::string stripped = std::regex_replace(
      light, std::regex(R"(( WIDTH=\d+ HEIGHT=\d+)? LOADING="lazy" DECODING="async")"), "");
  EXPECT_EQ(stripped, plain);
}

// Light pages learn file sizes from opening the files: every size on the page
// stays what the plain page says, for links, dangling links, files this user
// may not read and matches of a pattern with a folder part.
TEST(LightCatalogSizes, AreThoseOfThePlainPage) {
  ScratchDir dir;
  fs::copy_file(fs::path(PIXDECK_PICTURE_SAMPLES) / "gif.gif", dir.path() / "a.gif");
  dir.write("locked.gif", "no reading this");
  fs::permissions(dir.path() / "locked.gif", fs::perms::none);
  fs::create_directories(dir.path() / "sub");
  dir.write("sub/deep.gif", "a file one folder down");
#ifndef _WIN32
  fs::create_symlink("a.gif", dir.path() / "link.gif");
  fs::create_symlink("no/such/target.gif", dir.path() / "dangling.gif");
#endif
  const auto run = [&](bool light) {
    CatalogInputs inputs;
    inputs.directory = dir.path().string();
    inputs.specs = "*.gif;sub" + std::string(1, SeparatorOf(kNativeStyle)) + "*.gif";
    inputs.outputName = light ? "light.htm" : "plain.htm";
    inputs.lightPages = light;
    RecordingMessages messages;
    const CatalogResult result = RunCatalog(inputs, messages);
    EXPECT_EQ(result.status, CatalogStatus::Written);
    return std::pair(result.count, ScratchDir::read(result.pagePath));
  };
  const auto [plainCount, plain] = run(false);
  const auto [lightCount, light] = run(true);
  fs::permissions(dir.path() / "locked.gif", fs::perms::owner_all);
  EXPECT_EQ(lightCount, plainCount);
  EXPECT_NE(plain.find("(22 bytes)"), std::string::npos);  // sub/deep.gif
  EXPECT_NE(plain.find("locked.gif (15 bytes)"), std::string::npos);
  const std::string stripped = std::regex_replace(
      light, std::regex(R"(( WIDTH=\d+ HEIGHT=\d+)? LOADING="lazy" DECODING="async")"), "");
  EXPECT_EQ(stripped, plain);
}

}  // namespace
}  // namespace pixdeck
