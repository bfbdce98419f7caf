#include "util/url.h"

#include <algorithm>
#include <filesystem>

#include "platform/file_system.h"
#include "text/ascii.h"
#include "text/utf8.h"
#include "text/utf8_path.h"

namespace pixdeck {

namespace {

// Bytes that would change a URL's meaning, or that a browser drops (tabs and
// line breaks anywhere; the other controls at either end of an attribute,
// and they are no text for a page). Blanks are a matter of their place.
bool NeedsEncoding(unsigned char c, PathStyle style) {
  return c == '%' || c == '#' || c == '?' || c < 0x20 || c == 0x7F ||
         (c == '\\' && style == PathStyle::Posix);
}

// Windows: the drive part of a path that has a folder. A file URL keeps the
// drive as "C|"; a web URL drops it (and the root's backslash) and uses "/".
std::string ConvertWindowsPath(std::string_view path, bool fileBase) {
  std::string converted(path);
  if (DirOf(path, PathStyle::Windows).empty()) {
    return converted;
  }
  const bool driveColon = converted.find(':') == 1;
  if (fileBase) {
    if (driveColon) {
      converted[1] = '|';
    }
    return converted;
  }
  if (driveColon) {
    if (converted.size() >= 4 && converted[3] == '\\') {
      converted.erase(0, 4);
    } else if (converted.size() >= 3 && converted[2] == '\\') {
      converted.erase(0, 3);
    } else {
      converted.erase(0, 2);
    }
  }
  for (char& c : converted) {
    if (c == '\\') {
      c = '/';
    }
  }
  return converted;
}

// POSIX: a file URL needs the absolute path; a web URL takes the path below
// the root (a relative path stays relative to the base).
std::string ConvertPosixPath(std::string_view path, bool fileBase) {
  if (DirOf(path, PathStyle::Posix).empty()) {
    return std::string(path);
  }
  if (fileBase) {
    if (!path.empty() && path.front() == '/') {
      return std::string(path);
    }
    const std::filesystem::path absolute =
        (PathFromUtf8(platform::CurrentDirectory()) / PathFromUtf8(path)).lexically_normal();
    return Utf8FromPath(absolute);
  }
  const std::size_t first = path.find_first_not_of('/');
  return first == std::string_view::npos ? std::string() : std::string(path.substr(first));
}

}  // namespace

bool IsFileUrl(std::string_view text) {
  // Only the first four characters count; a shorter text is never "FILE".
  return text.empty() || (text.size() >= 4 && EqualsNoCaseAscii(text.substr(0, 4), "FILE"));
}

void AppendUrlEncoded(std::string& out, std::string_view text, PathStyle style, UrlEnds ends) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const auto appendEncoded = [&out](unsigned char c) {
    out.push_back('%');
    out.push_back(kHex[c >> 4]);
    out.push_back(kHex[c & 0x0F]);
  };
  // The blanks that a browser would strip: those before the first other
  // byte and after the last one, where the text ends the URL.
  const std::size_t firstKept =
      ends == UrlEnds::Both ? std::min(text.find_first_not_of(' '), text.size()) : 0;
  const std::size_t lastKept = ends == UrlEnds::None ? text.size()
                               : text.find_last_not_of(' ') == std::string_view::npos
                                   ? 0
                                   : text.find_last_not_of(' ') + 1;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if (NeedsEncoding(c, style) || (c == ' ' && (i < firstKept || i >= lastKept))) {
        appendEncoded(c);
      } else {
        out.push_back(text[i]);
      }
      ++i;
      continue;
    }
    // Well-formed UTF-8 stays readable; a byte that is not part of it (a
    // Latin-1 name, say) is encoded, so the URL names the file's real bytes
    // and not the U+FFFD a browser would read it as.
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      appendEncoded(c);
      ++i;
    } else {
      out.append(text, i, length);
      i += length;
    }
  }
}

std::string UrlEncoded(std::string_view text, PathStyle style, UrlEnds ends) {
  std::string out;
  out.reserve(text.size());
  AppendUrlEncoded(out, text, style, ends);
  return out;
}

std::string PathToUrl(std::string_view path, std::string_view base, PathStyle style) {
  if (path.empty()) {
    return {};
  }
  const bool fileBase = IsFileUrl(base);
  const std::string converted = style == PathStyle::Windows ? ConvertWindowsPath(path, fileBase)
                                                            : ConvertPosixPath(path, fileBase);
  std::string url;
  if (fileBase) {
    url = (style == PathStyle::Posix && !converted.empty() && converted.front() == '/')
              ? "file://"
              : "file:///";
  } else {
    url.assign(base);
    if (url.empty() || url.back() != '/') {
      url.push_back('/');
    }
  }
  // The path follows the scheme or the base: only its end is the URL's.
  AppendUrlEncoded(url, converted, style, UrlEnds::Last);
  return url;
}

std::string DirectoryUrl(std::string_view directory, std::string_view base, PathStyle style) {
  std::string url = PathToUrl(directory, base, style);
  const char separator = IsFileUrl(url) ? SeparatorOf(style) : '/';
  if (url.empty() || url.back() != separator) {
    url.push_back(separator);
  }
  return url;
}

std::string PatternUrl(std::string_view pattern, std::string_view base, PathStyle style) {
  if (DirOf(pattern, style).empty()) {
    return UrlEncoded(pattern, style);
  }
  return PathToUrl(pattern, base, style);
}

}  // namespace pixdeck
