// The page viewer: the order of attempts (file, detection, DDE, start), its
// messages, and the browser started as a program with the URL as one argument.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "browser/browser_detection.h"
#include "browser/page_viewer.h"
#include "browser_test_env.h"
#include "recording_messages.h"

namespace pixdeck {
namespace {

namespace fs = std::filesystem;
using test::BrowserTestEnv;
using test::DdePeer;
using test::RecordingMessages;
using Args = std::vector<std::string>;
using Requests = std::vector<std::string>;

// Short DDE limit: the peers here answer at once or not at all.
constexpr int kTimeoutMs = 2000;

std::string OpenUrlRequest(const std::string& url) {
  return "WWW_OpenURL\t\"" + url + "\",,0xFFFFFFFF,0x0,,,,";
}

class PageViewerTest : public ::testing::Test {
 protected:
  std::string Page(const std::string& relPath = "pics/images.htm") {
    return env.scratch().write(relPath, "<html></html>");
  }
  // The desktop's default browser: a fake whose name makes it a Netscape.
  std::string RegisterBrowser(const std::string& relPath = "bin/netscape-fake") {
    std::string browser = env.AddFakeBrowser(relPath);
    env.AddXdgMime("fake.desktop");
    env.AddDesktopEntry("fake.desktop", "Exec=\"" + browser + "\" %u");
    return browser;
  }

