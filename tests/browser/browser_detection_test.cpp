// Browser state and detection, with the desktop's answers coming from fake
// xdg-mime, desktop entries and programs inside a scratch folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "browser/browser_detection.h"
#include "browser_test_env.h"
#include "platform/shell.h"
#include "recording_messages.h"
#include "test_child.h"
#include "util/paths.h"
#include "util/program_dirs.h"

namespace pixdeck {
namespace {

namespace fs = std::filesystem;
using test::BrowserTestEnv;
using test::RecordingMessages;
using Lines = std::vector<std::string>;

constexpr const char* kNoBrowser = "Error: Could not detect a Web browser!";

TEST(BrowserState, ConfigureWithANameTakesItAsIs) {
  BrowserTestEnv env;
  env.AddXdgMime("should-not-be-asked.desktop");
  RecordingMessages messages;
  ConfigureBrowser("/opt/iexplore/bin/ie", false, messages);
  EXPECT_EQ(BrowserPath(), "/opt/iexplore/bin/ie");
  EXPECT_EQ(BrowserKind(), brExplorer);
  EXPECT_FALSE(UseDde());
  ConfigureBrowser("", false, messages);  // nothing else happens
  EXPECT_EQ(BrowserPath(), "/opt/iexplore/bin/ie");
  EXPECT_TRUE(env.XdgMimeCalls().empty());
  EXPECT_TRUE(messages.shown.empty());
}

// A desktop whose default for text/html is a fake Netscape.
struct RegisteredBrowser {
  explicit RegisteredBrowser(BrowserTestEnv& env, const std::string& watchFile = {}) {
    path = env.AddFakeBrowser("bin/netscape-fake");
    env.AddXdgMime("fake-netscape.desktop", watchFile);
    env.AddDesktopEntry("fake-netscape.desktop", "Exec=netscape-fake %u");
  }
  std::string path;
};

TEST(BrowserDetection, AnHtmlPageIsAskedAboutItself) {
  BrowserTestEnv env;
  const std::string page = env.scratch().write("pics/images.htm", "<html>");
  RegisteredBrowser browser(env, BrowserTestEnv::ProbeInConfigDir());
  RecordingMessages messages;
  EXPECT_TRUE(DetectBrowser(page, messages));
  EXPECT_EQ(BrowserPath(), browser.path);  // the full path, found on PATH
  EXPECT_EQ(BrowserKind(), brNetscape);
  EXPECT_EQ(env.XdgMimeCalls(), Lines{"query default text/html"});  // no probe
  EXPECT_TRUE(messages.shown.empty());
}

TEST(BrowserDetection, OtherPagesNeedNoProbeFile) {
  BrowserTestEnv env;
  const std::string probe = BrowserTestEnv::ProbeInConfigDir();
  const std::string page = env.scratch().write("pics/images.txt", "text");
  RegisteredBrowser browser(env, probe);
  RecordingMessages messages;
  EXPECT_TRUE(DetectBrowser(page, messages));
  EXPECT_EQ(BrowserPath(), browser.path);
  // The desktop knows an HTML page by its name: no probe exists while it is
  // asked, and none is left.
  EXPECT_EQ(env.XdgMimeCalls(), Lines{"query default text/html"});
  EXPECT_FALSE(fs::exists(probe));
}

TEST(BrowserDetection, ALinkNamedLikeTheProbeIsNeverFollowed) {
  BrowserTestEnv env;
  const std::string probe = BrowserTestEnv::ProbeInConfigDir();
  const std::string target = env.scratch().file("elsewhere/created-through-link");
  fs::create_directories(env.scratch().file("elsewhere"));
  fs::create_symlink(target, probe);
  RegisteredBrowser browser(env);
  RecordingMessages messages;
  EXPECT_TRUE(DetectBrowser("", messages));
  EXPECT_EQ(BrowserPath(), browser.path);
  EXPECT_FALSE(fs::exists(target));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(probe)));
  fs::remove(probe);
}

TEST(BrowserDetection, AnExistingProbeIsUsedAndKept) {
  BrowserTestEnv env;
  const std::string probe = BrowserTestEnv::ProbeInConfigDir();
  std::ofstream(probe) << "mine";
  RegisteredBrowser browser(env, probe);
  RecordingMessages messages;
  EXPECT_TRUE(DetectBrowser("", messages));
  EXPECT_EQ(BrowserPath(), browser.path);
  EXPECT_EQ(test::ScratchDir::read(probe), "mine");
}

