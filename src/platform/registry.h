// The Windows registry as the settings store's medium: string values in
// sections below one key of HKEY_CURRENT_USER, each section a subkey of the
// key, each value REG_SZ. Windows builds only: other systems have no registry,
// and the settings layer keeps the same medium in a file of its own
// (settings/registry_medium.h).
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#ifndef _WIN32
#error "The registry exists on Windows only"
#endif

namespace pixdeck::platform {

// A key could not be created or a value not written: "Failed to create key %s",
// "Failed to set data for '%s'".
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class RegistryMedium {
 public:
  // Opens keyPath (UTF-8; its parts separated by "\") below the user's root.
  // The key may be created now or at the first write: that is the medium's
  // choice, and nothing is written for reads alone.
  explicit RegistryMedium(const std::string& keyPath);
  // Releases the key. Pending writes are made durable on a best-effort basis;
  // call Flush first to learn of failures.
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
  // The value names of subkey section, in the medium's order; empty when the
  // subkey does not exist.
  std::vector<std::string> ValueNames(const std::string& section) const;
  // Makes the writes so far durable. Throws RegistryError.
  void Flush();

 private:
  struct Impl;  // defined by each platform's implementation
  std::unique_ptr<Impl> impl_;
};

}  // namespace pixdeck::platform
