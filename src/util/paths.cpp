#include "util/paths.h"

#include <vector>

#include "platform/file_system.h"
#include "text/ascii.h"

namespace pixdeck {

std::string InstalledDataDir(std::string_view programDir, PathStyle style) {
  return JoinPath(JoinPath(DirOf(programDir, style), "share", style), "pixdeck", style);
}

std::string NormalizedDir(std::string_view path, PathStyle style) {
  if (style == PathStyle::Windows) {
    return std::string(path);
  }
  std::string full(path);
  if (full.empty() || full.front() != '/') {
    if (style != kNativeStyle) {
      return full;  // no current directory to resolve against
    }
    full = JoinPath(platform::CurrentDirectory(), full, PathStyle::Posix);
  }
  std::vector<std::string_view> parts;
  std::string_view rest(full);
  while (!rest.empty()) {
    const std::size_t slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (part.empty() || part == ".") {
      continue;
    }
    if (part == "..") {
      if (!parts.empty()) {
        parts.pop_back();
      }
      continue;
    }
    parts.push_back(part);
  }
  std::string normal;
  for (const auto part : parts) {
    normal += '/';
    normal += part;
  }
  return normal.empty() ? "/" : normal;
}

bool SameDir(std::string_view a, std::string_view b, PathStyle style) {
  if (style == PathStyle::Windows) {
    return EqualsNoCaseAscii(a, b);
  }
  return NormalizedDir(a, style) == NormalizedDir(b, style);
}

std::string RelativeTo(std::string_view dir, std::string_view path, PathStyle style) {
  const std::string pathDir = DirOf(path, style);
  if (!pathDir.empty() && SameDir(pathDir, dir, style)) {
    return NameOf(path, style);
  }
  return std::string(path);
}

}  // namespace pixdeck
