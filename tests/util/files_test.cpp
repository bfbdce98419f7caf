#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "expected_assertions.h"
#include "platform/file_system.h"
#include "scratch_dir.h"
#include "test_child.h"
#include "util/file_status.h"
#include "util/paths.h"
#include "util/program_dirs.h"
#include "util/read_only_media.h"
#include "util/temp_files.h"

namespace pixdeck {
namespace {

using test::ScratchDir;

// The variable that names the temporary folder.
#ifdef _WIN32
constexpr const char* kTempVar = "TMP";
void SetEnv(const char* name, const std::string& value) {
  _putenv_s(name, value.c_str());
}
void UnsetEnv(const char* name) {
  _putenv_s(name, "");
}
#else
constexpr const char* kTempVar = "TMPDIR";
void SetEnv(const char* name, const std::string& value) {
  ::setenv(name, value.c_str(), 1);
}
void UnsetEnv(const char* name) {
  ::unsetenv(name);
}
#endif

std::vector<platform::DirEntry> Search(const std::string& searchPath) {
  std::vector<platform::DirEntry> found;
  EXPECT_TRUE(test::Succeeded(
      platform::FindMatches(searchPath, [&](const platform::DirEntry& e) { found.push_back(e); })));
  std::sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.name < b.name; });
  return found;
}

TEST(DirectorySearch, ReportsMatchingFilesAndFoldersWithSizes) {
  ScratchDir dir;
  dir.write("b.GIF", "12345");
  dir.write("a.jpg", "1");
  dir.write("old.gif/inner.txt", "x");
  dir.write(".hidden.gif", "");
  const auto found = Search(JoinPath(dir.path().string(), "*.gif"));
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].name, ".hidden.gif");
  EXPECT_EQ(found[1].name, "b.GIF");
  EXPECT_EQ(found[1].size, 5u);
  EXPECT_FALSE(found[1].isDirectory);
  EXPECT_EQ(found[2].name, "old.gif");
  EXPECT_TRUE(found[2].isDirectory);
}

TEST(DirectorySearch, DotEntriesMatchAStar) {
  ScratchDir dir;
  const auto found = Search(JoinPath(dir.path().string(), "*"));
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].name, ".");
  EXPECT_EQ(found[1].name, "..");
}

TEST(DirectorySearch, MissingFolderFindsNothing) {
  ScratchDir dir;
  bool called = false;
  const Expected<void> searched =
      platform::FindMatches(dir.file("none/*.gif"), [&](auto&) { called = true; });
  ASSERT_FALSE(searched);
  EXPECT_NE(searched.error().find(dir.file("none")), std::string::npos) << searched.error();
  EXPECT_FALSE(called);
  // A folder without matches is no failure.
  EXPECT_TRUE(
      test::Succeeded(platform::FindMatches(dir.file("*.none"), [&](auto&) { called = true; })));
  EXPECT_FALSE(called);
}

TEST(FileStatus, DistinguishesMissingFilesAndFolders) {
  ScratchDir dir;
  const std::string file = dir.write("a.htm", "x");
  EXPECT_EQ(FileStatusIfExists(file), 1);
  EXPECT_EQ(FileStatusIfExists(dir.file("missing.htm")), 0);
  EXPECT_EQ(FileStatusIfExists(dir.path().string()), 0) << "a folder is no file";
  EXPECT_TRUE(DirExists(dir.path().string()));
  EXPECT_FALSE(DirExists(file));
  EXPECT_TRUE(DirExists("/"));
}

TEST(DeleteFileIfFree, DeletesFreeFilesAndAcceptsMissingOnes) {
  ScratchDir dir;
  const std::string file = dir.write("a.htm", "x");
  EXPECT_TRUE(DeleteFileIfFree(file));
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(DeleteFileIfFree(file)) << "nothing left to delete";
}

#ifndef _WIN32
TEST(DeleteFileIfFree, ReportsAFileThatCannotBeDeleted) {
  // Root may delete in a read-only folder: the case runs as an ordinary user.
  if (test::RunningAsRoot()) {
    EXPECT_EQ(test::RunCurrentCaseInChild(/*unprivileged=*/true), 0);
    return;
  }
  ScratchDir dir;
  const std::string file = dir.write("locked/a.htm", "x");
  ASSERT_EQ(::chmod(dir.file("locked").c_str(), 0500), 0);
  const bool deleted = DeleteFileIfFree(file);
  const bool left = std::filesystem::exists(file);
  ::chmod(dir.file("locked").c_str(), 0700);
  EXPECT_FALSE(deleted);
  EXPECT_TRUE(left);
  // Once the folder allows it, the same call deletes.
  EXPECT_TRUE(DeleteFileIfFree(file));
  EXPECT_FALSE(std::filesystem::exists(file));
}
#endif

