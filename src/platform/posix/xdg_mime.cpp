#include "platform/posix/xdg_mime.h"

#include <unistd.h>

#include <optional>

#include "platform/posix/desktop_entry.h"
#include "platform/posix/process_start.h"
#include "platform/posix/program_path.h"
#include "text/ascii.h"

namespace pixdeck::platform {

namespace {

// How long the desktop's helper (xdg-mime) may take to answer.
constexpr int kHelperTimeoutMs = 5000;

}  // namespace

std::string QueryXdgMime(const std::vector<std::string>& arguments) {
  const std::string xdgMime = ResolveProgram("xdg-mime");
  if (xdgMime.empty()) {
    return {};
  }
  // A helper that fails or hangs has no answer, like one that knows nothing.
  const Expected<std::string> output = RunAndCapture(xdgMime, arguments, kHelperTimeoutMs);
  if (!output) {
    return {};
  }
  return std::string(TrimAscii(std::string_view(*output).substr(0, output->find('\n'))));
}

std::string DefaultProgramFor(const std::string& mimeType) {
  std::string id = QueryXdgMime({"query", "default", mimeType});
  id = std::string(TrimAscii(std::string_view(id).substr(0, id.find(';'))));
  if (id.empty() || id.find("..") != std::string::npos) {
    return {};
  }
  for (const std::string& dir : ApplicationDirs()) {
    for (const std::string& candidate : DesktopFileCandidates(id)) {
      std::string file = dir;
      file.append("/").append(candidate);
      if (::access(file.c_str(), R_OK) != 0) {
        continue;
      }
      // The first entry found is the one the desktop uses, usable or not.
      return StartCommandOf(ExecLineOf(file));
    }
  }
  return {};
}

}  // namespace pixdeck::platform
