// The save lock on POSIX: flock on the file's folder.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <map>
#include <mutex>
#include <thread>

#include "platform/save_lock.h"

namespace pixdeck::platform {

namespace {

// The folders this process holds, with how often: a lock taken again by the
// same process (a store that saves inside a save) must not wait for itself,
// as flock on a second descriptor would.
std::mutex& HeldMutex() {
  static std::mutex mutex;
  return mutex;
}
std::map<std::string, int>& HeldFolders() {
  static std::map<std::string, int> folders;
  return folders;
}

// The folder of path, with links resolved, so that two names of one folder
// take one lock.
std::string FolderKey(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "."
                          : slash == 0               ? "/"
                                                     : path.substr(0, slash);
  char resolved[PATH_MAX];
  return ::realpath(dir.c_str(), resolved) != nullptr ? std::string(resolved) : dir;
}

}  // namespace

SaveLock::SaveLock(const std::string& path, int waitMs) : key_(FolderKey(path)) {
  {
    const std::lock_guard<std::mutex> guard(HeldMutex());
    const auto found = HeldFolders().find(key_);
    if (found != HeldFolders().end()) {
      ++found->second;
      held_ = true;
      return;
    }
  }
  const int fd = ::open(key_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    return;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      break;
    }
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
      ::close(fd);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  handle_ = fd;
  held_ = true;
  const std::lock_guard<std::mutex> guard(HeldMutex());
  HeldFolders()[key_] = 1;
}

SaveLock::~SaveLock() {
  if (!held_) {
    return;
  }
  const std::lock_guard<std::mutex> guard(HeldMutex());
  const auto found = HeldFolders().find(key_);
  if (found != HeldFolders().end() && --found->second > 0) {
    return;
  }
  if (found != HeldFolders().end()) {
    HeldFolders().erase(found);
  }
  if (handle_ >= 0) {
    ::close(static_cast<int>(handle_));  // lets go of the lock
  }
}

}  // namespace pixdeck::platform
