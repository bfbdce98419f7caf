// Path and file-name helpers: the name rules (text/path_names.h) and the
// comparisons of folders, which on POSIX resolve relative paths against the
// current directory.
#pragma once

#include <string>
#include <string_view>

#include "text/path_names.h"

namespace pixdeck {

// Where the data files of a program installed in <prefix>/bin live:
// <prefix>/share/pixdeck.
std::string InstalledDataDir(std::string_view programDir, PathStyle style = kNativeStyle);
// True when the two folders are the same: ASCII case ignored on Windows; on
// POSIX exact, after both are made absolute and normalised.
bool SameDir(std::string_view a, std::string_view b, PathStyle style = kNativeStyle);
// The bare name when the path's folder is dir, else the path unchanged.
std::string RelativeTo(std::string_view dir, std::string_view path, PathStyle style = kNativeStyle);
// POSIX: the absolute, normalised form ("/a/./b/" -> "/a/b"), relative paths
// resolved against the current directory. Windows: the path unchanged.
std::string NormalizedDir(std::string_view path, PathStyle style = kNativeStyle);

}  // namespace pixdeck
