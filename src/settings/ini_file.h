// An INI file on disk: read whole when the object is made, changed in memory,
// written back by Save, which replaces the file atomically (a crash leaves the
// old file or the new one, never half of one).
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "settings/ini_encoding.h"
#include "settings/ini_text.h"

namespace pixdeck {

// "Unable to write to <file>: <the system's reason>".
class IniFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class IniFile {
 public:
  // Reads path. A missing file reads as an empty one. So does one that cannot
  // be used - no regular file (a folder, FIFO or device), unreadable, or
  // UTF-16 that cannot be decoded: Problem() then says why in one line, and
  // Save refuses to write over it.
  explicit IniFile(std::string path);

  const std::string& Path() const { return path_; }
  // True when something exists at the path that could not be read as a file.
  bool Unreadable() const { return !problem_.empty(); }
  // "Cannot read the settings file <path>: <why>", or empty.
  const std::string& Problem() const { return problem_; }
  IniEncoding Encoding() const { return encoding_; }

  std::optional<std::string> Find(const std::string& section, const std::string& key) const {
    return text_.Find(section, key);
  }
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  void WriteString(const std::string& section, const std::string& key, const std::string& value) {
    text_.Write(section, key, value);
  }
  void EraseSection(const std::string& section) { text_.EraseSection(section); }
  void EraseKey(const std::string& section, const std::string& key) {
    text_.EraseKey(section, key);
  }

  const IniText& Text() const { return text_; }
  IniText& Text() { return text_; }
  bool Modified() const { return text_.Modified(); }

  // Writes the changes, if any, in the encoding the file was read in. A file
  // reached through a symbolic link is replaced at the link's target, so the
  // link survives. Throws IniFileError.
  void Save();

 private:
  std::string path_;
  IniText text_;
  IniEncoding encoding_ = IniEncoding::Bytes;
  std::string problem_;
};

// The profile functions' rule for a name without any folder: it lives in the
// Windows directory (on POSIX the per-user config folder). Other names are
// returned unchanged.
std::string ResolveIniFileName(const std::string& name);

}  // namespace pixdeck
