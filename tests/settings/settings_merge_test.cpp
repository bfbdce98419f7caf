// Two runs of the program on one settings file: each save writes what its run
// changed and keeps what the other wrote; saves never overlap.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/save_lock.h"
#include "settings/ini_text.h"
#include "settings/program_settings.h"
#include "settings_fixture.h"
#include "text/utf8_path.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>
#endif

namespace pixdeck {
namespace {

using test::ScratchDir;

class SettingsMerge : public test::SettingsTest {
 protected:
  std::string File() const { return dir_.file("pixdeck.INI"); }
  IniText Saved() const { return IniText(ScratchDir::read(File())); }
  std::vector<std::string> SavedList(const char* section) const {
    std::vector<std::string> list;
    const IniText text = Saved();
    const int count = std::stoi(text.Find(section, "ItemCount").value_or("0"));
    for (int i = 1; i <= count; ++i) {
      list.push_back(text.Find(section, "Item_" + std::to_string(i)).value_or("?"));
    }
    return list;
  }

  // One run's start: the store opened and the settings loaded.
  struct Run {
    std::unique_ptr<TRegOrIni> store;
    ProgramOptions options;
    WindowSettings window;
    SettingsBaseline baseline;
  };
  Run Start() {
    Run run;
    run.store = OpenSettingsStore(File());
    run.window.defaultDir = Utf8FromPath(dir_.path());
    run.window.specs = {"*.gif;*.jpg", "*.gif", "*.jpg"};
    LoadProgramSettings(*run.store, run.options, run.window, nullptr, &run.baseline);
    return run;
  }
  static bool Save(Run& run) {
    return SaveProgramSettings(*run.store, run.options, run.window, &run.baseline);
  }
};

TEST(HistoryMerge, NewEntriesGoInFrontOfTheStoredListWithoutRepeatsAndWithinTheLimit) {
  using List = std::vector<std::string>;
  // Nothing new: the stored list as it is.
  EXPECT_EQ(MergeHistory({"a", "b"}, {"a", "b"}, {"x", "a", "b"}), (List{"x", "a", "b"}));
  // This run's new entries first; an entry the other run added too (in
  // another letter case) is kept once.
  EXPECT_EQ(MergeHistory({"N2", "n1", "a"}, {"a"}, {"X", "N1", "a"}), (List{"N2", "n1", "X", "a"}));
  // Nothing stored: the run's whole list.
  EXPECT_EQ(MergeHistory({"d1", "d2"}, {"d1", "d2"}, {}), (List{"d1", "d2"}));
  List many;
  for (int i = 0; i < 12; ++i) {
    many.push_back("s" + std::to_string(i));
  }
  const List merged = MergeHistory({"new"}, {}, many);
  ASSERT_EQ(merged.size(), static_cast<std::size_t>(kHistoryMaxCount));
  EXPECT_EQ(merged.front(), "new");
  EXPECT_EQ(merged.back(), "s8");
}

TEST_F(SettingsMerge, ASaveKeepsWhatAnotherRunWroteAndWritesWhatThisRunChanged) {
  dir_.write("pixdeck.INI",
             "[Options]\nOutputName=first.htm\nBgColor=Red\n[Specs]\nItemCount=1\nItem_1=*.gif\n");
  Run a = Start();
  Run b = Start();
  b.options.bgColor = "Navy";
  b.window.specs.insert(b.window.specs.begin(), "*.png");
  ASSERT_TRUE(Save(b));
  // A changed the page name and added a pattern, nothing else.
  a.options.outputName = "second.htm";
  a.window.patterns = {"back.gif"};
  ASSERT_TRUE(Save(a));

  const IniText saved = Saved();
  EXPECT_EQ(saved.Find("Options", "BgColor"), "Navy");
  EXPECT_EQ(saved.Find("Options", "OutputName"), "second.htm");
  EXPECT_EQ(SavedList("Specs"), (std::vector<std::string>{"*.png", "*.gif"}));
  EXPECT_EQ(SavedList("Patterns"), std::vector<std::string>{"back.gif"});
  // Every key of the layout is there, also those neither run changed.
  EXPECT_EQ(saved.Find("Options", "UrlBaseName"), "file:///");
  EXPECT_EQ(saved.Find("Options", "LightPages"), "0");

  // A's second save (the Options dialog, then the exit) adds nothing twice.
  a.window.specs.insert(a.window.specs.begin(), "*.bmp");
  ASSERT_TRUE(Save(a));
  ASSERT_TRUE(Save(a));
  EXPECT_EQ(SavedList("Specs"), (std::vector<std::string>{"*.bmp", "*.png", "*.gif"}));
  EXPECT_EQ(Saved().Find("Options", "BgColor"), "Navy");
}

TEST_F(SettingsMerge, HandCommentsInTheHistorySectionsSurviveASave) {
  const std::string original =
      "[Specs]\n; my favourite first\nItemCount=2\nItem_1=*.gif\n"
      "; keep the jpegs\nItem_2=*.jpg\nItem_3=left over\n\n[Patterns]\n;empty for now\n";
  dir_.write("pixdeck.INI", original);
  Run run = Start();
  run.window.specs.insert(run.window.specs.begin(), "*.png");
  run.window.patterns = {"a.gif"};
  ASSERT_TRUE(Save(run));
  const std::string text = ScratchDir::read(File());
  EXPECT_EQ(text.substr(0, text.find("[Options]")),
            "[Specs]\n; my favourite first\nItemCount=3\nItem_1=*.png\n"
            "; keep the jpegs\nItem_2=*.gif\nItem_3=*.jpg\n\n[Patterns]\n;empty for now\n"
            "ItemCount=1\nItem_1=a.gif\n\n");
}

#ifndef _WIN32
// Runs body in a child process; true when it ended with status 0.
template <typename Body>
pid_t Fork(Body body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    int status = 1;
    try {
      status = body() ? 0 : 1;
    } catch (...) {
      status = 3;
    }
    ::_exit(status);
  }
  return pid;
}

bool Succeeded(pid_t pid) {
  int status = 0;
  return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

void WaitForFile(const std::string& path) {
  for (int i = 0; i < 2000 && !std::filesystem::exists(path); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

TEST_F(SettingsMerge, TwoProcessesOnOneFileLoseNothingOfEachOther) {
  dir_.write("pixdeck.INI", "[Options]\nBgColor=Red\n[Specs]\nItemCount=1\nItem_1=*.gif\n");
  const std::string loaded = dir_.file("a-loaded");
  const std::string bSaved = dir_.file("b-saved");
  // Window A starts, then waits while window B changes an option, adds a
  // specification and saves; A then exits without having changed anything.
  const pid_t a = Fork([&] {
    Run run = Start();
    dir_.write("a-loaded", "");
    WaitForFile(bSaved);
    return Save(run);
  });
  WaitForFile(loaded);
  const pid_t b = Fork([&] {
    Run run = Start();
    run.options.bgColor = "Navy";
    run.window.specs.insert(run.window.specs.begin(), "*.png");
    const bool saved = Save(run);
    dir_.write("b-saved", "");
    return saved;
  });
  EXPECT_TRUE(Succeeded(b));
  EXPECT_TRUE(Succeeded(a));
  EXPECT_EQ(Saved().Find("Options", "BgColor"), "Navy");
  EXPECT_EQ(SavedList("Specs"), (std::vector<std::string>{"*.png", "*.gif"}));
}

TEST_F(SettingsMerge, SavesOfManyProcessesAtOnceAllArrive) {
  dir_.write("pixdeck.INI", "[Specs]\nItemCount=1\nItem_1=*.gif\n");
  // Five processes that each start, add one specification and save, twice,
  // all at the same time: ten new entries, the list's limit.
  std::vector<pid_t> children;
  for (int p = 0; p < 5; ++p) {
    children.push_back(Fork([&, p] {
      for (int round = 0; round < 2; ++round) {
        Run run = Start();
        run.window.specs.insert(run.window.specs.begin(),
                                "p" + std::to_string(p) + "r" + std::to_string(round));
        if (!Save(run)) {
          return false;
        }
      }
      return true;
    }));
  }
  for (const pid_t child : children) {
    EXPECT_TRUE(Succeeded(child));
  }
  std::vector<std::string> list = SavedList("Specs");
  std::sort(list.begin(), list.end());
  EXPECT_EQ(list, (std::vector<std::string>{"p0r0", "p0r1", "p1r0", "p1r1", "p2r0", "p2r1", "p3r0",
                                            "p3r1", "p4r0", "p4r1"}));
}

TEST_F(SettingsMerge, ASaveWaitsForTheOneThatHoldsTheLock) {
  const std::string locked = dir_.file("locked");
  const std::string released = dir_.file("released");
  const pid_t holder = Fork([&] {
    const platform::SaveLock lock(File());
    dir_.write("locked", "");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    dir_.write("released", "");
    return lock.Held();
  });
  WaitForFile(locked);
  {
    const platform::SaveLock lock(File());
    EXPECT_TRUE(lock.Held());
    EXPECT_TRUE(std::filesystem::exists(released)) << "the lock was had while the other held it";
    // The same process may take it again inside (a store saving in a save).
    const platform::SaveLock nested(File(), 100);
    EXPECT_TRUE(nested.Held());
  }
  EXPECT_TRUE(Succeeded(holder));
}
#endif

}  // namespace
}  // namespace pixdeck
