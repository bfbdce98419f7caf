#include <gtest/gtest.h>

#include "util/paths.h"

#include "text/ascii.h"

namespace pixdeck {
namespace {

constexpr auto W = PathStyle::Windows;
constexpr auto P = PathStyle::Posix;

TEST(WindowsPaths, DirOfKeepsOnlyRootSeparators) {
  EXPECT_EQ(DirOf("C:\\PICS\\a.gif", W), "C:\\PICS");
  EXPECT_EQ(DirOf("C:\\a.gif", W), "C:\\");
  EXPECT_EQ(DirOf("C:\\", W), "C:\\");
  EXPECT_EQ(DirOf("C:\\PICS\\", W), "C:\\PICS");
  EXPECT_EQ(DirOf("a.gif", W), "");
  EXPECT_EQ(DirOf("C:a.gif", W), "C:");
  EXPECT_EQ(DirOf("\\a.gif", W), "\\");
  EXPECT_EQ(DirOf("", W), "");
  EXPECT_EQ(DirOf("\\\\server\\share\\a.gif", W), "\\\\server\\share");
}

TEST(WindowsPaths, JoinPathNeverDoublesTheSeparator) {
  EXPECT_EQ(JoinPath("C:\\", "a.gif", W), "C:\\a.gif");
  EXPECT_EQ(JoinPath("", "a.gif", W), "a.gif");
  EXPECT_EQ(JoinPath("C:\\PICS", "", W), "C:\\PICS\\");
  EXPECT_EQ(JoinPath("C:\\PICS", "*.gif;*.jpg", W), "C:\\PICS\\*.gif;*.jpg");
}

TEST(WindowsPaths, ExtensionsComeFromTheFileNameOnly) {
  EXPECT_EQ(ForceExt("C:\\A\\prog.exe", "INI", W), "C:\\A\\prog.INI");
  EXPECT_EQ(ForceExt("C:\\my.dir\\page", "htm", W), "C:\\my.dir\\page.htm");
  EXPECT_EQ(ForceExt("C:\\TEMP\\pdk1A.tmp", "htm", W), "C:\\TEMP\\pdk1A.htm");
  EXPECT_EQ(ExtOf("C:\\my.dir\\page", W), "");
  EXPECT_EQ(ExtOf("images.HTML", W), "HTML");
  EXPECT_EQ(ExtOf("C:page.htm", W), "htm");
  EXPECT_EQ(NameOf("C:\\PICS\\a b.gif", W), "a b.gif");
}

TEST(WindowsPaths, DriveLetters) {
  EXPECT_EQ(DriveLetterOf("c:\\x", W), 'C');
  EXPECT_EQ(DriveLetterOf("\\\\server\\share\\x", W), ' ');
  EXPECT_EQ(DriveLetterOf("pics\\x", W), ' ');
  EXPECT_EQ(DriveLetterOf("c:\\x", P), ' ');
}

TEST(WindowsPaths, RelativeToIgnoresCaseButNotSubfolders) {
  EXPECT_EQ(RelativeTo("C:\\PICS", "c:\\pics\\a.gif", W), "a.gif");
  EXPECT_EQ(RelativeTo("C:\\PICS", "C:\\PICS\\SUB\\a.gif", W), "C:\\PICS\\SUB\\a.gif");
  EXPECT_EQ(RelativeTo("C:\\PICS", "a.gif", W), "a.gif");
  EXPECT_TRUE(SameDir("d:\\web", "D:\\WEB", W));
  EXPECT_FALSE(SameDir("D:\\WEB", "D:\\WEB\\X", W));
}

TEST(PosixPaths, DirOfAndJoin) {
  EXPECT_EQ(DirOf("/a/b.gif", P), "/a");
  EXPECT_EQ(DirOf("/a.gif", P), "/");
  EXPECT_EQ(DirOf("a.gif", P), "");
  EXPECT_EQ(DirOf("/", P), "/");
  EXPECT_EQ(DirOf("pics/a.gif", P), "pics");
  // A run of separators counts as one.
  EXPECT_EQ(DirOf("pics//a.gif", P), "pics");
  EXPECT_EQ(DirOf("/pics///a.gif", P), "/pics");
  EXPECT_EQ(DirOf("//a.gif", P), "/");
  EXPECT_EQ(DirOf("C:\\PICS\\a.gif", P), "") << "a backslash is an ordinary character on POSIX";
  EXPECT_EQ(JoinPath("/", "a.gif", P), "/a.gif");
  EXPECT_EQ(JoinPath("/pics", "a.gif", P), "/pics/a.gif");
  EXPECT_EQ(ForceExt("/home/u/pixdeck", "INI", P), "/home/u/pixdeck.INI");
  EXPECT_EQ(ForceExt("/my.dir/page", "htm", P), "/my.dir/page.htm");
}

TEST(InstalledData, LiesInTheShareFolderBesideTheProgramsFolder) {
  EXPECT_EQ(InstalledDataDir("/usr/bin", P), "/usr/share/pixdeck");
  EXPECT_EQ(InstalledDataDir("/opt/pixdeck/bin", P), "/opt/pixdeck/share/pixdeck");
  EXPECT_EQ(InstalledDataDir("/bin", P), "/share/pixdeck");
  EXPECT_EQ(InstalledDataDir("C:\\PIXDECK\\BIN", W), "C:\\PIXDECK\\share\\pixdeck");
}

TEST(PosixPaths, FoldersCompareExactlyAfterNormalising) {
  EXPECT_TRUE(SameDir("/a/./b/", "/a/b", P));
  EXPECT_TRUE(SameDir("/a/c/../b", "/a/b", P));
  EXPECT_FALSE(SameDir("/PICS", "/pics", P));
  EXPECT_EQ(NormalizedDir("//", P), "/");
  EXPECT_EQ(RelativeTo("/pics", "/pics/./a.gif", P), "a.gif");
  EXPECT_EQ(RelativeTo("/pics", "/PICS/a.gif", P), "/PICS/a.gif");
}

TEST(AsciiCase, OnlyAsciiLettersChange) {
  EXPECT_EQ(UpperAscii("c:\\pics\\\xC3\xA4.gif"), "C:\\PICS\\\xC3\xA4.GIF");
  EXPECT_TRUE(EqualsNoCaseAscii("File", "fILE"));
  EXPECT_FALSE(EqualsNoCaseAscii("File", "Files"));
}

}  // namespace
}  // namespace pixdeck
