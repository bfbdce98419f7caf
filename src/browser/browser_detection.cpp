#include "browser/browser_detection.h"

#include <optional>

#include "platform/file_system.h"
#include "platform/shell.h"
#include "text/ascii.h"
#include "util/paths.h"
#include "util/program_dirs.h"
#include "util/read_only_media.h"

namespace pixdeck {

namespace {

struct BrowserState {
  std::string path;
  bool useDde = true;
  TBrowser kind = brUnknown;
};

BrowserState& State() {
  static BrowserState state;
  return state;
}

// The system answers "which program opens it" only for an existing document,
// so a page that is not named .htm is asked about through this one.
constexpr const char* kProbeName = "~.HTM";

}  // namespace

const std::string& BrowserPath() {
  return State().path;
}
void SetBrowserPath(const std::string& path) {
  State().path = path;
}
bool UseDde() {
  return State().useDde;
}
void SetUseDde(bool useDde) {
  State().useDde = useDde;
}
TBrowser BrowserKind() {
  return State().kind;
}
void SetBrowserKind(TBrowser kind) {
  State().kind = kind;
}
void ResetBrowserState() {
  State() = BrowserState{};
}

void SetBrowser(const std::string& path) {
  State().path = path;
  const std::string upper = UpperAscii(path);
  if (upper.find("NETSCAPE") != std::string::npos) {
    State().kind = brNetscape;
  } else if (upper.find("IEXPLORE") != std::string::npos) {
    State().kind = brExplorer;
  }
}

void ConfigureBrowser(const std::string& name, bool useDdeFlag, Messages& messages) {
  State().useDde = useDdeFlag;
  if (!name.empty()) {
    SetBrowser(name);
  } else if (useDdeFlag) {
    DetectBrowser({}, messages);
  }
}

void ApplyBrowserOptions(const std::string& browserName, bool useRegSettings) {
  if (!State().useDde || !useRegSettings) {
    State().path = browserName;
  }
  State().useDde = useRegSettings;
}

bool DetectBrowser(const std::string& fileName, Messages& messages) {
  if (!State().path.empty()) {
    return true;
  }
  std::string found;
  if (IsHtmlName(fileName)) {
    found = FindExecutableFor(fileName);
  } else {
    std::string dir = HomeDir();
    if (!OnCdRom() && IsDriveReadOnly(dir)) {
      dir = WindowsDir();
    }
    found = FindExecutableViaProbe(JoinPath(dir, kProbeName));
  }
  SetBrowser(found);
  if (!State().path.empty()) {
    return true;
  }
  ShowError(messages, "Error: Could not detect a Web browser!");
  return false;
}

bool IsHtmlName(const std::string& name) {
  const std::string ext = UpperAscii(ExtOf(name).substr(0, 4));
  return ext.find("HTM") != std::string::npos;
}

std::string FindExecutableFor(const std::string& documentPath) {
  return platform::FindExecutable(documentPath);
}

std::string FindExecutableViaProbe(const std::string& probeName) {
  // Where the name alone tells the program, no probe file is needed.
  if (std::optional<std::string> byName = platform::FindExecutableByName(probeName)) {
    return *byName;
  }
  if (platform::FileExists(probeName)) {
    return FindExecutableFor(probeName);
  }
  std::string result;
  // Made only where nothing of that name exists, and never through a link.
  if (platform::CreateNewFile(probeName)) {
    result = FindExecutableFor(probeName);
    // A probe that stays is an empty file that the next probe reuses.
    (void)platform::RemoveFile(probeName);
  }
  return result;
}

}  // namespace pixdeck
