#include "win32_test_support.h"

#include <atomic>
#include <vector>

namespace pixdeck::test {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty())
    return {};
  const int needed =
      ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        needed);
  return wide;
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty())
    return {};
  const int needed = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(needed), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), needed,
                        nullptr, nullptr);
  return utf8;
}

namespace {
constexpr const char* kTestRoot = "Software\\Pixdeck platform tests";
}

ScratchRegistryKey::ScratchRegistryKey() {
  static std::atomic<int> counter{0};
  path_ = std::string(kTestRoot) + "\\" + std::to_string(::GetCurrentProcessId()) + "-" +
          std::to_string(counter++);
}

ScratchRegistryKey::~ScratchRegistryKey() {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(path_).c_str());
  ::RegDeleteKeyW(HKEY_CURRENT_USER, Wide(path_).c_str());
  // The shared parent goes once no test key is left in it.
  ::RegDeleteKeyW(HKEY_CURRENT_USER, Wide(kTestRoot).c_str());
}

bool ReadRawValue(const std::string& keyPath, const std::string& name, DWORD& type,
                  std::wstring& data) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(keyPath).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  DWORD size = 0;
  const std::wstring valueName = Wide(name);
  bool ok =
      ::RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
  if (ok) {
    std::vector<BYTE> bytes(size + sizeof(wchar_t));
    ok = ::RegQueryValueExW(key, valueName.c_str(), nullptr, &type, bytes.data(), &size) ==
         ERROR_SUCCESS;
    data.assign(reinterpret_cast<const wchar_t*>(bytes.data()), size / sizeof(wchar_t));
  }
  ::RegCloseKey(key);
  return ok;
}

bool KeyExists(const std::string& keyPath) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(keyPath).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  ::RegCloseKey(key);
  return true;
}

}  // namespace pixdeck::test
