#include "util/file_status.h"

#include "platform/file_system.h"

namespace pixdeck {

int FileStatus(const std::string& path) {
  return platform::CanOpenForReading(ShortPathOf(path)) ? 1 : 4;
}

int FileStatusIfExists(const std::string& path) {
  return platform::FileExists(path) ? FileStatus(path) : 0;
}

bool DirExists(const std::string& path) {
  return platform::DirectoryExists(path);
}

bool DeleteFileIfFree(const std::string& path) {
  const int status = FileStatusIfExists(path);
  if (status == 1) {
    return platform::RemoveFile(path).has_value();
  }
  return status == 0;
}

std::string ShortPathOf(const std::string& path) {
  return platform::ShortPath(path);
}

}  // namespace pixdeck
