#include "util/read_only_media.h"

#include "platform/file_system.h"
#include "text/path_names.h"
#include "util/program_dirs.h"

namespace pixdeck {

namespace {

// The name of the probe file that tells whether files can be created.
constexpr const char* kProbeName = "pdk~.tmp";

}  // namespace

bool IsCdRomDrive(char driveLetter) {
  if (driveLetter == ' ' || kNativeStyle != PathStyle::Windows) {
    return false;
  }
  return platform::IsOnReadOnlyMedium(std::string(1, driveLetter) + ":\\");
}

bool IsDriveReadOnly(const std::string& dir) {
  if (kNativeStyle == PathStyle::Windows) {
    return IsFolderReadOnly(std::string(1, DriveLetterOf(dir)) + ":\\");
  }
  return IsFolderReadOnly(dir);
}

bool IsFolderReadOnly(const std::string& dir) {
  // The probe is made only where nothing of its name exists, and only the
  // file made here is removed: a file of the user's by that name (or a link)
  // stays as it is.
  const std::string probe = JoinPath(dir, kProbeName);
  if (platform::CreateNewFile(probe)) {
    (void)platform::RemoveFile(probe);
    return false;
  }
  // Something may hold the name already: a file of a unique name tells.
  if (const Expected<std::string> unique = platform::CreateUniqueTempFile(dir, "pdk")) {
    (void)platform::RemoveFile(*unique);
    return false;
  }
  return true;
}

}  // namespace pixdeck
