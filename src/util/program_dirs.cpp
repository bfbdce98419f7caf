#include "util/program_dirs.h"

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

}  // namespace

std::string CurrentDir() {
  return platform::CurrentDirectory();
}

std::string ProgramDir() {
  FolderState& state = State();
  if (state.programDir.empty()) {
    state.programDir = DirOf(platform::ProgramFilePath());
    if (state.programDir.empty()) {
      state.programDir = CurrentDir();
    }
  }
  return state.programDir;
}

std::string WindowsDir() {
  FolderState& state = State();
  if (state.windowsDir.empty()) {
    state.windowsDir = platform::PerUserConfigDirectory();
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

}  // namespace pixdeck
