#include "settings/ini_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/file_system.h"
#include "util/files.h"
#include "util/paths.h"
#include "util/utf8_path.h"

namespace pixdeck {
namespace {

namespace fs = std::filesystem;

// The whole file; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::error_code ec;
  if (fs::is_directory(PathFromUtf8(path), ec))
    return std::nullopt;
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in)
    return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad())
    return std::nullopt;
  return text;
}

// Where the new file goes: the final target of a symbolic link, else the path.
std::string WriteTarget(const std::string& path) {
  std::error_code ec;
  const fs::path named = PathFromUtf8(path);
  if (!fs::is_symlink(fs::symlink_status(named, ec)))
    return path;
  const fs::path target = fs::weakly_canonical(named, ec);
  return ec ? path : Utf8FromPath(target);
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  if (path_.empty())
    return;
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(PathFromUtf8(path_), ec)))
    return;
  if (std::optional<std::string> text = ReadWholeFile(path_))
    text_ = IniText(*text);
  else
    unreadable_ = true;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
  return text_.Find(section, key).value_or(defaultValue);
}

void IniFile::Save() {
  if (!Modified())
    return;
  const std::string failure = "Unable to write to " + path_;
  // A file that could not be read must not be replaced by what little we know.
  if (path_.empty() || unreadable_)
    throw IniFileError(failure);
  std::string error;
  if (!platform::ReplaceFileAtomically(WriteTarget(path_), text_.Render(), error))
    throw IniFileError(failure);
  text_ = IniText(text_.Render());  // written: nothing is pending any more
}

std::string ResolveIniFileName(const std::string& name) {
  if (name.empty() || NameOf(name) != name || name.find('/') != std::string::npos)
    return name;
  return JoinPath(WindowsDir(), name);
}

}  // namespace pixdeck
