// Whether files can be created where the program or a folder lives.
#pragma once

#include <string>

namespace pixdeck {

// Windows: true when the system reports the drive as a CD-ROM; false for a
// blank letter and on other systems.
bool IsCdRomDrive(char driveLetter);
// True when no file can be created where dir lives: on Windows in the root of
// dir's drive, elsewhere in dir itself. Probes by creating and deleting the
// file "pdk~.tmp".
bool IsDriveReadOnly(const std::string& dir);

}  // namespace pixdeck
