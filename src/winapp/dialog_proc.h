// The dialog procedure of a window class: WM_INITDIALOG hands over the
// object (the creation parameter), which then gets every later message.
// The class has InitDialog(HWND) (the answer to WM_INITDIALOG) and
// HandleMessage(UINT, WPARAM, LPARAM) (FALSE for what it leaves to the
// dialog manager).
#pragma once

#include <windows.h>

namespace pixdeck {

template <class Window>
INT_PTR CALLBACK DialogProcOf(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    return reinterpret_cast<Window*>(lParam)->InitDialog(window);
  }
  auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, DWLP_USER));
  return self != nullptr ? self->HandleMessage(message, wParam, lParam) : FALSE;
}

}  // namespace pixdeck
