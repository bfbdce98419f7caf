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
#include <climits>
#include <filesystem>
#include <fstream>
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
#include "small_tmpfs.h"

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

// A shared file (writable by all, in a folder this user may not write) is
// rewritten in place: on a full disk that must fail before the old contents
// are touched.
TEST(FileReplacement, ASharedFileRewrittenInPlaceOnAFullDiskStaysWhole) {
  if (::geteuid() != 0) {
    GTEST_SKIP() << "needs root to mount a small disk and act as another user";
  }
  test::SmallTmpfs disk(64 * 1024);
  if (!disk.Unavailable().empty()) {
    GTEST_SKIP() << disk.Unavailable();
  }
  const std::string oldText(3000, 'o');
  const std::string file = disk.File("shared.htm");
  {
    std::ofstream out(file, std::ios::binary);
    out << oldText;
  }
  ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
  disk.FillUp();
  const std::string newText(20000, 'n');
  EXPECT_FALSE(
      RunAsNobody([&] { return platform::ReplaceFileAtomically(file, newText).has_value(); }));
  EXPECT_EQ(ScratchDir::read(file), oldText);
  EXPECT_EQ(Entries(disk.Path()), (std::vector<std::string>{"filler", "shared.htm"}));
  // With room again the same save goes through, in place.
  disk.MakeRoom();
  EXPECT_TRUE(
      RunAsNobody([&] { return platform::ReplaceFileAtomically(file, newText).has_value(); }));
  EXPECT_EQ(ScratchDir::read(file), newText);
}

// A folder whose path is longer than the system takes whole (PATH_MAX),
// made and used one name at a time.
class LongFolder {
 public:
  explicit LongFolder(const ScratchDir& scratch) : path_(scratch.path().string()) {
    int fd = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const std::string name(200, 'd');
    while (fd >= 0 && path_.size() < 4400) {
      ::mkdirat(fd, name.c_str(), 0755);
      const int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      ::close(fd);
      fd = next;
      path_ += "/" + name;
    }
    fd_ = fd;
  }
  ~LongFolder() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  LongFolder(const LongFolder&) = delete;
  LongFolder& operator=(const LongFolder&) = delete;

  bool Made() const { return fd_ >= 0; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  void Write(const std::string& name, const std::string& text, mode_t mode) const {
    const int fd = ::openat(fd_, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    ::close(fd);
    ASSERT_EQ(::fchmodat(fd_, name.c_str(), mode, 0), 0);
  }
  std::string Read(const std::string& name) const {
    const int fd = ::openat(fd_, name.c_str(), O_RDONLY | O_CLOEXEC);
    std::string text;
    char buffer[4096];
    ssize_t n = 0;
    while (fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0) {
      text.append(buffer, static_cast<std::size_t>(n));
    }
    if (fd >= 0) {
      ::close(fd);
    }
    return text;
  }
  bool IsLink(const std::string& name) const {
    struct stat info {};
    return ::fstatat(fd_, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode);
  }
  int Fd() const { return fd_; }

 private:
  std::string path_;
  int fd_ = -1;
};

TEST(FileReplacement, TheSafeguardsHoldForPathsOfAnyLength) {
  ScratchDir scratch;
  const LongFolder folder(scratch);
  ASSERT_TRUE(folder.Made());
  ASSERT_GE(folder.File("page.htm").size(), static_cast<std::size_t>(PATH_MAX));

  folder.Write("page.htm", "old", 0644);
  ASSERT_TRUE(test::Succeeded(platform::ReplaceFileAtomically(folder.File("page.htm"), "new")));
  EXPECT_EQ(folder.Read("page.htm"), "new");

  // A read-only page is not replaced.
  folder.Write("locked.htm", "kept", 0444);
  EXPECT_FALSE(platform::ReplaceFileAtomically(folder.File("locked.htm"), "lost"));
  EXPECT_EQ(folder.Read("locked.htm"), "kept");

  // A page that is a link stays one; its target gets the page.
  folder.Write("target.htm", "old target", 0644);
  ASSERT_EQ(::symlinkat("target.htm", folder.Fd(), "link.htm"), 0);
  ASSERT_TRUE(
      test::Succeeded(platform::ReplaceFileAtomically(folder.File("link.htm"), "via link")));
  EXPECT_TRUE(folder.IsLink("link.htm"));
  EXPECT_EQ(folder.Read("target.htm"), "via link");
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
