#include "platform/win32/win32_text.h"

namespace pixdeck::platform {

std::wstring ToWide(std::string_view utf8) {
  if (utf8.empty())
    return {};
  const int length = static_cast<int>(utf8.size());
  const int needed = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), needed);
  return wide;
}

std::string ToUtf8(std::wstring_view wide) {
  if (wide.empty())
    return {};
  const int length = static_cast<int>(wide.size());
  const int needed =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(needed), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), needed, nullptr, nullptr);
  return utf8;
}

std::string CodePageToUtf8(std::string_view bytes, UINT codePage) {
  if (bytes.empty())
    return {};
  const int length = static_cast<int>(bytes.size());
  const int needed = ::MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  if (needed <= 0)
    return std::string(bytes);
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  ::MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), needed);
  return ToUtf8(wide);
}

std::string SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length > 0 && buffer != nullptr ? std::wstring(buffer, length) : L"";
  if (buffer != nullptr)
    ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  if (text.empty())
    return "system error " + std::to_string(code);
  return ToUtf8(text);
}

std::string ErrorText(const std::string& what, DWORD code) {
  return what + ": " + SystemErrorText(code);
}

Unexpected<std::string> LastErrorFailure(const std::string& what) {
  const DWORD code = ::GetLastError();  // before anything else may change it
  return Unexpected(ErrorText(what, code));
}

}  // namespace pixdeck::platform
