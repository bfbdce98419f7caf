#include "wininputs/win_text.h"

namespace pixdeck::wininputs {

editing::Text FromUtf8(std::string_view utf8) {
  if (utf8.empty()) {
    return {};
  }
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return FromWide(wide);
}

std::string ToUtf8(const editing::Text& text) {
  if (text.empty()) {
    return {};
  }
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, Wide(text), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, Wide(text), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

editing::Text WindowText(HWND window) {
  if (window == nullptr) {
    return {};
  }
  const auto length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const auto got = static_cast<int>(
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<size_t>(got < 0 ? 0 : got));
  return FromWide(text);
}

}  // namespace pixdeck::wininputs