  BrowserTestEnv env;
  RecordingMessages messages;
  PageViewer viewer{messages, kTimeoutMs};
};

TEST_F(PageViewerTest, MissingPageIsReported) {
  const std::string browser = RegisterBrowser();
  const std::string missing = env.scratch().file("pics/none.htm");
  EXPECT_FALSE(viewer.ViewFile(missing));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "File \"" + missing + "\" not found!");
  EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
  EXPECT_EQ(messages.warningBeeps, 1);
  // No detection was needed for that.
  EXPECT_TRUE(env.XdgMimeCalls().empty());
  EXPECT_EQ(BrowserPath(), "");
}

TEST_F(PageViewerTest, NoBrowserStopsAfterTheDetectionError) {
  const std::string page = Page();
  EXPECT_FALSE(viewer.ViewFile(page));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Error: Could not detect a Web browser!");
  EXPECT_EQ(viewer.BrowserConv(), nullptr);
}

TEST_F(PageViewerTest, RunningBrowserTakesThePageAndComesToTheFront) {
  const std::string browser = RegisterBrowser();
  DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", "text:0x00000001"}, {"WWW_Activate", "text:1"}});
  ASSERT_TRUE(peer.Ready());
  const std::string page = Page();
  EXPECT_TRUE(viewer.ViewFile(page));
  EXPECT_EQ(peer.Requests(),
            (Requests{OpenUrlRequest("file://" + page), "WWW_Activate\t0xFFFFFFFF,0x0"}));
  EXPECT_TRUE(env.NeverLaunched(browser));  // no second copy
  ASSERT_NE(viewer.BrowserConv(), nullptr);
  EXPECT_EQ(viewer.BrowserConv()->Browser(), brNetscape);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PageViewerTest, MailLinksAreNotFollowedByActivate) {
  SetBrowser("/opt/netscape/netscape");
  DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", "text:1"}, {"WWW_Activate", "text:1"}});
  ASSERT_TRUE(peer.Ready());
  EXPECT_TRUE(viewer.OpenUrlInBrowser("MailTo:someone@example.org"));
  EXPECT_EQ(peer.Requests(), Requests{OpenUrlRequest("MailTo:someone@example.org")});
}

// The whole conversation has one deadline: a browser that takes most of it
// to answer the URL leaves Activate only the rest.
TEST_F(PageViewerTest, ASlowBrowserHoldsTheViewForOneDeadlineInAll) {
  const std::string browser = RegisterBrowser();
  DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", "late:1500:1"}, {"WWW_Activate", "silent:5000"}});
  ASSERT_TRUE(peer.Ready());
  const std::string page = Page();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(viewer.ViewFile(page));
  const auto took = std::chrono::steady_clock::now() - start;
  // One deadline is 2 s; a deadline for each request would make it 3.5 s.
  EXPECT_LT(took, std::chrono::milliseconds(kTimeoutMs + 800));
  EXPECT_TRUE(env.NeverLaunched(browser));
}

// A browser that took the page but has not answered when the time is up is
// still opening it: no second browser is started with the same page.
TEST_F(PageViewerTest, ABrowserThatAnswersTooLateIsNotFollowedByASecondOne) {
  const std::string browser = RegisterBrowser();
  DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", "late:4000:1"}});
  ASSERT_TRUE(peer.Ready());
  const std::string page = Page();
  EXPECT_TRUE(viewer.ViewFile(page));
  EXPECT_EQ(peer.Requests(), Requests{OpenUrlRequest("file://" + page)});
  EXPECT_TRUE(env.NeverLaunched(browser));
  EXPECT_TRUE(messages.shown.empty());
}

// A double quote in a folder name would end the URL's field of the request
// and start fields of its own.
TEST_F(PageViewerTest, AQuoteInThePathCannotAddFieldsToTheRequest) {
  const std::string browser = RegisterBrowser();
  DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", "text:1"}, {"WWW_Activate", "text:1"}});
  ASSERT_TRUE(peer.Ready());
  const std::string page = Page("pics\",,0x1,0x0,,,,\"/images.htm");
  EXPECT_TRUE(viewer.ViewFile(page));
  const std::string dir = env.scratch().file("pics");
  ASSERT_FALSE(peer.Requests().empty());
  EXPECT_EQ(peer.Requests().front(), "WWW_OpenURL\t\"file://" + dir +
                                         "%22,,0x1,0x0,,,,%22/images.htm\",,0xFFFFFFFF,0x0,,,,");
}

TEST_F(PageViewerTest, RefusedUrlStartsTheBrowser) {
  const std::string browser = RegisterBrowser();
  DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", "empty"}, {"WWW_Activate", "text:1"}});
  ASSERT_TRUE(peer.Ready());
  const std::string page = Page();
  EXPECT_TRUE(viewer.ViewFile(page));
  EXPECT_EQ(peer.Requests(), Requests{OpenUrlRequest("file://" + page)});
  EXPECT_EQ(env.WaitForLaunch(browser), Args{"file://" + page});
}

TEST_F(PageViewerTest, NoRunningBrowserStartsIt) {
  const std::string browser = RegisterBrowser();
  const std::string page = Page();
  EXPECT_TRUE(viewer.ViewFile(page));
  EXPECT_EQ(env.WaitForLaunch(browser), Args{"file://" + page});
  EXPECT_NE(viewer.BrowserConv(), nullptr);  // DDE was tried first
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PageViewerTest, BrowserNamedInTheOptionsIsAlwaysStarted) {
  const std::string browser = env.AddFakeBrowser("opt/netscape-named");
  ConfigureBrowser(browser, false, messages);
  DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", "text:1"}});
  ASSERT_TRUE(peer.Ready());
  const std::string page = Page();
  EXPECT_TRUE(viewer.ViewFile(page));
  EXPECT_EQ(env.WaitForLaunch(browser), Args{"file://" + page});
  EXPECT_TRUE(peer.Requests().empty());
  EXPECT_EQ(viewer.BrowserConv(), nullptr);
}

TEST_F(PageViewerTest, UnknownKindIsStartedWithoutDde) {
  const std::string browser = RegisterBrowser("bin/plain-browser");
  DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", "text:1"}});
  ASSERT_TRUE(peer.Ready());
  const std::string page = Page();
  EXPECT_TRUE(viewer.ViewFile(page));
  EXPECT_EQ(BrowserKind(), brUnknown);
  EXPECT_EQ(env.WaitForLaunch(browser), Args{"file://" + page});
  EXPECT_TRUE(peer.Requests().empty());
}

TEST_F(PageViewerTest, BlanksAndSpecialCharactersReachTheBrowserAsOneArgument) {
  const std::string browser = RegisterBrowser("Program Files/Net Scape/netscape's browser");
  const std::string page = Page("My Pictures/a #1 's page.htm");
  EXPECT_TRUE(viewer.ViewFile(page));
  std::string dir = page.substr(0, page.rfind('/') + 1);
  dir.replace(dir.find("My Pictures"), 11, "My%20Pictures");
  // "#" would end the path in a URL and a browser may cut blanks at its ends,
  // so both are encoded.
  EXPECT_EQ(env.WaitForLaunch(browser), Args{"file://" + dir + "a%20%231%20's%20page.htm"});
}

TEST_F(PageViewerTest, BareNameIsTakenFromTheCurrentDirectory) {
  const std::string browser = RegisterBrowser();
  const std::string page = Page("here/index.htm");
  const fs::path before = fs::current_path();
  fs::current_path(fs::path(page).parent_path());
  const bool viewed = viewer.ViewFile("index.htm");
  const bool missing = viewer.ViewFile("absent.htm");
  // A relative name with a folder still gives a file URL of the full path.
  fs::current_path(env.scratch().path());
  const bool viewedRelative = viewer.ViewFile("here/./index.htm");
  fs::current_path(before);
  EXPECT_TRUE(viewed);
  EXPECT_FALSE(missing);
  EXPECT_TRUE(viewedRelative);
  EXPECT_EQ(env.WaitForLaunch(browser, 1), Args{"file://" + page});
  EXPECT_EQ(env.WaitForLaunch(browser, 2), Args{"file://" + page});
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "File \"" + env.scratch().file("here/absent.htm") + "\" not found!");
}

