// The save lock on Windows: a mutex of the session named after the file.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/save_lock.h"
#include "platform/win32/win32_text.h"

namespace pixdeck::platform {

namespace {

// Mutex names cannot hold "\": the path's letters (case ignored, as the file
// system ignores it) are hashed into the name instead.
std::wstring MutexName(const std::string& path) {
  std::wstring wide = ToWide(path);
  if (!wide.empty()) {
    ::CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  }
  unsigned long long hash = 14695981039346656037ull;  // FNV-1a
  for (const wchar_t c : wide) {
    hash = (hash ^ static_cast<unsigned long long>(c)) * 1099511628211ull;
  }
  wchar_t name[64];
  std::swprintf(name, 64, L"Local\\pixdeck-save-%016llx", hash);
  return name;
}

}  // namespace

// A Windows mutex already nests for the thread that holds it.
SaveLock::SaveLock(const std::string& path, int waitMs) : key_(path) {
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, MutexName(path).c_str());
  if (mutex == nullptr) {
    return;
  }
  const DWORD waited = ::WaitForSingleObject(mutex, static_cast<DWORD>(waitMs));
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    ::CloseHandle(mutex);
    return;
  }
  handle_ = reinterpret_cast<std::intptr_t>(mutex);
  held_ = true;
}

SaveLock::~SaveLock() {
  if (held_) {
    HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
    ::ReleaseMutex(mutex);
    ::CloseHandle(mutex);
  }
}

}  // namespace pixdeck::platform
