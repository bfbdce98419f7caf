#include "util/url.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"

namespace pixdeck {
namespace {

constexpr PathStyle kWin = PathStyle::Windows;
constexpr PathStyle kPosix = PathStyle::Posix;

TEST(IsFileUrl, DecidesByTheFirstFourLettersIgnoringCase) {
  EXPECT_TRUE(IsFileUrl(""));
  EXPECT_TRUE(IsFileUrl("file:///"));
  EXPECT_TRUE(IsFileUrl("File://"));
  EXPECT_TRUE(IsFileUrl("FILE:///"));
  EXPECT_TRUE(IsFileUrl("fIlEs"));
  EXPECT_FALSE(IsFileUrl("fil"));
  EXPECT_FALSE(IsFileUrl("F"));
  EXPECT_FALSE(IsFileUrl("http://www.example.org/pics"));
  EXPECT_FALSE(IsFileUrl(" file:///"));
}

TEST(PathToUrlWindows, FileBaseKeepsBackslashesAndTurnsTheDriveColonIntoABar) {
  EXPECT_EQ(PathToUrl("C:\\PICS\\a.gif", "file:///", kWin), "file:///C|\\PICS\\a.gif");
  EXPECT_EQ(PathToUrl("C:\\", "FILE:///", kWin), "file:///C|\\");
  EXPECT_EQ(PathToUrl("C:\\PICS\\a.gif", "", kWin), "file:///C|\\PICS\\a.gif");
  // Only a colon in second place is a drive.
  EXPECT_EQ(PathToUrl("\\\\server\\share\\a.gif", "file:///", kWin),
            "file:///\\\\server\\share\\a.gif");
}

TEST(PathToUrlWindows, WebBaseDropsTheDriveAndUsesSlashes) {
  EXPECT_EQ(PathToUrl("C:\\PICS\\a.gif", "http://www.example.org/", kWin),
            "http://www.example.org/PICS/a.gif");
  EXPECT_EQ(PathToUrl("C:\\PICS\\a.gif", "http://www.example.org", kWin),
            "http://www.example.org/PICS/a.gif");
  EXPECT_EQ(PathToUrl("C:PICS\\a.gif", "http://h/x/", kWin), "http://h/x/PICS/a.gif");
  EXPECT_EQ(PathToUrl("C:\\", "http://h/x/", kWin), "http://h/x/");
  EXPECT_EQ(PathToUrl("C:\\PICS\\a.gif", "fil", kWin), "fil/PICS/a.gif");
}

TEST(PathToUrlWindows, BareNamesAndEmptyPathsAreNotConverted) {
  EXPECT_EQ(PathToUrl("", "file:///", kWin), "");
  EXPECT_EQ(PathToUrl("a.gif", "file:///", kWin), "file:///a.gif");
  EXPECT_EQ(PathToUrl("a.gif", "http://h", kWin), "http://h/a.gif");
}

#ifndef _WIN32  // a relative POSIX path is made absolute against a POSIX current folder
TEST(PathToUrlPosix, FileBaseGivesTheAbsolutePath) {
  EXPECT_EQ(PathToUrl("/home/u/a.gif", "file:///", kPosix), "file:///home/u/a.gif");
  EXPECT_EQ(PathToUrl("/", "file:///", kPosix), "file:///");
  const std::string cwd = platform::CurrentDirectory();
  EXPECT_EQ(PathToUrl("pics/../pics/a.gif", "file:///", kPosix),
            "file://" + (cwd == "/" ? std::string() : cwd) + "/pics/a.gif");
}
#endif

TEST(PathToUrlPosix, WebBaseTakesThePathBelowTheRoot) {
  EXPECT_EQ(PathToUrl("/home/u/a.gif", "http://h/x/", kPosix), "http://h/x/home/u/a.gif");
  EXPECT_EQ(PathToUrl("/home/u/a.gif", "http://h/x", kPosix), "http://h/x/home/u/a.gif");
  EXPECT_EQ(PathToUrl("/", "http://h/x", kPosix), "http://h/x/");
}

TEST(UrlEncoding, EncodesOnlyWhatChangesAUrlsMeaning) {
  EXPECT_EQ(UrlEncoded("a#1 100%?.gif", kPosix), "a%231 100%25%3F.gif");
  EXPECT_EQ(UrlEncoded("tab\there\nnew\x7F", kPosix), "tab%09here%0Anew%7F");
  // A browser reads "\" as "/" in a file URL; only POSIX names can hold one.
  EXPECT_EQ(UrlEncoded("a\\b.gif", kPosix), "a%5Cb.gif");
  EXPECT_EQ(UrlEncoded("a\\b.gif", kWin), "a\\b.gif");
  EXPECT_EQ(UrlEncoded("caf\xC3\xA9&\"x\".gif", kPosix), "caf\xC3\xA9&\"x\".gif");
  EXPECT_EQ(PathToUrl("C:\\PICS #1\\a?.gif", "file:///", kWin), "file:///C|\\PICS %231\\a%3F.gif");
  EXPECT_EQ(PathToUrl("/p/100%/a#.gif", "http://h/", kPosix), "http://h/p/100%25/a%23.gif");
  // The base is the user's URL and is left alone.
  EXPECT_EQ(PathToUrl("/p/a.gif", "http://h/?x=#", kPosix), "http://h/?x=#/p/a.gif");
}

TEST(UrlEncoding, BlanksAreEncodedOnlyAtTheEndsWhereBrowsersStripThem) {
  // A browser strips blanks and control characters from both ends of an
  // attribute's URL; encoded, they stay part of the name. Blanks inside stay
  // as the page format writes them: the browser encodes them itself.
  EXPECT_EQ(UrlEncoded(" c.jpg", kPosix), "%20c.jpg");
  EXPECT_EQ(UrlEncoded("c.jpg  ", kWin), "c.jpg%20%20");
  EXPECT_EQ(UrlEncoded("  ", kWin), "%20%20");
  EXPECT_EQ(UrlEncoded(" a  b ", kPosix), "%20a  b%20");
  EXPECT_EQ(UrlEncoded(" a b ", kPosix, UrlEnds::Last), " a b%20");
  EXPECT_EQ(UrlEncoded(" a b ", kPosix, UrlEnds::None), " a b ");
  EXPECT_EQ(UrlEncoded("\x01\x1F", kWin), "%01%1F");
  EXPECT_EQ(UrlEncoded("a\tb c", kWin, UrlEnds::None), "a%09b c");
  // A path follows the scheme or the base: only its last blanks end the URL.
  EXPECT_EQ(PathToUrl("/my pics/ a.gif", "file:///", kPosix), "file:///my pics/ a.gif");
  EXPECT_EQ(PathToUrl("/my pics/a.gif ", "file:///", kPosix), "file:///my pics/a.gif%20");
  EXPECT_EQ(PathToUrl("C:\\my pics\\a.gif", "http://h/", kWin), "http://h/my pics/a.gif");
}

TEST(UrlEncoding, BytesThatAreNotUtf8AreEncodedAndUtf8StaysReadable) {
  EXPECT_EQ(UrlEncoded("caf\xE9.gif", kPosix), "caf%E9.gif");
  EXPECT_EQ(UrlEncoded("caf\xC3\xA9.gif", kPosix), "caf\xC3\xA9.gif");
  EXPECT_EQ(UrlEncoded("\xF0\x9F\x98\x80", kPosix), "\xF0\x9F\x98\x80");
  // Overlong, surrogate and truncated forms: every byte on its own.
  EXPECT_EQ(UrlEncoded("x\xC0\xAEgif", kPosix), "x%C0%AEgif");
  EXPECT_EQ(UrlEncoded("\xED\xA0\x80", kPosix), "%ED%A0%80");
  EXPECT_EQ(UrlEncoded("\xE2\x82", kPosix), "%E2%82");
  EXPECT_EQ(UrlEncoded("\xE2\x82\xE2\x82\xAC", kPosix), "%E2%82\xE2\x82\xAC");
  EXPECT_EQ(UrlEncoded("\x80\xFF", kWin), "%80%FF");
  EXPECT_EQ(PathToUrl("/d\xFC/a.gif", "file:///", kPosix), "file:///d%FC/a.gif");
}

TEST(DirectoryUrl, EndsWithTheSeparatorOfItsKind) {
  EXPECT_EQ(DirectoryUrl("C:\\PICS", "file:///", kWin), "file:///C|\\PICS\\");
  EXPECT_EQ(DirectoryUrl("C:\\", "file:///", kWin), "file:///C|\\");
  EXPECT_EQ(DirectoryUrl("C:\\PICS", "http://h/base/", kWin), "http://h/base/PICS/");
  EXPECT_EQ(DirectoryUrl("C:\\", "http://h/base", kWin), "http://h/base/");
  EXPECT_EQ(DirectoryUrl("/home/u", "file:///", kPosix), "file:///home/u/");
  EXPECT_EQ(DirectoryUrl("/", "file:///", kPosix), "file:///");
  EXPECT_EQ(DirectoryUrl("/home/u", "http://h", kPosix), "http://h/home/u/");
}

TEST(PatternUrl, ConvertsPathsAndKeepsBareNamesAsTyped) {
  EXPECT_EQ(PatternUrl("C:\\PICS\\back.gif", "file:///", kWin), "file:///C|\\PICS\\back.gif");
  EXPECT_EQ(PatternUrl("back.gif", "file:///", kWin), "back.gif");
  EXPECT_EQ(PatternUrl("", "file:///", kWin), "");
  EXPECT_EQ(PatternUrl("/pics/back.gif", "http://h/", kPosix), "http://h/pics/back.gif");
  EXPECT_EQ(PatternUrl("back #2.gif", "file:///", kPosix), "back %232.gif");
  EXPECT_EQ(PatternUrl(" back.gif ", "file:///", kPosix), "%20back.gif%20");
}

}  // namespace
}  // namespace pixdeck
