// Serialises the saves of one settings file among the program's processes:
// a save holds the lock from reading the file's current state to replacing
// the file, so that no save reads a state that another is replacing.
#pragma once

#include <cstdint>
#include <string>

namespace pixdeck::platform {

// How long a save waits for another one before it goes on without the lock.
inline constexpr int kSaveLockWaitMs = 10000;

class SaveLock {
 public:
  // Locks the saves of the file at path (which need not exist yet). POSIX:
  // the file's folder is locked (the file itself is replaced, and so is its
  // lock, by every save). Windows: a session-wide mutex named after the
  // path. A lock that cannot be had within waitMs (an unreadable folder, a
  // holder that hangs) is not held, and the save goes on without it: it is
  // never refused for that. Locks of one process on one file nest.
  explicit SaveLock(const std::string& path, int waitMs = kSaveLockWaitMs);
  ~SaveLock();
  SaveLock(const SaveLock&) = delete;
  SaveLock& operator=(const SaveLock&) = delete;

  bool Held() const { return held_; }

 private:
  std::string key_;
  std::intptr_t handle_ = -1;
  bool held_ = false;
};

}  // namespace pixdeck::platform
