// A small tmpfs mounted over a scratch folder, for tests of a disk that
// fills up: real writes that the kernel refuses with ENOSPC. Needs root (or
// CAP_SYS_ADMIN); a test skips with Unavailable() when it cannot be had.
#pragma once

#ifndef _WIN32

#include <cstddef>
#include <string>

#include "scratch_dir.h"

namespace pixdeck::test {

class SmallTmpfs {
 public:
  explicit SmallTmpfs(std::size_t bytes);
  ~SmallTmpfs();  // unmounts, also when a test failed
  SmallTmpfs(const SmallTmpfs&) = delete;
  SmallTmpfs& operator=(const SmallTmpfs&) = delete;

  // Why the file system could not be mounted; empty when it is.
  const std::string& Unavailable() const { return why_; }
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

  // Writes the file "filler" until not one more byte fits, then gives back
  // room bytes (best a whole number of 4 KiB pages) from its end.
  void FillUp(std::size_t room = 0) const;
  // Removes the filler again.
  void MakeRoom() const;

 private:
  ScratchDir scratch_;
  std::string path_;
  std::string why_;
};

}  // namespace pixdeck::test

#endif
