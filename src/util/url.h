// Turning local paths into the URLs that a page uses to refer to pictures.
#pragma once

#include <string>
#include <string_view>

#include "util/paths.h"

namespace pixdeck {

// True when the text is empty or begins with "FILE" (ASCII case ignored): such
// a URL base makes file URLs; any other base is a web server's directory.
bool IsFileUrl(std::string_view text);

// Which ends of a text are also ends of the URL it goes into: a browser
// strips the blanks there.
enum class UrlEnds { Both, Last, None };

// Appends text with the characters that would change a URL's meaning or be
// lost in it percent-encoded: "%", "#", "?", control characters (a browser
// drops tabs and line breaks anywhere), blanks at the ends of the URL (which
// a browser strips; blanks inside stay, the browser encodes them), bytes that
// are not well-formed UTF-8 and, for POSIX paths, "\" (a browser reads it as
// "/"). Well-formed non-ASCII text stays as it is.
void AppendUrlEncoded(std::string& out, std::string_view text, PathStyle style = kNativeStyle,
                      UrlEnds ends = UrlEnds::Both);
std::string UrlEncoded(std::string_view text, PathStyle style = kNativeStyle,
                       UrlEnds ends = UrlEnds::Both);

// The URL of a local path under a URL base. A file base gives a file URL
// (Windows: "file:///C|\PICS\a.gif"; POSIX: "file://" + the absolute path); a
// web base gives the base, one "/", and the path without its drive or root,
// with "/" as separator. A bare name is not converted: "file:///" + name or
// base + "/" + name. Empty for an empty path.
std::string PathToUrl(std::string_view path, std::string_view base, PathStyle style = kNativeStyle);

// The scanned folder's URL under the base, ending with the separator of its
// kind ("\" or "/" for a Windows or POSIX file URL, "/" for a web URL).
std::string DirectoryUrl(std::string_view directory, std::string_view base,
                         PathStyle style = kNativeStyle);

// The background pattern as the page's BACKGROUND attribute needs it: a path
// with a folder becomes its URL; a bare name stays relative to the page (only
// encoded); an empty pattern stays empty.
std::string PatternUrl(std::string_view pattern, std::string_view base,
                       PathStyle style = kNativeStyle);

}  // namespace pixdeck