TEST(BrowserDetection, NothingIsWrittenBesideTheProgram) {
  // The program's folder is the test program's: the case runs from a copy in
  // a folder of its own, which no other run shares or leaves files in.
  if (!test::InChildTestProgram()) {
    EXPECT_EQ(test::RunCurrentCaseInChild(/*unprivileged=*/false), 0);
    return;
  }
  BrowserTestEnv env;
  SetOnCdRom(false);
  const std::string probe = JoinPath(ProgramDir(), "~.HTM");
  ASSERT_FALSE(fs::exists(probe));
  RegisteredBrowser browser(env, probe);
  RecordingMessages messages;
  EXPECT_TRUE(DetectBrowser("page.txt", messages));
  EXPECT_EQ(env.XdgMimeCalls(), Lines{"query default text/html"});
  std::vector<std::string> left;
  for (const auto& item : fs::directory_iterator(ProgramDir())) {
    left.push_back(item.path().filename().string());
  }
  EXPECT_EQ(left, Lines{"test-program"});
}

TEST(BrowserDetection, ASecondDetectionCostsNothing) {
  BrowserTestEnv env;
  const std::string page = env.scratch().write("images.htm", "<html>");
  RegisteredBrowser browser(env);
  RecordingMessages messages;
  ASSERT_TRUE(DetectBrowser(page, messages));
  ASSERT_EQ(env.XdgMimeCalls().size(), 1u);
  EXPECT_TRUE(DetectBrowser(page, messages));
  EXPECT_TRUE(DetectBrowser("other.txt", messages));
  EXPECT_EQ(env.XdgMimeCalls().size(), 1u);
  EXPECT_FALSE(fs::exists(BrowserTestEnv::ProbeInConfigDir()));
}

TEST(BrowserDetection, NoBrowserShowsTheError) {
  BrowserTestEnv env;
  RecordingMessages messages;
  EXPECT_FALSE(DetectBrowser("page.txt", messages));
  EXPECT_EQ(BrowserPath(), "");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kNoBrowser);
  EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
  EXPECT_EQ(messages.warningBeeps, 1);
  EXPECT_FALSE(fs::exists(BrowserTestEnv::ProbeInConfigDir()));
}

