#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/posix/dir_closer.h"
#include "platform/posix/errno_text.h"
#include "text/name_pattern.h"

namespace pixdeck::platform {

namespace {

// An open file descriptor, closed when it goes.
struct FileDescriptor {
  explicit FileDescriptor(int opened) : fd(opened) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd >= 0) {
      ::close(fd);
    }
  }
  int fd;
};

// A symbolic link shows what it points to; a dangling one is still an entry
// of the folder and keeps the link's own size. False when the entry is gone.
bool StatEntry(int dirFd, const char* name, struct stat& info) {
  return ::fstatat(dirFd, name, &info, 0) == 0 ||
         ::fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0;
}

}  // namespace

Expected<void> FindMatches(const std::string& searchPath,
                           const std::function<void(const DirEntry&)>& onEntry) {
  const std::size_t slash = searchPath.rfind('/');
  // "/a.gif" searches the root; a bare pattern the current folder.
  const std::string dirPath = slash == std::string::npos ? std::string(".")
                              : slash == 0               ? std::string("/")
                                                         : searchPath.substr(0, slash);
  const std::string pattern =
      slash == std::string::npos ? searchPath : searchPath.substr(slash + 1);

  std::unique_ptr<DIR, DirCloser> dir(::opendir(dirPath.c_str()));
  if (!dir) {
    return ErrnoFailure("Cannot read folder " + dirPath);
  }
  const int dirFd = ::dirfd(dir.get());
  const NamePattern matcher(pattern);
  DirEntry entry;
  while (const dirent* item = ::readdir(dir.get())) {
    if (!matcher.Matches(item->d_name)) {
      continue;
    }
    struct stat info {};
    if (!StatEntry(dirFd, item->d_name, info)) {
      continue;  // vanished
    }
    entry.name = item->d_name;
    entry.size = static_cast<std::uint64_t>(info.st_size);
    entry.isDirectory = S_ISDIR(info.st_mode);
    onEntry(entry);
  }
  return {};
}

Expected<void> SearchFolder(const std::string& folder, const std::vector<std::string>& patterns,
                            const std::function<void(std::size_t, const FolderMatch&)>& onMatch,
                            MatchSizes sizes) {
  const std::string dirPath = folder.empty() ? "." : folder;
  std::unique_ptr<DIR, DirCloser> dir(::opendir(dirPath.c_str()));
  if (!dir) {
    return ErrnoFailure("Cannot read folder " + dirPath);
  }
  const int dirFd = ::dirfd(dir.get());
  std::vector<NamePattern> matchers;
  matchers.reserve(patterns.size());
  for (const std::string& pattern : patterns) {
    matchers.emplace_back(pattern);
  }
  std::vector<std::size_t> matched;
  matched.reserve(matchers.size());
  while (const dirent* item = ::readdir(dir.get())) {
    const std::string_view name(item->d_name);
    const bool ascii = IsAscii(name);
    matched.clear();
    for (std::size_t i = 0; i < matchers.size(); ++i) {
      if (matchers[i].Matches(name, ascii)) {
        matched.push_back(i);
      }
    }
    if (matched.empty()) {
      continue;
    }
    FolderMatch match{name, kSizeNotRead, item->d_type == DT_DIR};
    if (sizes == MatchSizes::Read) {
      struct stat info {};
      if (!StatEntry(dirFd, item->d_name, info)) {
        continue;  // vanished
      }
      match.size = static_cast<std::uint64_t>(info.st_size);
      match.isDirectory = S_ISDIR(info.st_mode);
    }
    for (const std::size_t index : matched) {
      onMatch(index, match);
    }
  }
  return {};
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CanOpenForReading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return false;
  }
  ::close(fd);
  return true;
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    return false;
  }
  // The owner's write bit plays the part of the read-only attribute (root
  // would pass an access() test on any file).
  return (info.st_mode & S_IWUSR) == 0 || ::access(path.c_str(), W_OK) != 0;
}

