// File-system calls that differ by operating system. Paths are UTF-8 in the
// native style ("\" on Windows, "/" elsewhere). What can fail returns an
// Expected whose reason is one line for the user, naming the path and the
// system's word for the failure; tests and queries answer with a plain value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "text/expected.h"

namespace pixdeck::platform {

// One entry of a wildcard directory search.
struct DirEntry {
  std::string name;  // bare name, as the directory holds it
  std::uint64_t size = 0;
  bool isDirectory = false;
};

// Searches the folder part of searchPath for entries whose names match its last
// component ("*" and "?", case-insensitive, the Windows wildcard rules).
// Directories, hidden files and "." / ".." are reported when they match.
// Calls onEntry for each match in directory order. Fails when the folder
// cannot be read (nothing is reported then); a folder without matches is no
// failure.
Expected<void> FindMatches(const std::string& searchPath,
                           const std::function<void(const DirEntry&)>& onEntry);

// One entry found by SearchFolder; the name is valid only during the call.
struct FolderMatch {
  std::string_view name;
  std::uint64_t size = 0;
  bool isDirectory = false;
};

// The size SearchFolder reports for a match it was told not to look at.
inline constexpr std::uint64_t kSizeNotRead = UINT64_MAX;

// How SearchFolder learns the size of each match.
enum class MatchSizes {
  Read,  // every match is looked up; one that vanished since is left out
  // For a caller that opens every match anyway (FolderFiles::ReadHead gives
  // its size): POSIX reports kSizeNotRead and a match that vanished since the
  // folder was read; Windows' search has the sizes at no cost and gives them.
  Later,
};

// Searches folder for several bare patterns at once, with the rules of
// FindMatches, and calls onMatch(patternIndex, match) once for every pattern
// that an entry matches. Each pattern's matches come in directory order; on
// POSIX the folder is read once and every match is looked up once. Fails when
// the folder cannot be read.
Expected<void> SearchFolder(const std::string& folder, const std::vector<std::string>& patterns,
                            const std::function<void(std::size_t, const FolderMatch&)>& onMatch,
                            MatchSizes sizes = MatchSizes::Read);

// True for an existing regular file (a directory is no file).
bool FileExists(const std::string& path);
// True when the path names an existing directory.
bool DirectoryExists(const std::string& path);
// True when the file can be opened for reading with all sharing allowed.
bool CanOpenForReading(const std::string& path);
// True when the file is marked read-only (or not writable for this user).
bool IsReadOnlyFile(const std::string& path);
// Reads a whole regular file of at most maxBytes. Anything else - no file, a
// directory, a FIFO or device (which could block or never end), a larger
// file, a read error - fails, without waiting on the file.
Expected<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes);
// What FolderFiles::ReadHead found.
struct HeadRead {
  bool found = false;          // false: nothing of that name in the folder
  std::uint64_t fileSize = 0;  // the size a search reports for the entry
  std::ptrdiff_t bytes = -1;   // read into the buffer (fewer at the end of the
                               // file); -1 for a folder or what cannot be read
};

// Reads the first bytes of files in one folder, opened once for all of them.
class FolderFiles {
 public:
  explicit FolderFiles(const std::string& folder);
  ~FolderFiles();
  FolderFiles(const FolderFiles&) = delete;
  FolderFiles& operator=(const FolderFiles&) = delete;

  // Reads up to size bytes from the start of the file name (a bare name in
  // the folder) into buffer, and tells its size on the way: one opening of
  // the file serves both. Never blocks on a pipe or a device, and may give
  // fewer bytes than a pipe or device holds. Safe to call from several
  // threads at once.
  HeadRead ReadHead(const std::string& name, void* buffer, std::size_t size);

 private:
  std::string folder_;
  int folderFd_ = -1;  // POSIX: the folder, opened once
};

// Deletes a file.
Expected<void> RemoveFile(const std::string& path);
// Creates path as a new empty file, only when nothing of that name exists: a
// file, a folder or a symbolic link (even one that points nowhere) makes it
// fail, so no link is ever followed.
Expected<void> CreateNewFile(const std::string& path);

// Why ReadWholeFile gave no contents.
struct ReadFailure {
  enum class Kind {
    Missing,   // nothing at the path
    NotAFile,  // a folder, FIFO, device or socket: never opened for reading
    Failed,    // a file that cannot be read (permissions, I/O error)
  };
  Kind kind = Kind::Failed;
  std::string reason;  // what was found, without the path: "it is a folder"
};
// Reads a whole regular file of any size without ever blocking on what is no
// file.
Expected<std::string, ReadFailure> ReadWholeFile(const std::string& path);

// Writes contents to a temporary file beside path, flushes it to the disk and
// renames it over path, then flushes the folder, so that readers see the old
// file or the new one, never half of one, also after a power cut. A path that
// is a symbolic link keeps being one: the file it finally points to is
// replaced. An existing read-only file is not replaced, as a plain write would
// fail on it. The new file keeps the old one's permissions (and owner, where
// this user may give it). A save killed at any moment leaves no temporary
// file for good: the next replacement in that folder removes what a killed
// one left. Where no temporary file can be made beside path (a folder this
// user may not write) but path itself is writable, the file is rewritten in
// place. On failure the old file is untouched (except by a failed write in
// place), the temporary file is gone and the reason names the path.
Expected<void> ReplaceFileAtomically(const std::string& path, const std::string& contents);

// The system's temporary directory, ending with a separator.
Expected<std::string> TempDirectory();
// Creates a new empty file in dir named prefix + unique part + ".tmp" and
// returns its full path.
Expected<std::string> CreateUniqueTempFile(const std::string& dir, const std::string& prefix);

// Full path of the running program file.
std::string ProgramFilePath();
// The process's current directory.
std::string CurrentDirectory();
// Where per-user settings live when the program's own folder cannot hold them:
// the user's pixdeck config folder (created on first need): on Windows
// "Pixdeck" in the roaming application data folder (the Windows directory of
// old cannot be written by users any more); elsewhere
// $XDG_CONFIG_HOME/pixdeck, else ~/.config/pixdeck. Empty when none can be had.
std::string PerUserConfigDirectory();
// True when the drive (Windows: a letter; ignored elsewhere) that holds the
// folder is a CD-ROM, or elsewhere when the folder is on a read-only file
// system or not writable for this user.
bool IsOnReadOnlyMedium(const std::string& folder);
// The short (8.3) form on Windows; the path unchanged elsewhere.
std::string ShortPath(const std::string& path);

}  // namespace pixdeck::platform
