#include "util/files.h"

#include "platform/file_system.h"
#include "util/paths.h"

namespace pixdeck {

namespace {

// Program-wide state: filled on first use, kept for the run.
struct FolderState {
  std::string programDir;
  std::string windowsDir;
  bool onCdRom = false;
};

FolderState& State() {
  static FolderState state;
  return state;
}

// The name of the probe file that tells whether files can be created.
constexpr const char* kProbeName = "pdk~.tmp";

}  // namespace

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
  if (status == 1)
    return platform::RemoveFile(path);
  return status == 0;
}

std::string TempFileName() {
  const std::string dir = platform::TempDirectory();
  if (dir.empty())
    return {};
  return platform::CreateUniqueTempFile(dir, "pdk");
}

std::string CurrentDir() {
  return platform::CurrentDirectory();
}

std::string ProgramDir() {
  FolderState& state = State();
  if (state.programDir.empty()) {
    state.programDir = DirOf(platform::ProgramFilePath());
    if (state.programDir.empty())
      state.programDir = CurrentDir();
  }
  return state.programDir;
}

std::string WindowsDir() {
  FolderState& state = State();
  if (state.windowsDir.empty()) {
    state.windowsDir = platform::PerUserConfigDirectory();
    // The Windows directory is known in upper case; a POSIX folder keeps its case.
    if (kNativeStyle == PathStyle::Windows)
      state.windowsDir = UpperAscii(state.windowsDir);
  }
  return state.windowsDir;
}

std::string HomeDir() {
  return OnCdRom() ? WindowsDir() : ProgramDir();
}

void SetOnCdRom(bool onCdRom) {
  State().onCdRom = onCdRom;
}
bool OnCdRom() {
  return State().onCdRom;
}

bool ProgramOnReadOnlyMedium() {
  return platform::IsOnReadOnlyMedium(ProgramDir());
}

bool IsCdRomDrive(char driveLetter) {
  if (driveLetter == ' ' || kNativeStyle != PathStyle::Windows)
    return false;
  return platform::IsOnReadOnlyMedium(std::string(1, driveLetter) + ":\\");
}

bool IsDriveReadOnly(const std::string& dir) {
  std::string probeDir = dir;
  if (kNativeStyle == PathStyle::Windows)
    probeDir = std::string(1, DriveLetterOf(dir)) + ":\\";
  const std::string probe = JoinPath(probeDir, kProbeName);
  std::string error;
  if (!platform::ReplaceFileAtomically(probe, {}, error))
    return true;
  platform::RemoveFile(probe);
  return false;
}

std::string ShortPathOf(const std::string& path) {
  return platform::ShortPath(path);
}

}  // namespace pixdeck