TEST(TempFileName, GivesNewEmptyFilesWithThePrefix) {
  ScratchDir dir;
  SetEnv(kTempVar, dir.path().string());
  const std::string first = TempFileName();
  const std::string second = TempFileName();
  UnsetEnv(kTempVar);
  ASSERT_FALSE(first.empty());
  EXPECT_NE(first, second);
  EXPECT_EQ(DirOf(first), dir.path().string());
  EXPECT_EQ(NameOf(first).rfind("pdk", 0), 0u);
  EXPECT_EQ(ExtOf(first), "tmp");
  EXPECT_EQ(std::filesystem::file_size(first), 0u);
  EXPECT_EQ(std::filesystem::file_size(second), 0u);
}

TEST(TempFileName, IsEmptyWithoutATemporaryFolder) {
  ScratchDir dir;
  SetEnv(kTempVar, dir.file("gone"));
  const std::string name = TempFileName();
  UnsetEnv(kTempVar);
  EXPECT_EQ(name, "");
}

TEST(TempFileList, KeepsOneSortedEntryPerName) {
  TempFileList list;
  list.Register("/tmp/pdkB.htm");
  list.Register("/tmp/pdkA.htm");
  list.Register("/tmp/PDKa.htm");
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/tmp/pdkA.htm", "/tmp/pdkB.htm"}));
}

TEST(TempFileList, StopsAtTheFirstFileThatCannotBeDeleted) {
  TempFileList list;
  list.Register("/t/pdk2.htm");
  list.Register("/t/pdk1.htm");
  list.Register("/t/pdk3.htm");
  std::vector<std::string> tried;
  const bool all = list.DeleteAll([&](const std::string& path) {
    tried.push_back(path);
    return path != "/t/pdk2.htm";  // still open elsewhere
  });
  EXPECT_FALSE(all);
  EXPECT_EQ(tried, (std::vector<std::string>{"/t/pdk1.htm", "/t/pdk2.htm"}))
      << "entries after the stuck one are not tried";
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/t/pdk2.htm", "/t/pdk3.htm"}));
}

TEST(TempFileList, DeletesEverythingWhenFree) {
  ScratchDir dir;
  TempFileList list;
  list.Register(dir.write("pdk1.htm", "x"));
  list.Register(dir.write("pdk2.htm", "x"));
  EXPECT_TRUE(list.DeleteAll());
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(ReplaceFileAtomically, ReplacesWholeAndKeepsTheOldFileOnFailure) {
  ScratchDir dir;
  const std::string page = dir.write("page.htm", "old");
  ASSERT_TRUE(test::Succeeded(platform::ReplaceFileAtomically(page, "new")));
  EXPECT_EQ(ScratchDir::read(page), "new");

  const std::string inMissingFolder = dir.file("missing/page.htm");
  const Expected<void> missing = platform::ReplaceFileAtomically(inMissingFolder, "x");
  ASSERT_FALSE(missing);
  // The path, then the system's own words (which differ between systems).
  const std::string named = "Cannot create file " + inMissingFolder + ": ";
  EXPECT_EQ(missing.error().substr(0, named.size()), named);
  EXPECT_GT(missing.error().size(), named.size());

  // A folder where the new page cannot be renamed into place: the old content stays.
  const std::string folderPage = dir.file("sub.htm");
  std::filesystem::create_directories(folderPage + "/inner");
  EXPECT_FALSE(platform::ReplaceFileAtomically(folderPage, "x"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2)
      << "no temporary file is left behind";
}

TEST(ReplaceFileAtomically, AReadOnlyFileIsAWriteFailureNamingIt) {
  ScratchDir dir;
  const std::string page = dir.write("page.htm", "old");
  namespace fs = std::filesystem;
  const auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(page, writable, fs::perm_options::remove);
  const Expected<void> refused = platform::ReplaceFileAtomically(page, "new");
  ASSERT_FALSE(refused);
  EXPECT_NE(refused.error().find(page), std::string::npos) << refused.error();
  fs::permissions(page, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(ScratchDir::read(page), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1)
      << "no temporary file is left behind";
  ASSERT_TRUE(test::Succeeded(platform::ReplaceFileAtomically(page, "new")));
  EXPECT_EQ(ScratchDir::read(page), "new");
}

#ifndef _WIN32  // symbolic links, modes and 255-byte names are POSIX matters here
TEST(ReplaceFileAtomically, ALinkStaysALinkAndItsTargetIsReplaced) {
  namespace fs = std::filesystem;
  ScratchDir dir;
  const std::string real = dir.write("site/real.htm", "old");
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  fs::create_symlink("site/real.htm", dir.path() / "middle.htm");  // relative to its folder
  fs::create_symlink(dir.path() / "middle.htm", dir.path() / "page.htm");
  ASSERT_TRUE(test::Succeeded(platform::ReplaceFileAtomically(dir.file("page.htm"), "new")));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "page.htm"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "middle.htm"));
  EXPECT_EQ(fs::read_symlink(dir.path() / "middle.htm"), "site/real.htm");
  EXPECT_EQ(ScratchDir::read(real), "new");
  struct stat info {};
  ASSERT_EQ(::stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u) << "the target keeps its mode";
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "site"), {}), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 3);

  // A link to nothing yet: the write creates its target, as a plain write would.
  fs::create_symlink("site/new.htm", dir.path() / "dangling.htm");
  ASSERT_TRUE(test::Succeeded(platform::ReplaceFileAtomically(dir.file("dangling.htm"), "made")));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling.htm"));
  EXPECT_EQ(ScratchDir::read(dir.file("site/new.htm")), "made");

  // A link to a read-only page is refused like the page itself.
  ASSERT_EQ(::chmod(real.c_str(), 0444), 0);
  const Expected<void> refused = platform::ReplaceFileAtomically(dir.file("page.htm"), "again");
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error(), "Cannot create file " + dir.file("page.htm") + ": Permission denied");
  EXPECT_EQ(ScratchDir::read(real), "new");
}

