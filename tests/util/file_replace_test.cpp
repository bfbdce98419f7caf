// Replacing a file on a real POSIX file system: what it keeps, where it
// writes in place, and what a killed save leaves behind.
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "expected_assertions.h"
#include "platform/file_system.h"
#include "scratch_dir.h"
#include "settings/program_settings.h"
#include "settings/reg_or_ini.h"

namespace pixdeck {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;

constexpr uid_t kNobody = 65534;

std::vector<std::string> Entries(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

struct stat StatOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info;
}

// Runs body in a child process as the unprivileged user "nobody"; true when
// body returned true there.
template <typename Body>
bool RunAsNobody(Body body) {
  const pid_t child = ::fork();
  if (child == 0) {
    const bool dropped = ::setgroups(0, nullptr) == 0 &&
                         ::setresgid(kNobody, kNobody, kNobody) == 0 &&
                         ::setresuid(kNobody, kNobody, kNobody) == 0;
    ::_exit(dropped && body() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(FileReplacement, KeepsPermissionsAndOwnerAndLeavesOnlyTheFile) {
  ScratchDir dir;
  const std::string file = dir.write("pixdeck.INI", "old");
  ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
  ASSERT_TRUE(test::Succeeded(platform::ReplaceFileAtomically(file, "new")));
  EXPECT_EQ(ScratchDir::read(file), "new");
  EXPECT_EQ(StatOf(file).st_mode & 07777, 0600u);
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"pixdeck.INI"});

  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  if (::geteuid() == 0) {
    // Root gives the new file the old one's owner.
    ASSERT_EQ(::chown(file.c_str(), kNobody, kNobody), 0);
    ASSERT_TRUE(test::Succeeded(platform::ReplaceFileAtomically(file, "newer")));
    EXPECT_EQ(StatOf(file).st_uid, kNobody);
    EXPECT_EQ(StatOf(file).st_gid, kNobody);
  } else {
    ASSERT_TRUE(test::Succeeded(platform::ReplaceFileAtomically(file, "newer")));
  }
  EXPECT_EQ(StatOf(file).st_mode & 07777, 0640u);
  EXPECT_EQ(ScratchDir::read(file), "newer");
}

TEST(FileReplacement, ASharedFileInAFolderTheUserCannotWriteIsWrittenInPlace) {
  if (::geteuid() != 0) {
    GTEST_SKIP() << "needs root to act as another user";
  }
  ScratchDir dir;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);  // root's folder, open to read
  const std::string file = dir.write("shared.INI", "[Options]\nOutputName=old.htm\n");
  ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
  const ino_t inode = StatOf(file).st_ino;

  // The whole store as that user: the save at exit must not fail.
  EXPECT_TRUE(RunAsNobody([&] {
    ResetSettingsState();
    const auto store = OpenSettingsStore(file, file);
    ProgramOptions options;
    WindowSettings window;
    LoadProgramSettings(*store, options, window, nullptr);
    options.outputName = "new.htm";
    window.specs = {"*.png"};
    try {
      return SaveProgramSettings(*store, options, window);
    } catch (...) {
      return false;
    }
  }));
  const std::string saved = ScratchDir::read(file);
  EXPECT_NE(saved.find("OutputName=new.htm"), std::string::npos) << saved;
  EXPECT_NE(saved.find("Item_1=*.png"), std::string::npos) << saved;
  EXPECT_EQ(StatOf(file).st_ino, inode);  // the same file, rewritten
  EXPECT_EQ(StatOf(file).st_mode & 07777, 0666u);
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"shared.INI"});

  // A file that user may not write stays as it was, and the call says so.
  ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
  EXPECT_FALSE(RunAsNobody([&] { return platform::ReplaceFileAtomically(file, "x").has_value(); }));
  EXPECT_EQ(ScratchDir::read(file), saved);
}

TEST(FileReplacement, RemovesWhatKilledSavesLeftButNoLivingSavesFileNorOthers) {
  ScratchDir dir;
  const std::string file = dir.write("pixdeck.INI", "old");
  dir.write(".pdkAbC123.tmp", "left by a killed save");
  dir.write(".pdkAbC12.tmp", "not our pattern");
  dir.write("pdkAbC123.tmp", "a temporary page, not ours to remove");
  const std::string living = dir.write(".pdkLive99.tmp", "a save in progress");
  const int held = ::open(living.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  ASSERT_TRUE(test::Succeeded(platform::ReplaceFileAtomically(file, "new")));
  EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{".pdkAbC12.tmp", ".pdkLive99.tmp",
                                                           "pdkAbC123.tmp", "pixdeck.INI"}));
  ::close(held);  // the save "died": the next one cleans up after it
  ASSERT_TRUE(test::Succeeded(platform::ReplaceFileAtomically(file, "newer")));
  EXPECT_EQ(Entries(dir.path()),
            (std::vector<std::string>{".pdkAbC12.tmp", "pdkAbC123.tmp", "pixdeck.INI"}));
}

TEST(FileReplacement, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFileAndNoTemporary) {
  ScratchDir dir;
  const std::string oldText(3 << 20, 'o');
  const std::string newText(5 << 20, 'n');
  const std::string file = dir.write("pixdeck.INI", oldText);
  std::mt19937 random(12345);
  int strayAfterKill = 0;
  for (int round = 0; round < 25; ++round) {
    const pid_t child = ::fork();
    if (child == 0) {
      for (;;) {
        (void)platform::ReplaceFileAtomically(file, (random() & 1) ? newText : oldText);
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500 + random() % 20000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const std::string now = ScratchDir::read(file);
    EXPECT_TRUE(now == oldText || now == newText) << "a file of " << now.size() << " bytes";
    if (Entries(dir.path()).size() != 1) {
      ++strayAfterKill;
    }
    // The next save leaves nothing but the file, whatever the kill left.
    ASSERT_TRUE(test::Succeeded(platform::ReplaceFileAtomically(file, oldText)));
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"pixdeck.INI"});
  }
  // Where the file system has unnamed temporary files, a kill leaves a named
  // one only in the instant between naming and renaming.
  EXPECT_LE(strayAfterKill, 3);
}

TEST(FileReading, AFifoIsNoFileAndReadingItDoesNotWait) {
  ScratchDir dir;
  const std::string fifo = dir.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  using Kind = platform::ReadFailure::Kind;
  const auto kindOf = [](const std::string& path) {
    const auto read = platform::ReadWholeFile(path);
    return read ? std::optional<Kind>() : read.error().kind;
  };
  EXPECT_EQ(kindOf(fifo), Kind::NotAFile);
  EXPECT_EQ(platform::ReadWholeFile(fifo).error().reason, "it is no regular file");
  EXPECT_EQ(kindOf(dir.file("")), Kind::NotAFile);
  EXPECT_EQ(platform::ReadWholeFile(dir.file("")).error().reason, "it is a folder");
  EXPECT_EQ(kindOf(dir.file("none")), Kind::Missing);
  EXPECT_EQ(kindOf(dir.file("none/deeper")), Kind::Missing);
  const std::string file = dir.write("f", std::string(200000, 'x'));
  const auto whole = platform::ReadWholeFile(file);
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->size(), 200000u);
  EXPECT_EQ(*platform::ReadWholeFile(dir.write("empty", "")), "");
  EXPECT_FALSE(platform::ReplaceFileAtomically(fifo, "x"));
}

}  // namespace
}  // namespace pixdeck
