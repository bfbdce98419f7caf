// The file-system calls where Windows has its own rules: sharing, attributes,
// temporary names, short names and the system's folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "expected_assertions.h"
#include "platform/file_system.h"
#include "scratch_dir.h"
#include "text/ascii.h"
#include "text/utf8_path.h"
#include "util/file_status.h"
#include "util/paths.h"
#include "util/program_dirs.h"
#include "util/read_only_media.h"
#include "util/temp_files.h"
#include "win32_test_support.h"

namespace pixdeck {
namespace {

using test::ScratchDir;
using test::Wide;

// Holds a file open with no sharing, as another program may.
class ExclusiveHandle {
 public:
  explicit ExclusiveHandle(const std::string& path)
      : handle_(::CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~ExclusiveHandle() { Close(); }
  bool Open() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Close() {
    if (handle_ != INVALID_HANDLE_VALUE)
      ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

TEST(GetTempFileName, MakesNewEmptyPdkFilesInTheSystemsTemporaryFolder) {
  wchar_t system[MAX_PATH + 1] = {};
  ASSERT_GT(::GetTempPathW(MAX_PATH, system), 0u);
  EXPECT_EQ(platform::TempDirectory().value_or(""), test::Narrow(system));

  const std::string first = TempFileName();
  const std::string second = TempFileName();
  ASSERT_FALSE(first.empty());
  ASSERT_FALSE(second.empty());
  EXPECT_NE(first, second);
  EXPECT_EQ(JoinPath(DirOf(first), ""), test::Narrow(system));
  const std::regex name("pdk[0-9A-F]{1,4}\\.tmp", std::regex::icase);
  EXPECT_TRUE(std::regex_match(NameOf(first), name)) << first;
  EXPECT_TRUE(std::regex_match(NameOf(second), name)) << second;
  EXPECT_EQ(std::filesystem::file_size(PathFromUtf8(first)), 0u);
  EXPECT_EQ(std::filesystem::file_size(PathFromUtf8(second)), 0u);
  EXPECT_TRUE(test::Succeeded(platform::RemoveFile(first)));
  EXPECT_TRUE(test::Succeeded(platform::RemoveFile(second)));
}

TEST(GetTempFileName, FailsInAMissingFolder) {
  ScratchDir dir;
  const Expected<std::string> none = platform::CreateUniqueTempFile(dir.file("gone"), "pdk");
  ASSERT_FALSE(none);
  // The folder, then the system's reason.
  EXPECT_EQ(none.error().rfind("Cannot create a temporary file in " + dir.file("gone") + ": ", 0),
            0u)
      << none.error();
}

TEST(FileSharing, AFileHeldOpenElsewhereCannotBeDeletedUntilReleased) {
  ScratchDir dir;
  const std::string page = dir.write("pdk1.htm", "x");
  ExclusiveHandle other(page);
  ASSERT_TRUE(other.Open());
  EXPECT_EQ(FileStatusIfExists(page), 4);
  EXPECT_FALSE(DeleteFileIfFree(page));
  EXPECT_TRUE(platform::FileExists(page));
  other.Close();
  EXPECT_EQ(FileStatusIfExists(page), 1);
  EXPECT_TRUE(DeleteFileIfFree(page));
  EXPECT_FALSE(platform::FileExists(page));
}

TEST(FileAttributes, TheReadOnlyAttributeIsSeen) {
  ScratchDir dir;
  const std::string file = dir.write("PIXDECK.INI", "");
  EXPECT_FALSE(platform::IsReadOnlyFile(file));
  ASSERT_TRUE(::SetFileAttributesW(Wide(file).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(platform::IsReadOnlyFile(file));
  EXPECT_TRUE(platform::CanOpenForReading(file));
  ::SetFileAttributesW(Wide(file).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(platform::IsReadOnlyFile(dir.file("missing")));
}

TEST(ShortPathName, GivesTheShortFormOfLongNames) {
  ScratchDir dir;
  const std::string file = dir.write("A long folder name\\A long picture name.jpeg", "x");
  const std::string shortPath = ShortPathOf(file);
  EXPECT_NE(shortPath, file);
  EXPECT_EQ(shortPath.find(' '), std::string::npos) << shortPath;
  EXPECT_TRUE(platform::FileExists(shortPath)) << shortPath;
  EXPECT_EQ(FileStatus(file), 1);
  EXPECT_EQ(ShortPathOf(dir.file("missing.htm")), dir.file("missing.htm"));
}

TEST(SystemFolders, WindowsDirectoryProgramAndDrives) {
  // The per-user folder is the user's own, never the Windows directory,
  // which users of current Windows cannot write.
  wchar_t appData[MAX_PATH + 1] = {};
  ASSERT_GT(::GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH), 0u);
  EXPECT_EQ(platform::PerUserConfigDirectory(), test::Narrow(appData) + "\\Pixdeck");
  EXPECT_TRUE(platform::DirectoryExists(WindowsDir()));
  EXPECT_EQ(WindowsDir(), platform::PerUserConfigDirectory());

  const std::string program = platform::ProgramFilePath();
  EXPECT_TRUE(platform::FileExists(program)) << program;
  EXPECT_EQ(UpperAscii(NameOf(program)), "PLATFORM_WIN32_TESTS.EXE");
  EXPECT_EQ(ProgramDir(), DirOf(program));
  EXPECT_EQ(platform::CurrentDirectory(), Utf8FromPath(std::filesystem::current_path()));

  EXPECT_FALSE(IsCdRomDrive(' '));
  EXPECT_FALSE(IsCdRomDrive(DriveLetterOf(program)));
  EXPECT_FALSE(platform::IsOnReadOnlyMedium(DirOf(program)));
  EXPECT_TRUE(DirExists(std::string(1, DriveLetterOf(program)) + ":\\"));
}

TEST(SystemFolders, TheDriveProbeIsMadeInTheRootAndRemoved) {
  ScratchDir dir;
  const std::string root = std::string(1, DriveLetterOf(dir.path().string())) + ":\\";
  EXPECT_FALSE(IsDriveReadOnly(dir.path().string()));
  EXPECT_FALSE(platform::FileExists(root + "pdk~.tmp"));
  EXPECT_TRUE(IsDriveReadOnly("Q:\\no such drive"));
}

TEST(DirectorySearch, UsesTheSystemsSearchWithItsSizesAndLongNames) {
  ScratchDir dir;
  dir.write("A long name.GIF", "12345");
  dir.write("caf\xc3\xa9.gif", "1");
  dir.write("b.jpg", "1");
  std::vector<std::string> names;
  EXPECT_TRUE(test::Succeeded(platform::FindMatches(JoinPath(dir.path().string(), "*.gif"),
                                                    [&](const platform::DirEntry& entry) {
                                                      names.push_back(entry.name);
                                                      if (entry.name == "A long name.GIF") {
                                                        EXPECT_EQ(entry.size, 5u);
                                                      }
                                                    })));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"A long name.GIF", "caf\xc3\xa9.gif"}));
  EXPECT_TRUE(test::Succeeded(platform::FindMatches(JoinPath(dir.path().string(), "*.png"),
                                                    [](const platform::DirEntry&) { FAIL(); })))
      << "a folder without matches is still read";
}

}  // namespace
}  // namespace pixdeck
