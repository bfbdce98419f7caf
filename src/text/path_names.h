// The name rules of paths, on text alone: separators, folder and file parts,
// extensions and drive letters. Every helper takes a path style so that both
// the Windows and the POSIX rules can be exercised on any machine; the program
// itself always passes the native style (the default argument).
#pragma once

#include <string>
#include <string_view>

namespace pixdeck {

enum class PathStyle {
  Windows,  // separators "\" and ":", drive letters, case-insensitive folders
  Posix,    // separator "/", root "/", case-sensitive folders
};

#ifdef _WIN32
inline constexpr PathStyle kNativeStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kNativeStyle = PathStyle::Posix;
#endif

// The preferred separator of a style: "\" or "/".
char SeparatorOf(PathStyle style);

// The directory part without its trailing separator, except for a root, which
// keeps it ("C:\", "/"). Empty for a bare name.
std::string DirOf(std::string_view path, PathStyle style = kNativeStyle);
// The bare file name: what follows the last separator.
std::string NameOf(std::string_view path, PathStyle style = kNativeStyle);
// dir + separator + name; no separator is added when dir is empty or already
// ends with one. The name is not inspected.
std::string JoinPath(std::string_view dir, std::string_view name, PathStyle style = kNativeStyle);
// The path with its extension replaced by (or extended with) "." + ext.
std::string ForceExt(std::string_view path, std::string_view ext, PathStyle style = kNativeStyle);
// The extension without its dot; empty when the name has none.
std::string ExtOf(std::string_view path, PathStyle style = kNativeStyle);
// Windows: the upper-cased drive letter when the path's first ":" is its second
// character, else a blank. POSIX: always a blank.
char DriveLetterOf(std::string_view path, PathStyle style = kNativeStyle);
}  // namespace pixdeck
