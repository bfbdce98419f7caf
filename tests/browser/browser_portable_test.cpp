// What needs no desktop, socket or program start: DDE names and items, the
// browser kinds and the options hand-over. Runs on every platform.
#include <gtest/gtest.h>

#include "browser/browser_dde.h"
#include "browser/browser_detection.h"

namespace pixdeck {
namespace {

constexpr const char* kUrl = "file:///C|\\PICS\\images.htm";

class BrowserStateTest : public ::testing::Test {
 protected:
  BrowserStateTest() { ResetBrowserState(); }
  ~BrowserStateTest() override { ResetBrowserState(); }
};

TEST(BrowserDde, ServiceNamesByBrowser) {
  TBrowserDDE conv;
  EXPECT_EQ(conv.Browser(), brNetscape);  // the default
  EXPECT_EQ(conv.ServiceName(), "NETSCAPE");
  conv.SetBrowser(brExplorer);
  EXPECT_EQ(conv.ServiceName(), "IExplore");
  conv.SetBrowser(brUnknown);
  EXPECT_EQ(conv.ServiceName(), "");
}

TEST(BrowserDde, ItemTextsAreExact) {
  EXPECT_EQ(TBrowserDDE::OpenUrlItem(kUrl), "\"file:///C|\\PICS\\images.htm\",,0xFFFFFFFF,0x0,,,,");
  // A quote in the URL stays inside the URL's field.
  EXPECT_EQ(TBrowserDDE::OpenUrlItem("file:///C|\\a\",,1\\p.htm"),
            "\"file:///C|\\a%22,,1\\p.htm\",,0xFFFFFFFF,0x0,,,,");
  EXPECT_EQ(TBrowserDDE::ActivateItem(""), "0xFFFFFFFF,0x0");
  EXPECT_EQ(TBrowserDDE::ActivateItem("0x2A"), "0x2A,0x0");
}

TEST_F(BrowserStateTest, KindIsReadFromThePathIgnoringCase) {
  EXPECT_EQ(BrowserKind(), brUnknown);
  SetBrowser("C:\\NETSCAPE\\PROGRAM\\netscape.exe");
  EXPECT_EQ(BrowserPath(), "C:\\NETSCAPE\\PROGRAM\\netscape.exe");
  EXPECT_EQ(BrowserKind(), brNetscape);
  SetBrowser("C:\\IE\\Iexplore.exe");
  EXPECT_EQ(BrowserKind(), brExplorer);
  SetBrowser("/opt/NetScape/bin/navigator");
  EXPECT_EQ(BrowserKind(), brNetscape);
  // A path naming neither keeps the kind found before.
  SetBrowser("/usr/bin/firefox");
  EXPECT_EQ(BrowserPath(), "/usr/bin/firefox");
  EXPECT_EQ(BrowserKind(), brNetscape);
  SetBrowser("");
  EXPECT_EQ(BrowserPath(), "");
  EXPECT_EQ(BrowserKind(), brNetscape);
}

TEST(BrowserState, HtmlNames) {
  for (const char* name : {"a.htm", "a.html", "A.HTML", "x/y.shtml", "page.HtM", "a.xhtml"}) {
    EXPECT_TRUE(IsHtmlName(name)) << name;
  }
  // Only the first four characters of the extension count.
#ifdef _WIN32
  constexpr const char* kNameInHtmFolder = "dir.htm\\page";
#else
  constexpr const char* kNameInHtmFolder = "dir.htm/page";
#endif
  for (const char* name : {"a.txt", "a", "", "htm", "a.xxhtm", "a.ht", kNameInHtmFolder}) {
    EXPECT_FALSE(IsHtmlName(name)) << name;
  }
}

TEST_F(BrowserStateTest, OptionsHandOver) {
  // A detected browser driven over DDE stays when the options keep DDE on.
  SetBrowser("/usr/bin/netscape");
  ApplyBrowserOptions("", true);
  EXPECT_EQ(BrowserPath(), "/usr/bin/netscape");
  EXPECT_TRUE(UseDde());
  // A browser chosen by name replaces it; the kind is not read again.
  ApplyBrowserOptions("/opt/iexplore", false);
  EXPECT_EQ(BrowserPath(), "/opt/iexplore");
  EXPECT_EQ(BrowserKind(), brNetscape);
  EXPECT_FALSE(UseDde());
  // Clearing the name: DDE was off, so the path empties and the next view detects.
  ApplyBrowserOptions("", true);
  EXPECT_EQ(BrowserPath(), "");
  EXPECT_TRUE(UseDde());
}

}  // namespace
}  // namespace pixdeck
