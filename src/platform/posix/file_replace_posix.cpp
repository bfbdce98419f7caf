// Reading whole files and replacing them safely on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/posix/dir_closer.h"
#include "platform/posix/errno_text.h"

namespace pixdeck::platform {
namespace {

// A temporary file of ours is named ".pdk", six letters or digits and ".tmp":
// a short name, since the target's own name may already be as long as a
// folder allows.
constexpr std::string_view kTempPrefix = ".pdk";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::size_t kTempLetters = 6;

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Reset(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  void Reset(int fd = -1) {
    if (fd_ >= 0) {
      ::close(fd_);
    }
    fd_ = fd;
  }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // Closes now and tells whether that worked (a delayed write error shows here).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

mode_t DefaultFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

bool IsTempLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool IsOurTemporary(std::string_view entry) {
  if (entry.size() != kTempPrefix.size() + kTempLetters + kTempSuffix.size() ||
      entry.substr(0, kTempPrefix.size()) != kTempPrefix ||
      entry.substr(kTempPrefix.size() + kTempLetters) != kTempSuffix) {
    return false;
  }
  for (const char c : entry.substr(kTempPrefix.size(), kTempLetters)) {
    if (!IsTempLetter(c)) {
      return false;
    }
  }
  return true;
}

// Opens the folder dir (relative to the folder at, when it is relative).
// A path too long for the system to take whole is walked one name at a
// time, so that a long path is the same folder as a short one.
bool OpenFolder(int at, const std::string& dir, Fd& folder) {
  constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
  if (dir.size() < PATH_MAX) {
    folder.Reset(::openat(at, dir.c_str(), kFlags));
    return static_cast<bool>(folder);
  }
  Fd current(::openat(at, dir.front() == '/' ? "/" : ".", kFlags));
  std::size_t start = 0;
  while (current && start < dir.size()) {
    std::size_t end = dir.find('/', start);
    if (end == std::string::npos) {
      end = dir.size();
    }
    if (end > start) {
      current.Reset(::openat(current.get(), dir.substr(start, end - start).c_str(), kFlags));
    }
    start = end + 1;
  }
  folder.Reset(current.Release());
  return static_cast<bool>(folder);
}

// The folder part and the name of a path ("." for a bare name).
void SplitPath(const std::string& path, std::string& dir, std::string& base) {
  const std::size_t slash = path.rfind('/');
  dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  base = slash == std::string::npos ? path : path.substr(slash + 1);
}

// Where a chain of symbolic links that starts at path ends: that folder,
// opened, and the name in it (the path's own when it is no link). Every look
// goes through the opened folder, never the whole path, so that paths of any
// length are followed alike. errno tells why the folder could not be opened.
bool FinalPlace(const std::string& path, Fd& dirFd, std::string& base) {
  std::string dir;
  SplitPath(path, dir, base);
  if (!OpenFolder(AT_FDCWD, dir, dirFd)) {
    return false;
  }
  // The same limit as the system's own (ELOOP); a longer chain is left as it is.
  for (int hops = 0; hops < 40 && !base.empty(); ++hops) {
    struct stat info {};
    if (::fstatat(dirFd.get(), base.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISLNK(info.st_mode)) {
      return true;
    }
    std::vector<char> buffer(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
    const ssize_t length = ::readlinkat(dirFd.get(), base.c_str(), buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
      return true;  // changed under us: the rename below then fails or replaces the link
    }
    std::string targetDir;
    std::string targetBase;
    SplitPath(std::string(buffer.data(), static_cast<std::size_t>(length)), targetDir, targetBase);
    Fd next;
    if (!OpenFolder(dirFd.get(), targetDir, next)) {
      return true;  // a link into nowhere: it is replaced itself
    }
    dirFd.Reset(next.Release());
    base = std::move(targetBase);
  }
  return true;
}

// Removes the temporaries that killed saves left in the folder. A living
// save holds a lock on its temporary file for as long as the file has a name,
// and the system lets go of that lock when its process dies; so a temporary
// whose lock can be had belongs to nobody any more.
void RemoveStaleTemporaries(int dirFd) {
  const int listFd = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  std::unique_ptr<DIR, DirCloser> listing(listFd >= 0 ? ::fdopendir(listFd) : nullptr);
  if (!listing) {
    if (listFd >= 0) {
      ::close(listFd);
    }
    return;
  }
  while (const dirent* item = ::readdir(listing.get())) {
    if (!IsOurTemporary(item->d_name)) {
      continue;
    }
    const Fd fd(::openat(dirFd, item->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat held {};
    if (!fd || ::fstat(fd.get(), &held) != 0 || !S_ISREG(held.st_mode)) {
      continue;
    }
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
      continue;  // a save in progress
    }
    // Still the file that was locked (not one made since under that name)?
    struct stat named {};
    if (::fstatat(dirFd, item->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        named.st_ino == held.st_ino && named.st_dev == held.st_dev) {
      ::unlinkat(dirFd, item->d_name, 0);
    }
  }
}

std::string RandomLetters() {
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static unsigned long long state = 0;
  state +=
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (static_cast<unsigned long long>(::getpid()) << 32);
  std::string letters;
  unsigned long long x = state * 6364136223846793005ull + 1442695040888963407ull;
  for (std::size_t i = 0; i < kTempLetters; ++i) {
    letters += kLetters[x % 62];
    x = x / 62 + (x << 7) * 2862933555777941757ull;
  }
  state = x;
  return letters;
}

// A locked temporary file in the folder: unnamed (O_TMPFILE) until it is
// complete where the file system allows, so that a kill before then leaves
// nothing at all; otherwise named at once. errno tells why none could be had.
struct TempFile {
  Fd fd;
  std::string name;  // empty while unnamed
};

bool MakeTempFile(int dirFd, TempFile& temp) {
#ifdef O_TMPFILE
  temp.fd.Reset(::openat(dirFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
  if (temp.fd) {
    if (::flock(temp.fd.get(), LOCK_EX) == 0) {
      return true;
    }
    temp.fd.Reset();
  } else if (errno == EACCES || errno == EPERM || errno == EROFS) {
    return false;  // a named file cannot be had either
  }
#endif
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = std::string(kTempPrefix) + RandomLetters() + std::string(kTempSuffix);
    temp.fd.Reset(
        ::openat(dirFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!temp.fd) {
      if (errno == EEXIST) {
        continue;
      }
      return false;
    }
    // Locked at once; a clean-up that came first has removed the name, and
    // then another one is taken.
    struct stat info {};
    if (::flock(temp.fd.get(), LOCK_EX) == 0 && ::fstat(temp.fd.get(), &info) == 0 &&
        info.st_nlink > 0) {
      temp.name = std::move(name);
      return true;
    }
    temp.fd.Reset();
  }
  errno = EEXIST;
  return false;
}

// Gives the complete unnamed file a temporary name beside its target.
bool NameTempFile(int dirFd, TempFile& temp) {
  if (!temp.name.empty()) {
    return true;
  }
  const std::string self = "/proc/self/fd/" + std::to_string(temp.fd.get());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = std::string(kTempPrefix) + RandomLetters() + std::string(kTempSuffix);
    if (::linkat(AT_FDCWD, self.c_str(), dirFd, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temp.name = std::move(name);
      return true;
    }
    if (errno != EEXIST) {
      return false;
    }
  }
  return false;
}

// Rewrites the file itself, for a folder where no temporary file can be made.
// Room for the new contents is reserved before the old ones are touched, so
// that a full disk leaves the old file whole; what remains is a write that
// fails half-way for another reason (an I/O error, a kill).
Expected<void> RewriteInPlace(int dirFd, const std::string& base, const std::string& path,
                              std::string_view contents) {
  Fd fd(::openat(dirFd, base.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
  if (!fd) {
    return ErrnoFailure("Cannot create file " + path);
  }
  if (!contents.empty()) {
#ifdef FALLOC_FL_KEEP_SIZE
    // Reserved without growing the file: readers still see the old one.
    const int reserved =
        ::fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(contents.size())) == 0
            ? 0
            : errno;
#else
    const int reserved = ::posix_fallocate(fd.get(), 0, static_cast<off_t>(contents.size()));
#endif
    // A file system that cannot reserve is written without.
    if (reserved != 0 && reserved != EOPNOTSUPP && reserved != ENOSYS && reserved != EINVAL) {
      return Unexpected(ErrnoText("Cannot write file " + path, reserved));
    }
  }
  if (!WriteAll(fd.get(), contents) ||
      ::ftruncate(fd.get(), static_cast<off_t>(contents.size())) != 0 || ::fsync(fd.get()) != 0 ||
      !fd.Close()) {
    return ErrnoFailure("Cannot write file " + path);
  }
  return {};
}

}  // namespace

namespace {

Unexpected<ReadFailure> NotAFile(const struct stat& info) {
  return Unexpected(ReadFailure{ReadFailure::Kind::NotAFile, S_ISDIR(info.st_mode)
                                                                 ? "it is a folder"
                                                                 : "it is no regular file"});
}

Unexpected<ReadFailure> CannotRead(const char* what) {
  const int code = errno;
  return Unexpected(ReadFailure{ReadFailure::Kind::Failed, ErrnoText(what, code)});
}

}  // namespace

Expected<std::string, ReadFailure> ReadWholeFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) {
      return Unexpected(ReadFailure{ReadFailure::Kind::Missing, "it does not exist"});
    }
    return CannotRead("it cannot be opened");
  }
  if (!S_ISREG(info.st_mode)) {
    return NotAFile(info);
  }
  // Non-blocking: a FIFO put in the file's place since the test opens at once.
  const Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd || ::fstat(fd.get(), &info) != 0) {
    return CannotRead("it cannot be opened");
  }
  if (!S_ISREG(info.st_mode)) {
    return NotAFile(info);
  }
  std::string contents;
  contents.resize(static_cast<std::size_t>(info.st_size));
  std::size_t filled = 0;
  for (;;) {
    if (filled == contents.size()) {
      contents.resize(contents.size() + 65536);
    }
    const ssize_t got = ::read(fd.get(), contents.data() + filled, contents.size() - filled);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      return CannotRead("it cannot be read");
    }
    if (got == 0) {
      break;
    }
    filled += static_cast<std::size_t>(got);
  }
  contents.resize(filled);
  return contents;
}

Expected<void> ReplaceFileAtomically(const std::string& path, const std::string& contents) {
  const std::string cannotCreate = "Cannot create file " + path;
  // A link stays a link: its final target is what gets replaced. Everything
  // below goes through the target's opened folder, whatever the path's length.
  Fd dirFd;
  std::string base;
  if (!FinalPlace(path, dirFd, base)) {
    return ErrnoFailure(cannotCreate);
  }
  if (base.empty()) {
    return Unexpected(ErrnoText(cannotCreate, EISDIR));
  }
  struct stat old {};
  const bool exists = ::fstatat(dirFd.get(), base.c_str(), &old, 0) == 0;
  if (!exists && errno != ENOENT) {
    return ErrnoFailure(cannotCreate);  // nothing is replaced that could not be looked at
  }
  if (exists && !S_ISREG(old.st_mode)) {
    return Unexpected(ErrnoText(cannotCreate, S_ISDIR(old.st_mode) ? EISDIR : EINVAL));
  }
  // Renaming over a read-only file would succeed, but the mark is the user's
  // word that it must not be written; root would pass any access test.
  const bool writable =
      (old.st_mode & S_IWUSR) != 0 && ::faccessat(dirFd.get(), base.c_str(), W_OK, 0) == 0;
  if (exists && !writable) {
    return Unexpected(ErrnoText(cannotCreate, EACCES));
  }
  RemoveStaleTemporaries(dirFd.get());

  TempFile temp;
  if (!MakeTempFile(dirFd.get(), temp)) {
    if (exists && (errno == EACCES || errno == EPERM)) {
      return RewriteInPlace(dirFd.get(), base, path, contents);
    }
    return ErrnoFailure(cannotCreate);
  }
  const auto dropTemp = [&] {
    if (!temp.name.empty()) {
      ::unlinkat(dirFd.get(), temp.name.c_str(), 0);
    }
    temp.fd.Reset();
  };

  // The old file's owner where this user may give it (root; a group of its
  // own), then its permissions: a change of owner clears set-id bits.
  if (exists) {
    (void)!::fchown(temp.fd.get(), old.st_uid, old.st_gid);
  }
  const mode_t mode = exists ? (old.st_mode & 07777) : DefaultFileMode();
  if (::fchmod(temp.fd.get(), mode) != 0 || !WriteAll(temp.fd.get(), contents) ||
      ::fsync(temp.fd.get()) != 0) {
    Unexpected failure = ErrnoFailure("Cannot write file " + path);
    dropTemp();
    return failure;
  }
  if (!NameTempFile(dirFd.get(), temp)) {
    Unexpected failure = ErrnoFailure(cannotCreate);
    dropTemp();
    return failure;
  }
  if (::renameat(dirFd.get(), temp.name.c_str(), dirFd.get(), base.c_str()) != 0) {
    const int renameError = errno;
    dropTemp();
    // A sticky folder lets nobody but its owner replace another user's file;
    // the file itself may still be writable.
    if (exists && (renameError == EACCES || renameError == EPERM)) {
      return RewriteInPlace(dirFd.get(), base, path, contents);
    }
    return Unexpected(ErrnoText(cannotCreate, renameError));
  }
  temp.name.clear();
  // The rename itself reaches the disk with the folder.
  ::fsync(dirFd.get());
  return {};
}

}  // namespace pixdeck::platform
