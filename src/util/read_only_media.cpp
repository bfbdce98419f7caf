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
  std::string probeDir = dir;
  if (kNativeStyle == PathStyle::Windows) {
    probeDir = std::string(1, DriveLetterOf(dir)) + ":\\";
  }
  const std::string probe = JoinPath(probeDir, kProbeName);
  if (!platform::ReplaceFileAtomically(probe, {})) {
    return true;
  }
  // A probe left behind does no harm; the next test writes over it.
  (void)platform::RemoveFile(probe);
  return false;
}

}  // namespace pixdeck