TEST_F(PageViewerTest, FailedStartForgetsTheBrowserAndTheNextViewDetectsAgain) {
  const std::string page = Page();
  const std::string broken = env.scratch().write("opt/netscape-broken", "not a program");
  ConfigureBrowser(broken, false, messages);
  EXPECT_FALSE(viewer.ViewFile(page));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Could not execute \"" + broken + "\"!");
  EXPECT_EQ(messages.shown[0].kind, MessageKind::Information);
  EXPECT_EQ(messages.defaultBeeps, 1);
  EXPECT_EQ(BrowserPath(), "");
  EXPECT_TRUE(env.XdgMimeCalls().empty());

  // The next view finds the registered browser instead.
  const std::string browser = RegisterBrowser();
  EXPECT_TRUE(viewer.ViewFile(page));
  EXPECT_EQ(env.XdgMimeCalls().size(), 1u);
  EXPECT_EQ(BrowserPath(), browser);
  EXPECT_EQ(env.WaitForLaunch(browser), Args{"file://" + page});
}

TEST_F(PageViewerTest, OpenUrlDetectsWhenNoBrowserIsKnown) {
  const std::string browser = RegisterBrowser();
  SetUseDde(false);
  EXPECT_TRUE(viewer.OpenUrlInBrowser("http://example.org/"));
  EXPECT_TRUE(UseDde());
  EXPECT_EQ(env.WaitForLaunch(browser), Args{"http://example.org/"});
}

TEST_F(PageViewerTest, OpenUrlWithNoBrowserAnywhereShowsOnlyTheDetectionError) {
  SetBrowserKind(brNetscape);  // known from an earlier browser
  EXPECT_FALSE(viewer.OpenUrlInBrowser("http://example.org/"));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Error: Could not detect a Web browser!");
}

// Desktop entries that start the browser through a wrapper: the line's words
// by its quoting rules, the URL where the URL code stands, other codes gone.
TEST_F(PageViewerTest, WrapperLinesGetTheUrlInPlace) {
  const std::string page = Page();
  const std::string url = "file://" + page;
  const std::string flatpak = env.AddFakeBrowser("bin/flatpak");
  env.AddXdgMime("org.example.Browser.desktop");
  env.AddDesktopEntry("org.example.Browser.desktop",
                      "Exec=flatpak run --file-forwarding \"org.example.Browser\" @@u %U @@ %i");
  EXPECT_TRUE(viewer.ViewFile(page));
  EXPECT_EQ(env.WaitForLaunch(flatpak),
            (Args{"run", "--file-forwarding", "org.example.Browser", "@@u", url, "@@"}));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PageViewerTest, EnvLinesStartTheBrowserWithTheirSettings) {
  const std::string page = Page();
  // The browser reports the variable the line sets, then its arguments.
  const std::string browser = env.scratch().write(
      "bin/real-browser", "#!/bin/sh\nprintf '%s|%s\\n' \"$MOZ_FLAG\" \"$*\" > \"$0.seen\"\n");
  fs::permissions(browser, fs::perms::owner_all);
  env.AddXdgMime("wrapped.desktop");
  env.AddDesktopEntry("wrapped.desktop", "Exec=/usr/bin/env MOZ_FLAG=on real-browser %c %u");
  ASSERT_TRUE(fs::exists("/usr/bin/env"));
  EXPECT_TRUE(viewer.ViewFile(page));
  const auto seen = [&] { return test::ReadLines(browser + ".seen"); };
  for (int i = 0; i < 500 && seen().empty(); ++i) {
    ::usleep(10000);
  }
  EXPECT_EQ(seen(), std::vector<std::string>{"on|file://" + page});
}

TEST_F(PageViewerTest, TheBrowserGetsNoneOfOurStandardStreams) {
  const std::string page = Page();
  std::string readlink = "/usr/bin/readlink";
  if (!fs::exists(readlink)) {
    readlink = "/bin/readlink";
  }
  ASSERT_TRUE(fs::exists(readlink));
  const std::string browser = env.scratch().write(
      "bin/netscape-streams", "#!/bin/sh\nfds=''\nfor fd in 0 1 2; do fds=\"$fds$(" + readlink +
                                  " /proc/$$/fd/$fd) \"; done\n"
                                  "printf '%s\\n' $fds > \"$0.fds\"\necho chatter\n");
  fs::permissions(browser, fs::perms::owner_all);
  env.AddXdgMime("fake.desktop");
  env.AddDesktopEntry("fake.desktop", "Exec=" + browser + " %u");
  EXPECT_TRUE(viewer.ViewFile(page));
  const auto fds = [&] { return test::ReadLines(browser + ".fds"); };
  for (int i = 0; i < 500 && fds().size() < 3; ++i) {
    ::usleep(10000);
  }
  EXPECT_EQ(fds(), (std::vector<std::string>{"/dev/null", "/dev/null", "/dev/null"}));
}

}  // namespace
}  // namespace pixdeck
