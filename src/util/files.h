// File helpers: status checks, temporary names and the program's folders.
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

// Creates a new empty file "pdk....tmp" in the temporary directory and returns
// its full path; empty when none could be had. The caller deletes it.
std::string TempFileName();

// The program's folder and the folder for per-user settings.
std::string CurrentDir();
std::string ProgramDir();  // cached
std::string WindowsDir();  // cached; the per-user config folder on POSIX
std::string HomeDir();     // WindowsDir when running from read-only media
void SetOnCdRom(bool onCdRom);
bool OnCdRom();
// True when the program's folder cannot hold its settings file: on Windows its
// drive is a CD-ROM; elsewhere it is on a read-only file system or not
// writable for this user.
bool ProgramOnReadOnlyMedium();
// Windows: true when the system reports the drive as a CD-ROM; false for a
// blank letter and on other systems.
bool IsCdRomDrive(char driveLetter);
// True when no file can be created where dir lives: on Windows in the root of
// dir's drive, elsewhere in dir itself. Probes by creating and deleting the
// file "pdk~.tmp".
bool IsDriveReadOnly(const std::string& dir);

std::string ShortPathOf(const std::string& path);

}  // namespace pixdeck
