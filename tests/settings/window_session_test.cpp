// A window's settings for one run: what it loads for the window to show, how
// its saves merge, and the close step.
#include <fstream>

#include "recording_messages.h"
#include "settings/program_options.h"
#include "settings/window_session.h"
#include "settings_fixture.h"
#include "util/temp_files.h"

namespace pixdeck::test {
namespace {

class WindowSessionTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    CurrentOptions() = ProgramOptions{};
    designed_.defaultDir = dir_.path().string();
    designed_.specs = {"*.gif;*.jpg", "*.gif"};
    designed_.outputNames = {"images.htm"};
  }
  void TearDown() override {
    CurrentOptions() = ProgramOptions{};
    SettingsTest::TearDown();
  }

  WindowSettings designed_;
  RecordingMessages messages_;
};

TEST_F(WindowSessionTest, ListsTheSettingsLackStayWithTheWindowAndSavesKeepTheirOrder) {
  const std::string ini = dir_.write(
      "pixdeck.INI", "[Options]\nOutputName=page.htm\n[Patterns]\nItemCount=1\nItem_1=tile.gif\n");
  WindowSession session;
  session.Open(ini, messages_);
  EXPECT_TRUE(session.IsOpen());
  EXPECT_EQ(session.Name(), ini);
  int configured = 0;
  const WindowSettings shown = session.Load(
      designed_, [&](const std::string&, bool) { ++configured; }, messages_);
  EXPECT_EQ(configured, 1);
  EXPECT_EQ(CurrentOptions().outputName, "page.htm");
  EXPECT_TRUE(shown.specs.empty());  // the window keeps its designed list
  EXPECT_EQ(shown.patterns, std::vector<std::string>{"tile.gif"});
  EXPECT_EQ(shown.defaultDir, designed_.defaultDir);
  EXPECT_TRUE(messages_.shown.empty());

  WindowSettings now = designed_;
  now.specs.insert(now.specs.begin(), "*.png");
  now.patterns = {"tile.gif"};
  EXPECT_EQ(session.Close(now), "");
  EXPECT_TRUE(session.IsClosed());
  EXPECT_EQ(session.Close(now), "");  // once only

  WindowSession again;
  again.Open(ini, messages_);
  const WindowSettings reloaded = again.Load(designed_, {}, messages_);
  EXPECT_EQ(reloaded.specs, (std::vector<std::string>{"*.png", "*.gif;*.jpg", "*.gif"}));
  (void)again.Close(reloaded);  // nothing to check: the same state again
}

TEST_F(WindowSessionTest, CloseDeletesTheTemporaryPagesEvenWhenTheSaveFails) {
  const std::string page = dir_.write("pdk1.htm", "<HTML>");
  RegisterTempFile(page);
  // A settings file that is a folder is reported once and never written.
  const std::string folder = dir_.file("folder.INI");
  std::filesystem::create_directories(folder);
  WindowSession session;
  session.Open(folder, messages_);
  EXPECT_EQ(messages_.shown.size(), 1u);
  (void)session.Load(designed_, {}, messages_);
  (void)session.Close(designed_);  // whatever the store says, the page goes
  EXPECT_FALSE(std::filesystem::exists(page));
  EXPECT_TRUE(std::filesystem::is_directory(folder));
}

}  // namespace
}  // namespace pixdeck::test
