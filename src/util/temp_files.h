// Files made under temporary names during the run, deleted when it ends.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace pixdeck {

// Creates a new empty file "pdk....tmp" in the temporary directory and returns
// its full path; empty when none could be had. The caller deletes it.
std::string TempFileName();

class TempFileList {
 public:
  // Adds the path unless an equal entry (case ignored, locale rules) is there.
  void Register(const std::string& path);
  // Deletes the entries in sorted order until one cannot be deleted; the ones
  // after it are not tried. Returns true when all were deleted. The deleter is
  // DeleteFileIfFree unless a caller supplies another.
  using Deleter = std::function<bool(const std::string&)>;
  bool DeleteAll(const Deleter& deleter = {});
  const std::vector<std::string>& Entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;  // kept sorted
};

// The program's one list.
TempFileList& TempFiles();
inline void RegisterTempFile(const std::string& path) {
  TempFiles().Register(path);
}
inline bool DeleteTempFiles() {
  return TempFiles().DeleteAll();
}

}  // namespace pixdeck
