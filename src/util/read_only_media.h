// Whether files can be created where the program or a folder lives.
#pragma once

#include <string>

namespace pixdeck {

// Windows: true when the system reports the drive as a CD-ROM; false for a
// blank letter and on other systems.
bool IsCdRomDrive(char driveLetter);
// True when no file can be created where dir lives: on Windows in the root of
// dir's drive, elsewhere in dir itself. Probes by creating the file
// "pdk~.tmp" where nothing of that name exists (else a file of a unique name)
// and deleting it again; never touches a file it did not create.
bool IsDriveReadOnly(const std::string& dir);
// True when no file can be created in dir itself, on every system (a folder
// of another user, one that does not exist), by the same probe.
bool IsFolderReadOnly(const std::string& dir);

}  // namespace pixdeck