TEST(ReplaceFileAtomically, ANameAsLongAsAFolderAllows) {
  ScratchDir dir;
  const std::string longest = std::string(251, 'p') + ".htm";
  ASSERT_TRUE(test::Succeeded(platform::ReplaceFileAtomically(dir.file(longest), "first")));
  ASSERT_TRUE(test::Succeeded(platform::ReplaceFileAtomically(dir.file(longest), "second")));
  EXPECT_EQ(ScratchDir::read(dir.file(longest)), "second");
  std::string umlauts = "x";
  for (int i = 0; i < 125; ++i) {
    umlauts += "\xC3\xA4";  // 250 bytes of two-byte characters
  }
  umlauts += ".htm";
  ASSERT_EQ(umlauts.size(), 255u);
  ASSERT_TRUE(test::Succeeded(platform::ReplaceFileAtomically(dir.file(umlauts), "third")));
  EXPECT_EQ(ScratchDir::read(dir.file(umlauts)), "third");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}
#endif

TEST(ReadRegularFile, ReadsWholeFilesUpToTheLimitAndNothingElse) {
  ScratchDir dir;
  const std::string file = dir.write("a.txt", std::string(100000, 'x'));
  const auto whole = platform::ReadRegularFile(file, 100000);
  ASSERT_TRUE(whole.has_value());
  EXPECT_EQ(whole->size(), 100000u);
  EXPECT_FALSE(platform::ReadRegularFile(file, 99999).has_value());
  const auto empty = platform::ReadRegularFile(dir.write("empty.txt", ""), 10);
  ASSERT_TRUE(empty.has_value());
  EXPECT_TRUE(empty->empty());
  EXPECT_FALSE(platform::ReadRegularFile(dir.file("missing.txt"), 10).has_value());
  EXPECT_FALSE(platform::ReadRegularFile(dir.path().string(), 10).has_value());
#ifndef _WIN32
  EXPECT_FALSE(platform::ReadRegularFile("/dev/zero", 1 << 20).has_value());
#endif
}

// The folder probe is made in the folder itself on every system (where the
// drive probe on Windows goes to the drive's root, which exists).
TEST(ReadOnlyMedium, TheFolderProbeIsMadeInTheFolderAndRemoved) {
  ScratchDir dir;
  EXPECT_FALSE(IsFolderReadOnly(dir.path().string()));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "the probe is removed";
  EXPECT_TRUE(IsFolderReadOnly(dir.file("missing")));
}

// Windows probes the root of the folder's drive instead.
#ifndef _WIN32
TEST(ReadOnlyMedium, ProbesTheFolder) {
  ScratchDir dir;
  EXPECT_FALSE(IsDriveReadOnly(dir.path().string()));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "the probe is removed";
  EXPECT_TRUE(IsDriveReadOnly(dir.file("missing")));
}

// The probe's name may be taken by a file of the user's, or by a link to
// one: the probe leaves both alone and still finds the folder writable.
TEST(ReadOnlyMedium, AFileOfTheProbesNameIsNeverTouched) {
  ScratchDir dir;
  const std::string mine = dir.write("pdk~.tmp", "the user's own");
  EXPECT_FALSE(IsDriveReadOnly(dir.path().string()));
  EXPECT_EQ(ScratchDir::read(mine), "the user's own");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1)
      << "no probe of a unique name is left";

  ScratchDir linked;
  const std::string target = linked.write("target.txt", "pointed at");
  std::filesystem::create_symlink(target, linked.file("pdk~.tmp"));
  EXPECT_FALSE(IsDriveReadOnly(linked.path().string()));
  EXPECT_TRUE(std::filesystem::is_symlink(linked.file("pdk~.tmp")));
  EXPECT_EQ(ScratchDir::read(target), "pointed at");
}
#endif

TEST(ProgramFolders, ProgramDirHoldsThisTest) {
  EXPECT_TRUE(DirExists(ProgramDir()));
  EXPECT_EQ(HomeDir(), ProgramDir());
  SetOnCdRom(true);
  EXPECT_EQ(HomeDir(), WindowsDir());
  SetOnCdRom(false);
}

}  // namespace
}  // namespace pixdeck
