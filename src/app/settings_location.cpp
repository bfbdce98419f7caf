#include "app/settings_location.h"

#include "catalog/color_table.h"
#include "platform/file_system.h"
#include "util/files.h"
#include "util/paths.h"

namespace pixdeck {
namespace {

// An installed program takes its data from <prefix>/share/pixdeck; its
// folder is the system's, so its settings belong to each user.
bool ProgramIsInstalled() {
  return FindColorFile() != ColorFileCandidates().front();
}

}  // namespace

std::string ProgramSettingsName() {
  std::string name = ForceExt(platform::ProgramFilePath(), "INI");
  const bool onReadOnly = kNativeStyle == PathStyle::Windows
                              ? IsCdRomDrive(DriveLetterOf(name))
                              : ProgramOnReadOnlyMedium() || ProgramIsInstalled();
  SetOnCdRom(onReadOnly);
  if (onReadOnly)
    name = JoinPath(WindowsDir(), NameOf(name));
  return name;
}

}  // namespace pixdeck
