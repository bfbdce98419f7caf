// What every platform layer promises through the interfaces in src/platform,
// checked the same way on Windows and on POSIX.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "expected_assertions.h"
#include "platform/collate.h"
#include "platform/dde.h"
#include "platform/file_system.h"
#include "platform/shell.h"
#include "scratch_dir.h"
#include "text/ascii.h"
#include "text/utf8_path.h"
#include "util/paths.h"

namespace pixdeck {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;

struct Found {
  std::string name;
  std::uint64_t size;
  bool isDirectory;
  bool operator==(const Found&) const = default;
};

std::vector<Found> Search(const ScratchDir& dir, const std::string& pattern, bool* read = nullptr) {
  std::vector<Found> found;
  const Expected<void> searched = platform::FindMatches(
      JoinPath(dir.path().string(), pattern), [&](const platform::DirEntry& entry) {
        found.push_back({entry.name, entry.size, entry.isDirectory});
      });
  if (read != nullptr) {
    *read = searched.has_value();
  }
  std::sort(found.begin(), found.end(),
            [](const Found& a, const Found& b) { return a.name < b.name; });
  return found;
}

TEST(PlatformSearch, WildcardsIgnoreCaseAndReportFoldersAndSizes) {
  ScratchDir dir;
  dir.write("a.gif", "123");
  dir.write("B.GIF", "");
  dir.write("ab.gif", "1");
  dir.write("photo.jpg", "1");
  dir.write("folder.gif/inside.txt", "1");
  const auto gifs = Search(dir, "*.Gif");
  ASSERT_EQ(gifs.size(), 4u);
  EXPECT_EQ(gifs[0], (Found{"B.GIF", 0, false}));
  EXPECT_EQ(gifs[1], (Found{"a.gif", 3, false}));
  EXPECT_EQ(gifs[2], (Found{"ab.gif", 1, false}));
  EXPECT_EQ(gifs[3].name, "folder.gif");
  EXPECT_TRUE(gifs[3].isDirectory);

  const auto one = Search(dir, "?.gif");
  ASSERT_EQ(one.size(), 2u);
  EXPECT_EQ(one[0].name, "B.GIF");
  EXPECT_EQ(one[1].name, "a.gif");
}

TEST(PlatformSearch, NamesComeBackAsUtf8) {
  ScratchDir dir;
  dir.write("caf\xc3\xa9 \xe2\x82\xac.gif", "12");
  const auto found = Search(dir, "CAF*");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0], (Found{"caf\xc3\xa9 \xe2\x82\xac.gif", 2, false}));
  EXPECT_TRUE(platform::FileExists(dir.file(found[0].name)));
}

TEST(PlatformSearch, AFolderWithoutMatchesIsReadAndAMissingOneIsNot) {
  ScratchDir dir;
  dir.write("a.gif", "1");
  bool read = false;
  EXPECT_TRUE(Search(dir, "*.png", &read).empty());
  EXPECT_TRUE(read);
  EXPECT_TRUE(Search(dir, "missing/*.gif", &read).empty());
  EXPECT_FALSE(read);
}

TEST(PlatformFiles, ExistenceOpeningAndRemoval) {
  ScratchDir dir;
  const std::string file = dir.write("\xc3\xa4 page.htm", "x");
  EXPECT_TRUE(platform::FileExists(file));
  EXPECT_FALSE(platform::DirectoryExists(file));
  EXPECT_TRUE(platform::DirectoryExists(dir.path().string()));
  EXPECT_FALSE(platform::FileExists(dir.path().string())) << "a folder is no file";
  EXPECT_TRUE(platform::CanOpenForReading(file));
  EXPECT_FALSE(platform::CanOpenForReading(dir.file("missing.htm")));
  EXPECT_FALSE(platform::DirectoryExists(""));
  EXPECT_TRUE(test::Succeeded(platform::RemoveFile(file)));
  EXPECT_FALSE(platform::FileExists(file));
  const Expected<void> again = platform::RemoveFile(file);
  ASSERT_FALSE(again);
  EXPECT_NE(again.error().find("Cannot delete file " + file + ": "), std::string::npos)
      << again.error();
}

TEST(PlatformFiles, NewFilesAreMadeOnlyWhereNothingIsNamedSo) {
  ScratchDir dir;
  const std::string fresh = dir.file("~.HTM");
  EXPECT_TRUE(test::Succeeded(platform::CreateNewFile(fresh)));
  EXPECT_TRUE(platform::FileExists(fresh));
  EXPECT_EQ(ScratchDir::read(fresh), "");
  const std::string mine = dir.write("mine.htm", "kept");
  const Expected<void> existing = platform::CreateNewFile(mine);
  ASSERT_FALSE(existing);
  EXPECT_NE(existing.error().find("Cannot create file " + mine + ": "), std::string::npos)
      << existing.error();
  EXPECT_EQ(ScratchDir::read(mine), "kept") << "an existing file is not truncated";
  EXPECT_FALSE(platform::CreateNewFile(dir.path().string()));
  EXPECT_FALSE(platform::CreateNewFile(dir.file("no such folder/~.HTM")));
  EXPECT_FALSE(platform::CreateNewFile(""));
#ifndef _WIN32
  // A link that points nowhere is not followed to create its target.
  const std::string target = dir.file("target.htm");
  fs::create_symlink(target, dir.file("dangling.htm"));
  EXPECT_FALSE(platform::CreateNewFile(dir.file("dangling.htm")));
  EXPECT_FALSE(fs::exists(target));
#endif
}

