#include "platform/posix/program_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "text/path_names.h"

namespace pixdeck::platform {

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::vector<std::string> SplitList(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos) {
      return parts;
    }
    start = end + 1;
  }
}

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

std::string ResolveProgram(const std::string& program) {
  if (program.empty()) {
    return {};
  }
  if (program.find('/') != std::string::npos) {
    if (!IsExecutableFile(program)) {
      return {};
    }
    if (program.front() == '/') {
      return program;
    }
    char* cwd = ::getcwd(nullptr, 0);
    if (cwd == nullptr) {
      return {};
    }
    std::string full = JoinPath(cwd, program, PathStyle::Posix);
    std::free(cwd);
    return full;
  }
  for (const std::string& dir : SplitList(EnvironmentValue("PATH"), ':')) {
    // An empty PATH entry is the current directory.
    std::string candidate = JoinPath(dir.empty() ? "." : dir, program, PathStyle::Posix);
    if (IsExecutableFile(candidate)) {
      return ResolveProgram(candidate);
    }
  }
  return {};
}

}  // namespace pixdeck::platform
