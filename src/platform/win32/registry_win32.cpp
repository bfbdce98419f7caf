// The registry medium on Windows: the key below HKEY_CURRENT_USER, each
// section a subkey, each value REG_SZ. The key is created when the medium
// opens, as the settings store expects of the registry.
#include <windows.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/win32/win32_text.h"

namespace pixdeck::platform {

// Closes a registry key when it goes out of scope. Not in the anonymous
// namespace: the medium's Impl holds one.
class KeyHandle {
 public:
  KeyHandle() = default;
  explicit KeyHandle(HKEY key) : key_(key) {}
  ~KeyHandle() { Reset(); }
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;

  HKEY Get() const { return key_; }
  HKEY* Out() {
    Reset();
    return &key_;
  }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  void Reset() {
    if (key_ != nullptr)
      ::RegCloseKey(key_);
    key_ = nullptr;
  }
  HKEY key_ = nullptr;
};

namespace {

// A key name cannot begin with "\"; a path such as \\server\share\x.ini
// names the key server > share > x.ini.
std::wstring KeyName(const std::string& path) {
  std::wstring name = ToWide(path);
  const std::size_t first = name.find_first_not_of(L'\\');
  return first == std::wstring::npos ? std::wstring() : name.substr(first);
}

// A value's data as text: strings as stored (without their terminating
// zeros), a number as its decimal text.
std::optional<std::string> ValueText(DWORD type, const std::vector<BYTE>& data, DWORD size) {
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
      text.pop_back();
    return ToUtf8(text);
  }
  if (type == REG_DWORD && size == sizeof(DWORD)) {
    DWORD number = 0;
    std::memcpy(&number, data.data(), sizeof number);
    return std::to_string(number);
  }
  return std::nullopt;
}

}  // namespace

struct RegistryMedium::Impl {
  std::string keyPath;
  std::wstring keyName;
  KeyHandle key;  // open for reading and writing; none when it could not be created

  // The key for writes: created now when opening the medium could not.
  HKEY WritableKey() {
    if (!key &&
        ::RegCreateKeyExW(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_WRITE, nullptr, key.Out(), nullptr) != ERROR_SUCCESS)
      throw RegistryError("Failed to create key " + keyPath);
    return key.Get();
  }

  // Opens subkey section for reading; false when it does not exist.
  bool OpenSection(const std::string& section, KeyHandle& out) const {
    if (!key)
      return false;
    return ::RegOpenKeyExW(key.Get(), ToWide(section).c_str(), 0, KEY_READ, out.Out()) ==
           ERROR_SUCCESS;
  }
};

RegistryMedium::RegistryMedium(const std::string& keyPath) : impl_(std::make_unique<Impl>()) {
  impl_->keyPath = keyPath;
  impl_->keyName = KeyName(keyPath);
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, impl_->keyName.c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, impl_->key.Out(),
                        nullptr) != ERROR_SUCCESS) {
    // Not creatable (no rights): reads still see a key that exists.
    ::RegOpenKeyExW(HKEY_CURRENT_USER, impl_->keyName.c_str(), 0, KEY_READ, impl_->key.Out());
  }
}

RegistryMedium::~RegistryMedium() = default;

const std::string& RegistryMedium::KeyPath() const {
  return impl_->keyPath;
}

std::optional<std::string> RegistryMedium::ReadString(const std::string& section,
                                                      const std::string& name) const {
  KeyHandle sectionKey;
  if (!impl_->OpenSection(section, sectionKey))
    return std::nullopt;
  const std::wstring valueName = ToWide(name);
  for (;;) {
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(sectionKey.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
      return std::nullopt;
    std::vector<BYTE> data(size + sizeof(wchar_t));
    DWORD got = size;
    const LONG status =
        ::RegQueryValueExW(sectionKey.Get(), valueName.c_str(), nullptr, &type, data.data(), &got);
    if (status == ERROR_MORE_DATA)
      continue;  // the value grew in between
    if (status != ERROR_SUCCESS)
      return std::nullopt;
    return ValueText(type, data, got);
  }
}

void RegistryMedium::WriteString(const std::string& section, const std::string& name,
                                 const std::string& value) {
  KeyHandle sectionKey;
  if (::RegCreateKeyExW(impl_->WritableKey(), ToWide(section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, sectionKey.Out(),
                        nullptr) != ERROR_SUCCESS)
    throw RegistryError("Failed to create key " + section);
  const std::wstring data = ToWide(value);
  const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  if (::RegSetValueExW(sectionKey.Get(), ToWide(name).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(data.c_str()), bytes) != ERROR_SUCCESS)
    throw RegistryError("Failed to set data for '" + name + "'");
}

void RegistryMedium::EraseSection(const std::string& section) {
  if (!impl_->key)
    return;  // no key, so no section below it
  const LONG status = ::RegDeleteTreeW(impl_->key.Get(), ToWide(section).c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
    throw RegistryError("Failed to delete key " + section);
}

std::vector<std::string> RegistryMedium::ValueNames(const std::string& section) const {
  std::vector<std::string> names;
  KeyHandle sectionKey;
  if (!impl_->OpenSection(section, sectionKey))
    return names;
  DWORD longest = 0;
  if (::RegQueryInfoKeyW(sectionKey.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, &longest, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return names;
  std::vector<wchar_t> name(longest + 1);
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(name.size());
    const LONG status = ::RegEnumValueW(sectionKey.Get(), index, name.data(), &length, nullptr,
                                        nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS)
      break;
    names.push_back(ToUtf8(std::wstring(name.data(), length)));
  }
  return names;
}

void RegistryMedium::Flush() {
  if (impl_->key && ::RegFlushKey(impl_->key.Get()) != ERROR_SUCCESS)
    throw RegistryError("Failed to set data for '" + impl_->keyPath + "'");
}

}  // namespace pixdeck::platform
