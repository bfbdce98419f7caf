#include "catalog/page_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/credits.h"
#include "page_lines.h"
#include "text/utf8.h"

namespace pixdeck {
namespace {

using test::PageLines;

constexpr PathStyle kWin = PathStyle::Windows;
constexpr PathStyle kPosix = PathStyle::Posix;

std::vector<std::string> OnePicturePage(PageWriter& writer, std::string_view directory,
                                        std::string_view title, std::string_view name,
                                        std::uint64_t size) {
  writer.WritePageHeader(directory, title, "", "");
  writer.WritePageEntry(name, size);
  writer.WritePageFooter();
  return PageLines(writer.Text());
}

TEST(PageWriter, WritesTheWholePageForOnePictureBesideThePage) {
  PageWriter writer("file:///", kWin);
  writer.SetPageInScanDir(true);
  const std::vector<std::string> expected = {
      "<HTML>",
      "<HEAD>",
      R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">)",
      "<TITLE>Images: C:\\PICS\\*.gif</TITLE>",
      "</HEAD>",
      "<BODY>",
      "<CENTER>",
      "<H1>WWW Icons and Other Images</H1>",
      "<H2>C:\\PICS\\*.gif</H2>",
      "<HR>",
      "</CENTER>",
      R"(<IMG SRC="a.gif"><BR>a.gif (1234 bytes)<P>)",
      "<P>",
      "<HR>",
      "<CENTER><I>",
      std::string("<B>Pixdeck v1.2a</B><BR>- ") + kMakerCredit + " -<P>",
      "You can download this program and others by visiting the",
      "authors web page at</I><BR>",
      std::string("<A HREF=\"") + kMakerWebAddress + "\">" + kMakerWebAddress + "</A><BR>",
      "<I>You can also reach him by E-mail at the following address:</I>",
      std::string("<A HREF=\"mailto:") + kMakerMailAddress + "\">" + kMakerMailAddress +
          "</A></CENTER>",
      "<HR>",
      "</BODY>",
      "</HTML>",
  };
  EXPECT_EQ(OnePicturePage(writer, "C:\\PICS", "C:\\PICS\\*.gif", "a.gif", 1234), expected);
  EXPECT_EQ(writer.ImagePrefix(), "");
  EXPECT_EQ(writer.Text().substr(writer.Text().size() - 9), "</HTML>\r\n");
}

TEST(PageWriter, PageOutsideTheFolderReferencesPicturesByFileUrl) {
  PageWriter writer("file:///", kWin);
  writer.SetPageInScanDir(false);
  const auto lines = OnePicturePage(writer, "C:\\PICS", "C:\\PICS\\*.gif", "a.gif", 1);
  EXPECT_EQ(writer.ImagePrefix(), "file:///C|\\PICS\\");
  EXPECT_EQ(lines[11], R"(<IMG SRC="file:///C|\PICS\a.gif"><BR>a.gif (1 bytes)<P>)");
  EXPECT_EQ(lines.size(), 24u);  // no BASE line under a file base

  PageWriter root("file:///", kWin);
  root.SetPageInScanDir(false);
  EXPECT_EQ(OnePicturePage(root, "C:\\", "C:\\*.gif", "a.gif", 1)[11],
            R"(<IMG SRC="file:///C|\a.gif"><BR>a.gif (1 bytes)<P>)");
}

TEST(PageWriter, WebBaseWritesABaseAddressAndBareNames) {
  PageWriter writer("http://www.example.org/pics/", kWin);
  writer.SetPageInScanDir(false);
  const auto lines = OnePicturePage(writer, "C:\\PICS", "C:\\PICS\\*.gif", "a.gif", 7);
  EXPECT_EQ(lines[4], R"(<BASE HREF="http://www.example.org/pics/PICS/">)");
  EXPECT_EQ(lines[5], "</HEAD>");
  EXPECT_EQ(lines[12], R"(<IMG SRC="a.gif"><BR>a.gif (7 bytes)<P>)");
  EXPECT_EQ(writer.ImagePrefix(), "");

  PageWriter root("http://h", kWin);
  EXPECT_EQ(OnePicturePage(root, "C:\\", "C:\\*.gif", "a.gif", 7)[4], R"(<BASE HREF="http://h/">)");
}

TEST(PageWriter, PosixFolderUrls) {
  PageWriter writer("file:///", kPosix);
  writer.SetPageInScanDir(false);
  const auto lines = OnePicturePage(writer, "/srv/pics", "/srv/pics/*.gif", "a.gif", 1);
  EXPECT_EQ(lines[11], R"(<IMG SRC="file:///srv/pics/a.gif"><BR>a.gif (1 bytes)<P>)");
}

TEST(PageWriter, BodyTagCarriesPatternThenColour) {
  auto bodyOf = [](std::string_view pattern, std::string_view code) {
    PageWriter writer("file:///", kWin);
    writer.WritePageHeader("C:\\PICS", "t", pattern, code);
    return PageLines(writer.Text())[5];
  };
  EXPECT_EQ(bodyOf("", ""), "<BODY>");
  EXPECT_EQ(bodyOf("", "FFFFFF"), "<BODY BGCOLOR=#FFFFFF>");
  EXPECT_EQ(bodyOf("file:///C|\\PICS\\back.gif", ""),
            R"(<BODY BACKGROUND="file:///C|\PICS\back.gif">)");
  EXPECT_EQ(bodyOf("back.gif", "C0C0C0"), R"(<BODY BACKGROUND="back.gif" BGCOLOR=#C0C0C0>)");
}

TEST(PageWriter, NamesAndTitleCannotBreakOutOfThePage) {
  PageWriter writer("file:///", kPosix);
  writer.SetPageInScanDir(true);
  writer.WritePageHeader("/p/<b>&\"", "/p/<b>&\"/*.gif", "", "");
  writer.WritePageEntry("a \"b\" & <c>.gif", 3);
  writer.WritePageEntry("x#1?.gif", 4);
  const auto lines = PageLines(writer.Text());
  EXPECT_EQ(lines[3], "<TITLE>Images: /p/&lt;b&gt;&amp;&quot;/*.gif</TITLE>");
  EXPECT_EQ(lines[8], "<H2>/p/&lt;b&gt;&amp;&quot;/*.gif</H2>");
  EXPECT_EQ(lines[11],
            R"(<IMG SRC="a &quot;b&quot; &amp; &lt;c&gt;.gif"><BR>a &quot;b&quot; &amp; )"
            R"(&lt;c&gt;.gif (3 bytes)<P>)");
  EXPECT_EQ(lines[12], R"(<IMG SRC="x%231%3F.gif"><BR>x#1?.gif (4 bytes)<P>)");
}

TEST(PageWriter, EveryEntryStaysOnOneLineOfValidUtf8) {
  PageWriter writer("file:///", kPosix);
  writer.SetPageInScanDir(false);
  writer.WritePageHeader("/p\n\xE9", "/p\n\xE9/*", "", "");
  writer.WritePageEntry("line\nfeed\r\t.gif", 1);
  writer.WritePageEntry("caf\xE9 \xC0\xAE\x7F.gif", 2);
  writer.WritePageEntry("caf\xC3\xA9.gif", 3);
  writer.WritePageFooter();
  const auto lines = PageLines(writer.Text());
  ASSERT_EQ(lines.size(), 11u + 3 + 12);
  EXPECT_EQ(lines[3], "<TITLE>Images: /p\u240A\uFFFD/*</TITLE>");
  EXPECT_EQ(lines[8], "<H2>/p\u240A\uFFFD/*</H2>");
  EXPECT_EQ(lines[11],
            "<IMG SRC=\"file:///p%0A%E9/line%0Afeed%0D%09.gif\"><BR>"
            "line\u240A"
            "feed\u240D\u2409.gif (1 bytes)<P>");
  EXPECT_EQ(lines[12],
            "<IMG SRC=\"file:///p%0A%E9/caf%E9 %C0%AE%7F.gif\"><BR>"
            "caf\uFFFD \uFFFD\uFFFD\u2421.gif (2 bytes)<P>");
  EXPECT_EQ(lines[13],
            "<IMG SRC=\"file:///p%0A%E9/caf\xC3\xA9.gif\"><BR>caf\xC3\xA9.gif (3 bytes)<P>");
  EXPECT_EQ(EncodeUtf8(DecodeUtf8(writer.Text())), writer.Text());
  for (const char32_t c : DecodeUtf8(writer.Text())) {
    EXPECT_FALSE(IsEscapedByte(c)) << "the page holds a byte that is not UTF-8";
  }
}

// Names show as they are: blanks at the ends and in runs are kept, and a
// name that turns the text's direction is isolated, so that the size after
// it stays in place. Only the names that need it change.
TEST(PageWriter, NamesThatNeedItAreShownInAnIsolateThatKeepsTheirBlanks) {
  const std::string isolate = R"(<BDI STYLE="white-space:pre-wrap">)";
  PageWriter writer("file:///", kPosix);
  writer.SetPageInScanDir(true);
  writer.WritePageHeader("/p", "/p/*", "", "");
  writer.WritePageEntry("a b.gif", 1);
  writer.WritePageEntry("two  blanks.gif", 2);
  writer.WritePageEntry(" lead.gif", 3);
  writer.WritePageEntry("trail.gif ", 4);
  writer.WritePageEntry("a\u202Egpj.evil.gif", 5);
  writer.WritePageEntry("\u05E9\u05DC\u05D5\u05DD.jpg", 6);
  writer.WritePageEntry("caf\u00E9 \u65E5.gif", 7);
  writer.WriteLightPageEntry(" l.gif", 8, PictureSize{2, 3});
  const auto lines = PageLines(writer.Text());
  EXPECT_EQ(lines[11], R"(<IMG SRC="a b.gif"><BR>a b.gif (1 bytes)<P>)");
  EXPECT_EQ(lines[12],
            R"(<IMG SRC="two  blanks.gif"><BR>)" + isolate + "two  blanks.gif</BDI> (2 bytes)<P>");
  EXPECT_EQ(lines[13], R"(<IMG SRC="%20lead.gif"><BR>)" + isolate + " lead.gif</BDI> (3 bytes)<P>");
  EXPECT_EQ(lines[14],
            R"(<IMG SRC="trail.gif%20"><BR>)" + isolate + "trail.gif </BDI> (4 bytes)<P>");
  EXPECT_EQ(lines[15], "<IMG SRC=\"a\u202Egpj.evil.gif\"><BR>" + isolate +
                           "a\u202Egpj.evil.gif</BDI> (5 bytes)<P>");
  EXPECT_EQ(lines[16], "<IMG SRC=\"\u05E9\u05DC\u05D5\u05DD.jpg\"><BR>" + isolate +
                           "\u05E9\u05DC\u05D5\u05DD.jpg</BDI> (6 bytes)<P>");
  EXPECT_EQ(lines[17], "<IMG SRC=\"caf\u00E9 \u65E5.gif\"><BR>caf\u00E9 \u65E5.gif (7 bytes)<P>");
  EXPECT_EQ(lines[18],
            R"(<IMG SRC="%20l.gif" WIDTH=2 HEIGHT=3 LOADING="lazy" DECODING="async"><BR>)" +
                isolate + " l.gif</BDI> (8 bytes)<P>");

  // Behind a folder's URL a leading blank is inside the source and stays.
  PageWriter elsewhere("file:///", kPosix);
  elsewhere.SetPageInScanDir(false);
  const auto other = OnePicturePage(elsewhere, "/p", "t", " lead.gif", 3);
  EXPECT_EQ(other[11],
            R"(<IMG SRC="file:///p/ lead.gif"><BR>)" + isolate + " lead.gif</BDI> (3 bytes)<P>");
}

TEST(PageWriter, PrefixOfAFolderWithSpecialCharactersIsEncodedAndEscaped) {
  PageWriter writer("file:///", kPosix);
  writer.SetPageInScanDir(false);
  const auto lines = OnePicturePage(writer, "/p/#&q", "t", "a.gif", 1);
  EXPECT_EQ(writer.ImagePrefix(), "file:///p/%23&q/");
  EXPECT_EQ(lines[11], R"(<IMG SRC="file:///p/%23&amp;q/a.gif"><BR>a.gif (1 bytes)<P>)");
}

TEST(PageWriter, SizesOfTwoGibibytesAndMoreArePrintedWhole) {
  PageWriter writer("file:///", kWin);
  writer.WritePageEntry("big.jpg", 0x80000000ULL);
  writer.WritePageEntry("huge.jpg", 5ULL * 1024 * 1024 * 1024);
  writer.WritePageEntry("empty.gif", 0);
  const auto lines = PageLines(writer.Text());
  EXPECT_EQ(lines[0], R"(<IMG SRC="big.jpg"><BR>big.jpg (2147483648 bytes)<P>)");
  EXPECT_EQ(lines[1], R"(<IMG SRC="huge.jpg"><BR>huge.jpg (5368709120 bytes)<P>)");
  EXPECT_EQ(lines[2], R"(<IMG SRC="empty.gif"><BR>empty.gif (0 bytes)<P>)");
}

TEST(PageWriter, FooterOpensEveryBlockItCloses) {
  PageWriter writer("file:///", kWin);
  writer.WritePageFooter();
  const std::string& text = writer.Text();
  auto count = [&](std::string_view tag) {
    std::size_t n = 0;
    for (std::size_t at = text.find(tag); at != std::string::npos; at = text.find(tag, at + 1)) {
      ++n;
    }
    return n;
  };
  EXPECT_EQ(PageLines(text).size(), 12u);
  EXPECT_EQ(count("<I>"), count("</I>"));
  EXPECT_EQ(count("<CENTER>"), count("</CENTER>"));
  EXPECT_EQ(count("<B>"), count("</B>"));
  EXPECT_EQ(count("<A "), count("</A>"));
}

}  // namespace
}  // namespace pixdeck
