#include "text/path_names.h"

#include "text/ascii.h"

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
    if (IsSeparator(path[i - 1], style)) {
      return i - 1;
    }
  }
  return std::string_view::npos;
}

// Index of the dot that starts the extension, or npos.
std::size_t ExtensionDot(std::string_view path, PathStyle style) {
  const std::size_t sep = LastSeparator(path, style);
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) {
    return dot;
  }
  if (sep != std::string_view::npos && dot < sep) {
    return std::string_view::npos;
  }
  return dot;
}

bool IsWindowsDriveRoot(std::string_view dir) {
  return dir.size() == 3 && dir[1] == ':' && dir[2] == '\\';
}

}  // namespace

char SeparatorOf(PathStyle style) {
  return style == PathStyle::Windows ? '\\' : '/';
}

std::string DirOf(std::string_view path, PathStyle style) {
  const std::size_t sep = LastSeparator(path, style);
  if (sep == std::string_view::npos) {
    return {};
  }
  std::string dir(path.substr(0, sep + 1));
  if (style == PathStyle::Windows) {
    if (dir.size() > 1 && dir.back() == '\\' && !IsWindowsDriveRoot(dir)) {
      dir.pop_back();
    }
  } else {
    while (dir.size() > 1 && dir.back() == '/') {
      dir.pop_back();
    }
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
  if (!joined.empty() && joined.back() != sep) {
    joined += sep;
  }
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

char DriveLetterOf(std::string_view path, PathStyle style) {
  if (style == PathStyle::Windows && path.size() >= 2 && path.find(':') == 1) {
    return UpperAscii(path[0]);
  }
  return ' ';
}

}  // namespace pixdeck
