#include "util/paths.h"

#include <algorithm>
#include <vector>

#include "platform/file_system.h"

namespace pixdeck {

namespace {

bool IsSeparator(char c, PathStyle style) {
  return style == PathStyle::Windows ? (c == '\\' || c == ':') : c == '/';
}

// Index of the last separator, or npos. UTF-8 never uses a byte below 0x80
// inside a multi-byte character, so a plain byte scan cannot mistake part of
// a character for a separator.
std::size_t LastSeparator(std::string_view path, PathStyle style) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1], style))
      return i - 1;
  }
  return std::string_view::npos;
}

// Index of the dot that starts the extension, or npos.
std::size_t ExtensionDot(std::string_view path, PathStyle style) {
  const std::size_t sep = LastSeparator(path, style);
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos)
    return dot;
  if (sep != std::string_view::npos && dot < sep)
    return std::string_view::npos;
  return dot;
}

bool IsWindowsDriveRoot(std::string_view dir) {
  return dir.size() == 3 && dir[1] == ':' && dir[2] == '\\';
}

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

char SeparatorOf(PathStyle style) {
  return style == PathStyle::Windows ? '\\' : '/';
}

std::string DirOf(std::string_view path, PathStyle style) {
  const std::size_t sep = LastSeparator(path, style);
  if (sep == std::string_view::npos)
    return {};
  std::string dir(path.substr(0, sep + 1));
  if (style == PathStyle::Windows) {
    if (dir.size() > 1 && dir.back() == '\\' && !IsWindowsDriveRoot(dir))
      dir.pop_back();
  } else {
    while (dir.size() > 1 && dir.back() == '/')
      dir.pop_back();
  }
  return dir;
}

std::string NameOf(std::string_view path, PathStyle style) {
  const std::size_t sep = LastSeparator(path, style);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string JoinPath(std::string_view dir, std::string_view name, PathStyle style) {
  std::string joined(dir);
  const char sep = SeparatorOf(style);
  if (!joined.empty() && joined.back() != sep)
    joined += sep;
  joined += name;
  return joined;
}

std::string ForceExt(std::string_view path, std::string_view ext, PathStyle style) {
  const std::size_t dot = ExtensionDot(path, style);
  std::string result(dot == std::string_view::npos ? path : path.substr(0, dot));
  result += '.';
  result += ext;
  return result;
}

std::string ExtOf(std::string_view path, PathStyle style) {
  const std::size_t dot = ExtensionDot(path, style);
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot + 1));
}

std::string InstalledDataDir(std::string_view programDir, PathStyle style) {
  return JoinPath(JoinPath(DirOf(programDir, style), "share", style), "pixdeck", style);
}

char DriveLetterOf(std::string_view path, PathStyle style) {
  if (style == PathStyle::Windows && path.size() >= 2 && path.find(':') == 1) {
    return AsciiUpper(path[0]);
  }
  return ' ';
}

std::string NormalizedDir(std::string_view path, PathStyle style) {
  if (style == PathStyle::Windows)
    return std::string(path);
  std::string full(path);
  if (full.empty() || full.front() != '/') {
    if (style != kNativeStyle)
      return full;  // no current directory to resolve against
    full = JoinPath(platform::CurrentDirectory(), full, PathStyle::Posix);
  }
  std::vector<std::string_view> parts;
  std::string_view rest(full);
  while (!rest.empty()) {
    const std::size_t slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (part.empty() || part == ".")
      continue;
    if (part == "..") {
      if (!parts.empty())
        parts.pop_back();
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
  if (style == PathStyle::Windows)
    return EqualsNoCaseAscii(a, b);
  return NormalizedDir(a, style) == NormalizedDir(b, style);
}

std::string RelativeTo(std::string_view dir, std::string_view path, PathStyle style) {
  const std::string pathDir = DirOf(path, style);
  if (!pathDir.empty() && SameDir(pathDir, dir, style))
    return NameOf(path, style);
  return std::string(path);
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), AsciiUpper);
  return upper;
}

bool EqualsNoCaseAscii(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiUpper(x) == AsciiUpper(y);
         });
}

}  // namespace pixdeck