TEST(PlatformFiles, ReadOnlyFilesAreSeen) {
  ScratchDir dir;
  const std::string file = dir.write("settings.ini", "");
  EXPECT_FALSE(platform::IsReadOnlyFile(file));
  fs::permissions(PathFromUtf8(file),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_TRUE(platform::IsReadOnlyFile(file));
  fs::permissions(PathFromUtf8(file), fs::perms::owner_write, fs::perm_options::add);
  EXPECT_FALSE(platform::IsReadOnlyFile(file));
}

TEST(PlatformFiles, AtomicReplaceWritesEveryByteAndLeavesNothingBeside) {
  ScratchDir dir;
  const std::string contents("line 1\r\nline 2\n\0end", 19);
  const std::string file = dir.file("new.ini");
  ASSERT_TRUE(test::Succeeded(platform::ReplaceFileAtomically(file, contents)));
  EXPECT_EQ(ScratchDir::read(file), contents);
  ASSERT_TRUE(test::Succeeded(platform::ReplaceFileAtomically(file, "short")));
  EXPECT_EQ(ScratchDir::read(file), "short");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
}

TEST(PlatformFiles, UniqueTemporaryFiles) {
  ScratchDir dir;
  const Expected<std::string> made = platform::CreateUniqueTempFile(dir.path().string(), "pdk");
  const Expected<std::string> madeToo = platform::CreateUniqueTempFile(dir.path().string(), "pdk");
  ASSERT_TRUE(test::Succeeded(made));
  ASSERT_TRUE(test::Succeeded(madeToo));
  const std::string& first = *made;
  const std::string& second = *madeToo;
  EXPECT_NE(first, second);
  EXPECT_EQ(DirOf(first), dir.path().string());
  EXPECT_EQ(NameOf(first).rfind("pdk", 0), 0u) << first;
  EXPECT_EQ(UpperAscii(ExtOf(first)), "TMP");
  EXPECT_TRUE(platform::FileExists(first));
  EXPECT_EQ(ScratchDir::read(first), "");
  const Expected<std::string> none = platform::CreateUniqueTempFile(dir.file("gone"), "pdk");
  ASSERT_FALSE(none);
  EXPECT_NE(none.error().find(dir.file("gone")), std::string::npos) << none.error();

  const Expected<std::string> tempDirectory = platform::TempDirectory();
  ASSERT_TRUE(test::Succeeded(tempDirectory));
  const std::string& temp = *tempDirectory;
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), SeparatorOf(kNativeStyle));
  EXPECT_TRUE(platform::DirectoryExists(temp));
}

TEST(PlatformFiles, ProgramAndCurrentFolder) {
  EXPECT_TRUE(platform::FileExists(platform::ProgramFilePath()));
  EXPECT_EQ(platform::CurrentDirectory(), Utf8FromPath(fs::current_path()));
  EXPECT_FALSE(platform::PerUserConfigDirectory().empty());
  EXPECT_TRUE(platform::DirectoryExists(platform::PerUserConfigDirectory()));
  ScratchDir dir;
  EXPECT_FALSE(platform::IsOnReadOnlyMedium(dir.path().string()));
  const std::string file = dir.write("x.htm", "x");
  EXPECT_TRUE(platform::FileExists(platform::ShortPath(file)));
}

TEST(PlatformCollate, CaseIsIgnoredAndTheOrderIsConsistent) {
  EXPECT_EQ(platform::CompareTextLocale("Images.HTM", "images.htm"), 0);
  EXPECT_LT(platform::CompareTextLocale("A.jpg", "b.GIF"), 0);
  EXPECT_GT(platform::CompareTextLocale("b.GIF", "A.jpg"), 0);
  EXPECT_LT(platform::CompareTextLocale("b.GIF", "c.gif"), 0);
  EXPECT_LT(platform::CompareTextLocale("", "a"), 0);
  EXPECT_EQ(platform::CompareTextLocale("Gray", "GRAY"), 0);
  EXPECT_GT(platform::CompareTextLocale("c.gif", "B.GIF"), 0);
  EXPECT_EQ(platform::CompareTextLocale("\xC3\x84rger", "\xC3\xA4RGER"), 0);
  EXPECT_EQ(platform::CompareTextLocale("\xC5\xB8.gif", "\xC3\xBF.GIF"), 0);
  // A stray byte is not the letter it stands for in Latin-1.
  EXPECT_NE(platform::CompareTextLocale("caf\xC9", "caf\xC3\xA9"), 0);
}

TEST(PlatformShellAndDde, NothingAnswersForNothing) {
  EXPECT_EQ(platform::FindExecutable(""), "");
  EXPECT_FALSE(platform::StartProgram("", "x"));
  ScratchDir dir;
  EXPECT_FALSE(platform::StartProgram(dir.file("missing program"), "x"));
  const Expected<void> missing = platform::StartProgram(dir.file("missing.exe"), "x");
  ASSERT_FALSE(missing);
  EXPECT_NE(missing.error().find(dir.file("missing.exe")), std::string::npos) << missing.error();
  EXPECT_EQ(platform::DdeRequest("", "WWW_OpenURL", "x"), "");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(platform::DdeRequest("PIXDECK_NO_SUCH_SERVICE", "WWW_OpenURL", "x"), "");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5))
      << "nobody listening is known at once, not after the time-out";
}

}  // namespace
}  // namespace pixdeck
