// The DDE client against the test peer over the real local socket.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "browser/browser_dde.h"
#include "browser_test_env.h"
#include "platform/dde.h"

namespace pixdeck {
namespace {

using test::BrowserTestEnv;
using test::DdePeer;
using Requests = std::vector<std::string>;

constexpr const char* kUrl = "file:///C|\\PICS\\images.htm";

TEST(BrowserDde, OpenUrlThenActivateTravelToTheService) {
  BrowserTestEnv env;
  DdePeer peer(env, "NETSCAPE",
               {{"WWW_OpenURL", "text:0x00000001"}, {"WWW_Activate", "text:0xFFFFFFFF"}});
  ASSERT_TRUE(peer.Ready());
  TBrowserDDE conv;
  EXPECT_EQ(conv.OpenURL(kUrl), "0x00000001");
  EXPECT_EQ(conv.ActivateWindow(""), "0xFFFFFFFF");
  EXPECT_EQ(peer.Requests(),
            (Requests{
                "WWW_OpenURL\t\"file:///C|\\PICS\\images.htm\",,0xFFFFFFFF,0x0,,,,",
                "WWW_Activate\t0xFFFFFFFF,0x0",
            }));
}

TEST(BrowserDde, ExplorerServiceServesBothTopics) {
  BrowserTestEnv env;
  DdePeer netscape(env, "NETSCAPE", {{"WWW_OpenURL", "text:wrong"}});
  DdePeer explorer(env, "IExplore", {{"WWW_OpenURL", "text:1"}, {"WWW_Activate", "text:2"}});
  ASSERT_TRUE(netscape.Ready() && explorer.Ready());
  TBrowserDDE conv;
  conv.SetBrowser(brExplorer);
  EXPECT_EQ(conv.OpenURL("file:///tmp/a.htm"), "1");
  EXPECT_EQ(conv.ActivateWindow("7"), "2");
  EXPECT_EQ(explorer.Requests(), (Requests{"WWW_OpenURL\t\"file:///tmp/a.htm\",,0xFFFFFFFF,0x0,,,,",
                                           "WWW_Activate\t7,0x0"}));
  EXPECT_TRUE(netscape.Requests().empty());
}

TEST(BrowserDde, EachRequestHasItsOwnConversation) {
  BrowserTestEnv env;
  DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", "text:ok"}});
  ASSERT_TRUE(peer.Ready());
  TBrowserDDE conv;
  EXPECT_EQ(conv.OpenURL("file:///a.htm"), "ok");
  EXPECT_EQ(conv.OpenURL("file:///b.htm"), "ok");
  // The peer serves one request per connection, so two answers mean two
  // conversations.
  EXPECT_EQ(peer.Requests().size(), 2u);
}

TEST(BrowserDde, RepliesAreCutAtTheirFirstZero) {
  BrowserTestEnv env;
  struct Case {
    const char* how;
    std::string text;
  };
  const Case cases[] = {
      {"raw:no terminator", "no terminator"},  // exactly its bytes
      {"hex:6869006869", "hi"},                // a zero in the middle
      {"hex:00616263", ""},                    // a zero first
      {"text:", ""},                           // only the terminator
      {"empty", ""},                           // no data
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", c.how}});
    ASSERT_TRUE(peer.Ready());
    EXPECT_EQ(TBrowserDDE().OpenURL("file:///x.htm"), c.text);
    EXPECT_EQ(peer.Requests().size(), 1u);
  }
}

TEST(BrowserDde, TransportKeepsEveryByteOfTheReply) {
  BrowserTestEnv env;
  DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", "hex:6869006869"}});
  ASSERT_TRUE(peer.Ready());
  EXPECT_EQ(platform::DdeRequest("NETSCAPE", "WWW_OpenURL", "item"), std::string("hi\0hi", 5));
  EXPECT_EQ(peer.Requests(), Requests{"WWW_OpenURL\titem"});
}

TEST(BrowserDde, AFloodingPeerIsReadOnlyUpToTheLargestReply) {
  BrowserTestEnv env;
  DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", "flood:ok-"}});
  ASSERT_TRUE(peer.Ready());
  // A reply that had to wait for the peer to stop would give up empty.
  const std::string reply = platform::DdeRequest("NETSCAPE", "WWW_OpenURL", "item", 5000);
  ASSERT_EQ(reply.size(), platform::kDdeMaxReplyBytes);
  EXPECT_EQ(reply.substr(0, 9), "ok-ok-ok-");
  EXPECT_EQ(TBrowserDDE(5000).OpenURL("file:///x.htm").size(), platform::kDdeMaxReplyBytes);
  EXPECT_EQ(peer.Requests().size(), 2u);
}

TEST(BrowserDde, NoListenerOrUnknownBrowserGivesEmpty) {
  BrowserTestEnv env;
  TBrowserDDE conv;
  EXPECT_EQ(conv.OpenURL("file:///x.htm"), "");
  EXPECT_EQ(conv.ActivateWindow(""), "");

  DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", "text:ok"}});
  ASSERT_TRUE(peer.Ready());
  conv.SetBrowser(brUnknown);
  EXPECT_EQ(conv.OpenURL("file:///x.htm"), "");
  EXPECT_TRUE(peer.Requests().empty());
  EXPECT_EQ(platform::DdeRequest("", "WWW_OpenURL", "x"), "");
  EXPECT_EQ(platform::DdeRequest("../NETSCAPE", "WWW_OpenURL", "x"), "");
}

TEST(BrowserDde, SocketFolderOthersOrTheGroupCanWriteToIsNotTrusted) {
  namespace fs = std::filesystem;
  BrowserTestEnv env;
  DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", "text:ok"}});
  ASSERT_TRUE(peer.Ready());
  const std::string folder = env.scratch().file("run/pixdeck-dde");
  for (const fs::perms writable : {fs::perms::others_write, fs::perms::group_write}) {
    fs::permissions(folder, writable, fs::perm_options::add);
    EXPECT_EQ(TBrowserDDE().OpenURL("file:///x.htm"), "");
    EXPECT_TRUE(peer.Requests().empty());
    fs::permissions(folder, writable, fs::perm_options::remove);
  }
  EXPECT_EQ(TBrowserDDE().OpenURL("file:///x.htm"), "ok");
}

TEST(BrowserDde, SilencePastTheLimitGivesEmpty) {
  BrowserTestEnv env;
  DdePeer peer(env, "NETSCAPE", {{"WWW_OpenURL", "silent:5000"}});
  ASSERT_TRUE(peer.Ready());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(TBrowserDDE(200).OpenURL("file:///x.htm"), "");
  // The request gives up at its limit rather than waiting for the peer.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(4000));
  EXPECT_EQ(peer.Requests().size(), 1u);
}

}  // namespace
}  // namespace pixdeck
