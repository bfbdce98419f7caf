// POSIX permission bits of files, for tests of what a rewrite keeps.
#pragma once

#ifndef _WIN32

#include <sys/stat.h>

#include <string>

namespace pixdeck::test {

// The permission bits of a file, -1 when it cannot be examined.
inline int ModeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 07777) : -1;
}

// A fixed file-creation mask while it lives, so that what a new file would
// get does not depend on the caller's mask.
class ScopedUmask {
 public:
  explicit ScopedUmask(mode_t mask) : old_(::umask(mask)) {}
  ~ScopedUmask() { ::umask(old_); }
  ScopedUmask(const ScopedUmask&) = delete;
  ScopedUmask& operator=(const ScopedUmask&) = delete;

 private:
  mode_t old_;
};

}  // namespace pixdeck::test

#endif