Expected<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes) {
  const std::string what = "Cannot read file " + path;
  const auto noFile = [&] { return Unexpected(what + ": it is no regular file"); };
  const auto tooLarge = [&] {
    return Unexpected(what + ": it is larger than " + std::to_string(maxBytes) + " bytes");
  };
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    return ErrnoFailure(what);
  }
  if (!S_ISREG(info.st_mode)) {
    return noFile();
  }
  // Non-blocking, in case a FIFO took the file's place since the test above.
  const FileDescriptor fd{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
  if (fd.fd < 0 || ::fstat(fd.fd, &info) != 0) {
    return ErrnoFailure(what);
  }
  if (!S_ISREG(info.st_mode)) {
    return noFile();
  }
  if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
    return tooLarge();
  }
  std::string text;
  text.reserve(static_cast<std::size_t>(info.st_size));
  char chunk[16384];
  for (;;) {
    const ssize_t got = ::read(fd.fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      return ErrnoFailure(what);
    }
    if (text.size() + static_cast<std::size_t>(got) > maxBytes) {
      return tooLarge();  // grown since it was measured
    }
    if (got == 0) {
      return text;
    }
    text.append(chunk, static_cast<std::size_t>(got));
  }
}

FolderFiles::FolderFiles(const std::string& folder)
    : folder_(folder),
      folderFd_(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
}

FolderFiles::~FolderFiles() {
  if (folderFd_ >= 0) {
    ::close(folderFd_);
  }
}

HeadRead FolderFiles::ReadHead(const std::string& name, void* buffer, std::size_t size) {
  HeadRead head;
  if (folderFd_ < 0) {
    return head;
  }
  // Opening by name in the open folder spares the walk down its path.
  // O_NONBLOCK: a pipe or device named like a picture must not hold the
  // caller up; its read fails or gives what it has at once.
  const FileDescriptor file(
      ::openat(folderFd_, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat info {};
  if (file.fd < 0) {
    // No reading (permissions, a dangling link), but its size as a search
    // tells it.
    head.found = StatEntry(folderFd_, name.c_str(), info);
    head.fileSize = head.found ? static_cast<std::uint64_t>(info.st_size) : 0;
    return head;
  }
  head.found = true;
  if (::fstat(file.fd, &info) != 0) {
    return head;
  }
  head.fileSize = static_cast<std::uint64_t>(info.st_size);
  if (S_ISDIR(info.st_mode)) {
    return head;
  }
  // One read: a regular file gives all it has up to size, and a short read
  // is its end. Small pictures thus cost four calls each.
  ssize_t got;
  do {
    got = ::read(file.fd, buffer, size);
  } while (got < 0 && errno == EINTR);
  head.bytes = got < 0 ? -1 : static_cast<std::ptrdiff_t>(got);
  return head;
}

Expected<void> RemoveFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0) {
    return ErrnoFailure("Cannot delete file " + path);
  }
  return {};
}

Expected<void> CreateNewFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0 || ::close(fd) != 0) {
    return ErrnoFailure("Cannot create file " + path);
  }
  return {};
}

Expected<std::string> TempDirectory() {
  const char* env = std::getenv("TMPDIR");
  std::string dir = (env && *env) ? env : "/tmp";
  if (!DirectoryExists(dir)) {
    return Unexpected("The temporary folder " + dir + " does not exist");
  }
  if (dir.back() != '/') {
    dir += '/';
  }
  return dir;
}

Expected<std::string> CreateUniqueTempFile(const std::string& dir, const std::string& prefix) {
  std::string pattern = dir;
  if (!pattern.empty() && pattern.back() != '/') {
    pattern += '/';
  }
  pattern += prefix + "XXXXXX.tmp";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemps(name.data(), 4);
  if (fd < 0) {
    return ErrnoFailure("Cannot create a temporary file in " + dir);
  }
  ::close(fd);
  return std::string(name.data());
}

std::string ProgramFilePath() {
  std::vector<char> buffer(PATH_MAX + 1);
  const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) {
    return {};
  }
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

std::string CurrentDirectory() {
  std::vector<char> buffer(PATH_MAX + 1);
  if (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    return {};
  }
  return std::string(buffer.data());
}

std::string PerUserConfigDirectory() {
  std::string base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::string(home) + "/.config";
  } else {
    base = "/tmp";
  }
  std::string dir = base + "/pixdeck";
  // Created on first need, parents included.
  for (std::size_t at = 1; at != std::string::npos; at = dir.find('/', at + 1)) {
    ::mkdir(dir.substr(0, at).c_str(), 0700);
  }
  ::mkdir(dir.c_str(), 0700);
  return dir;
}

bool IsOnReadOnlyMedium(const std::string& folder) {
  struct statvfs fs {};
  if (::statvfs(folder.c_str(), &fs) == 0 && (fs.f_flag & ST_RDONLY) != 0) {
    return true;
  }
  return ::access(folder.c_str(), W_OK) != 0;
}

std::string ShortPath(const std::string& path) {
  return path;
}

}  // namespace pixdeck::platform