TEST(BrowserDetection, ConfigureWithoutANameDetectsAtOnce) {
  BrowserTestEnv env;
  RegisteredBrowser browser(env);
  RecordingMessages messages;
  SetUseDde(false);
  ConfigureBrowser("", true, messages);
  EXPECT_TRUE(UseDde());
  EXPECT_EQ(BrowserPath(), browser.path);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(BrowserDetection, TheProbeNameAloneFindsTheBrowser) {
  BrowserTestEnv env;
  RegisteredBrowser browser(env);
  // Even where no probe could be made.
  EXPECT_EQ(FindExecutableViaProbe(env.scratch().file("missing-folder/~.HTM")), browser.path);
  EXPECT_EQ(FindExecutableViaProbe(env.scratch().file("~.HTM")), browser.path);
  EXPECT_FALSE(fs::exists(env.scratch().file("~.HTM")));
}

// The desktop's lookup itself: each source in turn, always a full path.
TEST(FindExecutable, DesktopEntryComesFirst) {
  BrowserTestEnv env;
  const std::string doc = env.scratch().write("a.html", "");
  const std::string quoted = env.AddFakeBrowser("My Apps/the \"browser\"");
  env.AddFakeBrowser("bin/x-www-browser");
  ::setenv("BROWSER", env.AddFakeBrowser("bin/from-variable").c_str(), 1);
  env.AddXdgMime("vendor-browser.desktop");
  // A quoted program with blanks and an escaped quote, in a nested folder.
  env.scratch().write("data/applications/vendor/browser.desktop",
                      "[Desktop Entry]\nExec=\"" +
                          env.scratch().file("My Apps/the \\\\\"browser\\\\\"") + "\" %U\n");
  EXPECT_EQ(platform::FindExecutable(doc), quoted);
}

// Lines with more than the program and its URL code are kept whole for the
// start; the program in front becomes its full path.
TEST(FindExecutable, WrapperLinesAreKeptWhole) {
  BrowserTestEnv env;
  const std::string doc = env.scratch().write("a.htm", "");
  const std::string flatpak = env.AddFakeBrowser("bin/flatpak");
  env.AddXdgMime("org.mozilla.firefox.desktop");
  env.AddDesktopEntry("org.mozilla.firefox.desktop",
                      "Exec=flatpak run --branch=stable --command=firefox --file-forwarding "
                      "org.mozilla.firefox @@u %U @@");
  EXPECT_EQ(platform::FindExecutable(doc),
            flatpak +
                " run --branch=stable --command=firefox --file-forwarding "
                "org.mozilla.firefox @@u %U @@");

  const std::string spaced = env.AddFakeBrowser("My Apps/browser");
  env.AddDesktopEntry("org.mozilla.firefox.desktop", "Exec=\"" + spaced + "\" --new-window %u");
  EXPECT_EQ(platform::FindExecutable(doc), "\"" + spaced + "\" --new-window %u");
}

TEST(FindExecutable, FallsBackToTheBrowserVariableThenTheUsualCommands) {
  BrowserTestEnv env;
  const std::string doc = env.scratch().write("a.HTM", "");
  EXPECT_EQ(platform::FindExecutable(doc), "");

  const std::string xdgOpen = env.AddFakeBrowser("bin/xdg-open");
  EXPECT_EQ(platform::FindExecutable(doc), xdgOpen);
  const std::string sensible = env.AddFakeBrowser("bin/sensible-browser");
  EXPECT_EQ(platform::FindExecutable(doc), sensible);
  const std::string www = env.AddFakeBrowser("bin/x-www-browser");
  EXPECT_EQ(platform::FindExecutable(doc), www);

  // $BROWSER: the first entry that names a program; "%s" and options ignored.
  const std::string variable = env.AddFakeBrowser("bin/chosen");
  ::setenv("BROWSER", "no-such-browser:chosen %s --private", 1);
  EXPECT_EQ(platform::FindExecutable(doc), variable);

  // A desktop default whose entry is missing or whose program is not
  // installed does not stop the search.
  env.AddXdgMime("missing.desktop");
  EXPECT_EQ(platform::FindExecutable(doc), variable);
  env.AddDesktopEntry("missing.desktop", "Exec=not-installed %u");
  EXPECT_EQ(platform::FindExecutable(doc), variable);
}

TEST(FindExecutable, ADesktopIdThatLeavesTheApplicationsFoldersNamesNoProgram) {
  BrowserTestEnv env;
  const std::string doc = env.scratch().write("a.htm", "");
  env.AddFakeBrowser("bin/outside-browser");
  // Entries outside every applications folder, reachable only through "..".
  env.scratch().write("data/outside.desktop", "[Desktop Entry]\nExec=outside-browser %u\n");
  env.scratch().write("data/applications/sub/x.desktop",
                      "[Desktop Entry]\nExec=outside-browser %u\n");
  for (const char* id : {"../outside.desktop", "..-outside.desktop", "sub/../../outside.desktop"}) {
    env.AddXdgMime(id);
    EXPECT_EQ(platform::FindExecutable(doc), "") << id;
  }
  // The same entry inside the folder is honoured, so the refusal is about "..".
  env.scratch().write("data/applications/inside.desktop",
                      "[Desktop Entry]\nExec=outside-browser %u\n");
  env.AddXdgMime("inside.desktop");
  EXPECT_EQ(platform::FindExecutable(doc), env.scratch().file("bin/outside-browser"));
}

TEST(FindExecutable, ProgramStartedThroughEnvKeepsTheWholeLine) {
  BrowserTestEnv env;
  const std::string doc = env.scratch().write("a.htm", "");
  env.AddFakeBrowser("bin/env");
  const std::string browser = env.AddFakeBrowser("bin/real-browser");
  env.AddXdgMime("wrapped.desktop");
  env.AddDesktopEntry("wrapped.desktop", "Exec=env -u X MOZ_FLAG=1 real-browser %u");
  EXPECT_EQ(platform::FindExecutable(doc),
            env.scratch().file("bin/env") + " -u X MOZ_FLAG=1 real-browser %u");
  // The browser that env starts must be there; otherwise the search goes on.
  fs::remove(browser);
  const std::string fallback = env.AddFakeBrowser("bin/x-www-browser");
  EXPECT_EQ(platform::FindExecutable(doc), fallback);
}

TEST(FindExecutable, NeedsAnExistingDocumentOfAKnownType) {
  BrowserTestEnv env;
  env.AddFakeBrowser("bin/x-www-browser");
  EXPECT_EQ(platform::FindExecutable(env.scratch().file("absent.htm")), "");
  // xdg-mime's fake answers no file type, so a text file has no program.
  env.AddXdgMime("fake.desktop");
  EXPECT_EQ(platform::FindExecutable(env.scratch().write("notes.txt", "x")), "");
}

}  // namespace
}  // namespace pixdeck
