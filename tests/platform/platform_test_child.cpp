// Started by the platform tests: writes the arguments it was given, one per
// line in UTF-8 after their count, into the file that PIXDECK_CHILD_OUT names.
#include <windows.h>
// after windows.h, which it builds on
#include <shellapi.h>

#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
  const int needed = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(needed > 0 ? needed - 1 : 0), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), needed, nullptr, nullptr);
  return result;
}

}  // namespace

int main() {
  wchar_t target[MAX_PATH * 4] = {};
  if (::GetEnvironmentVariableW(L"PIXDECK_CHILD_OUT", target, MAX_PATH * 4) == 0)
    return 2;
  int count = 0;
  wchar_t** args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::string report = std::to_string(count - 1) + "\n";
  for (int i = 1; i < count; ++i)
    report += Utf8(args[i]) + "\n";
  ::LocalFree(args);
  // Written under another name first, so that the test sees it whole.
  const std::wstring partial = std::wstring(target) + L".part";
  const HANDLE file = ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return 3;
  DWORD written = 0;
  ::WriteFile(file, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
  ::CloseHandle(file);
  return ::MoveFileExW(partial.c_str(), target, MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
