// What a path holds: status checks and the deletion of free files.
#pragma once

#include <string>

namespace pixdeck {

// 1 when the file can be opened for reading, 4 when it cannot.
int FileStatus(const std::string& path);
// 0 when no file exists at the path (a directory is no file), else FileStatus.
int FileStatusIfExists(const std::string& path);
bool DirExists(const std::string& path);

// Deletes the file when it exists and can be opened; true when nothing is left
// to delete, false when the file exists but cannot be opened or deleted.
bool DeleteFileIfFree(const std::string& path);

// Windows: the short (8.3) form of the path. POSIX: the path unchanged.
std::string ShortPathOf(const std::string& path);

}  // namespace pixdeck
