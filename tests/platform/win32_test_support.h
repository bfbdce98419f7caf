// Helpers of the Windows platform tests: wide text and a private registry key.
#pragma once

#include <windows.h>

#include <string>

namespace pixdeck::test {

std::wstring Wide(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

// A key path below HKEY_CURRENT_USER that no other test uses; the whole key
// is deleted again when the object goes.
class ScratchRegistryKey {
 public:
  ScratchRegistryKey();
  ~ScratchRegistryKey();
  ScratchRegistryKey(const ScratchRegistryKey&) = delete;
  ScratchRegistryKey& operator=(const ScratchRegistryKey&) = delete;

  // The key path (UTF-8, "\" between its parts).
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The string value name of HKEY_CURRENT_USER\keyPath with its type; false
// when the key or the value does not exist.
bool ReadRawValue(const std::string& keyPath, const std::string& name, DWORD& type,
                  std::wstring& data);
bool KeyExists(const std::string& keyPath);

}  // namespace pixdeck::test
