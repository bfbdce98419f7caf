#include "wininputs/window_hook.h"

#include <commctrl.h>

namespace pixdeck::wininputs {

bool WindowHook::Attach(HWND window, Handler handler) {
  Detach();
  if (window == nullptr) {
    return false;
  }
  handler_ = std::move(handler);
  if (!SetWindowSubclass(window, &WindowHook::Procedure, reinterpret_cast<UINT_PTR>(this),
                         reinterpret_cast<DWORD_PTR>(this))) {
    handler_ = nullptr;
    return false;
  }
  window_ = window;
  return true;
}

void WindowHook::Detach() {
  if (window_ != nullptr) {
    RemoveWindowSubclass(window_, &WindowHook::Procedure, reinterpret_cast<UINT_PTR>(this));
    window_ = nullptr;
  }
}

LRESULT WindowHook::CallNext(UINT message, WPARAM wParam, LPARAM lParam) {
  if (window_ == nullptr) {
    return 0;
  }
  if (depth_ > 0) {
    return DefSubclassProc(window_, message, wParam, lParam);
  }
  ++bypass_;
  const LRESULT result = SendMessageW(window_, message, wParam, lParam);
  --bypass_;
  return result;
}

LRESULT CALLBACK WindowHook::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR /*id*/, DWORD_PTR data) {
  auto* hook = reinterpret_cast<WindowHook*>(data);
  if (message == WM_NCDESTROY) {
    // The window goes: the hook lets go of it, and nothing of ours may run
    // for it any more.
    RemoveWindowSubclass(window, &WindowHook::Procedure, reinterpret_cast<UINT_PTR>(hook));
    hook->window_ = nullptr;
    if (hook->handler_) {
      LRESULT ignored = 0;
      hook->handler_(message, wParam, lParam, ignored);
    }
    return DefSubclassProc(window, message, wParam, lParam);
  }
  if (hook->bypass_ > 0 || !hook->handler_) {
    return DefSubclassProc(window, message, wParam, lParam);
  }
  LRESULT result = 0;
  ++hook->depth_;
  const bool answered = hook->handler_(message, wParam, lParam, result);
  --hook->depth_;
  return answered ? result : DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace pixdeck::wininputs
