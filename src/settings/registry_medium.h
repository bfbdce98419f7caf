// The registry medium of the settings store: string values in sections below
// one key of the user's own settings root. Windows: the real registry
// (HKEY_CURRENT_USER, platform/registry.h). Elsewhere: the per-user file
// "registry.ini" in the pixdeck config folder, where key path P and section S
// are the INI section "P\S"; it is written by the settings' own INI code,
// which is why this medium lives here and not in the platform layer.
#pragma once

#ifdef _WIN32

#include "platform/registry.h"

namespace pixdeck {
using platform::RegistryError;
using platform::RegistryMedium;

// What the saves of the key are serialised on (platform::SaveLock).
inline std::string RegistryStoreName(const std::string& keyPath) {
  return "HKEY_CURRENT_USER\\" + keyPath;
}
}  // namespace pixdeck

#else

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace pixdeck {

// A key could not be created or a value not written: "Failed to create key %s",
// "Failed to set data for '%s'"; the file could not be saved: "Unable to
// write to <file>: <the system's reason>".
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file of the store, which every key shares; what the saves of a key
// are serialised on (platform::SaveLock).
std::string RegistryStoreName(const std::string& keyPath);

// The same members as platform::RegistryMedium on Windows.
class RegistryMedium {
 public:
  // Opens keyPath (UTF-8; its parts separated by "\"). Nothing is written
  // for reads alone: the key is made by its first write. The file is read
  // now; writes change this copy, and Flush (or the destructor, which
  // swallows a failure) applies them to the file as it then is, in one
  // atomic replacement, so that a full disk leaves the old file or the new
  // one and another key's values written since stay.
  explicit RegistryMedium(const std::string& keyPath);
  ~RegistryMedium();
  RegistryMedium(const RegistryMedium&) = delete;
  RegistryMedium& operator=(const RegistryMedium&) = delete;

  const std::string& KeyPath() const;

  // The value name of subkey section; nothing when the subkey or the value
  // does not exist. Names compare without regard to letter case.
  std::optional<std::string> ReadString(const std::string& section, const std::string& name) const;
  // Writes a string value, creating the subkey section when needed. Throws
  // RegistryError.
  void WriteString(const std::string& section, const std::string& name, const std::string& value);
  // Deletes subkey section with every value and subkey below it; a missing
  // subkey is no error. Throws RegistryError.
  void EraseSection(const std::string& section);
  // The value names of subkey section, in the file's order; empty when the
  // subkey does not exist.
  std::vector<std::string> ValueNames(const std::string& section) const;
  // Writes the changes so far into the file. Throws RegistryError.
  void Flush();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace pixdeck

#endif
