#include "settings/ini_file.h"

#include <filesystem>
#include <system_error>

#include "platform/file_system.h"
#include "text/utf8_path.h"
#include "util/paths.h"
#include "util/program_dirs.h"

namespace pixdeck {
namespace {

namespace fs = std::filesystem;

// Where the new file goes: the final target of a symbolic link, else the path.
std::string WriteTarget(const std::string& path) {
  std::error_code ec;
  const fs::path named = PathFromUtf8(path);
  if (!fs::is_symlink(fs::symlink_status(named, ec))) {
    return path;
  }
  const fs::path target = fs::weakly_canonical(named, ec);
  return ec ? path : Utf8FromPath(target);
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  if (path_.empty()) {
    return;
  }
  const auto bytes = platform::ReadWholeFile(path_);
  std::string why;
  if (bytes) {
    if (std::optional<DecodedIni> decoded = DecodeIniBytes(*bytes)) {
      encoding_ = decoded->encoding;
      text_ = IniText(decoded->text);
      return;
    }
    why = "its UTF-16 text cannot be decoded";
  } else if (bytes.error().kind == platform::ReadFailure::Kind::Missing) {
    return;
  } else {
    why = bytes.error().reason;
  }
  problem_ = "Cannot read the settings file " + path_ + ": " + why;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
  return text_.Find(section, key).value_or(defaultValue);
}

void IniFile::Save() {
  if (!Modified()) {
    return;
  }
  const std::string failure = "Unable to write to " + path_;
  // A file that could not be read must not be replaced by what little we know.
  if (path_.empty()) {
    throw IniFileError(failure);
  }
  if (Unreadable()) {
    const std::string prefix = "Cannot read the settings file " + path_ + ": ";
    throw IniFileError(failure + ": " + problem_.substr(prefix.size()));
  }
  const Expected<void> saved =
      platform::ReplaceFileAtomically(WriteTarget(path_), EncodeIniText(text_.Render(), encoding_));
  if (!saved) {
    // The reason names the path already; the system's word for it follows
    // the last ": ".
    const std::string& reason = saved.error();
    const std::size_t colon = reason.rfind(": ");
    throw IniFileError(failure + ": " +
                       (colon == std::string::npos ? reason : reason.substr(colon + 2)));
  }
  text_.MarkSaved();
}

std::string ResolveIniFileName(const std::string& name) {
  if (name.empty() || NameOf(name) != name || name.find('/') != std::string::npos) {
    return name;
  }
  return JoinPath(WindowsDir(), name);
}

}  // namespace pixdeck
