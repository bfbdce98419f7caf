#include "winapp/win_text.h"

#include "platform/win32/win32_text.h"

namespace pixdeck {

std::string WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) {
    return {};
  }
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = ::GetWindowTextW(window, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return platform::ToUtf8(text);
}

void SetWindowTextUtf8(HWND window, std::string_view text) {
  ::SetWindowTextW(window, platform::ToWide(text).c_str());
}

std::string ItemText(HWND dialog, int id) {
  return WindowText(::GetDlgItem(dialog, id));
}

void SetItemText(HWND dialog, int id, std::string_view text) {
  SetWindowTextUtf8(::GetDlgItem(dialog, id), text);
}

}  // namespace pixdeck
