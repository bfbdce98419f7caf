#include "winapp/app_hints.h"

#include <windowsx.h>

#include <iterator>

namespace pixdeck {

AppHints& AppHints::Instance() {
  static AppHints hints;
  return hints;
}

void AppHints::SetHandler(Handler handler) {
  handler_ = std::move(handler);
}

void AppHints::SetHint(HWND control, std::string hint) {
  hints_[control] = std::move(hint);
}

void AppHints::SetWindowHint(HWND window, std::string hint) {
  windowHints_[window] = std::move(hint);
}

void AppHints::Forget(HWND window) {
  for (auto it = hints_.begin(); it != hints_.end();) {
    it = it->first == window || ::IsChild(window, it->first) ? hints_.erase(it) : std::next(it);
  }
  windowHints_.erase(window);
  if (tracked_ == window || (tracked_ != nullptr && ::IsChild(window, tracked_))) {
    tracked_ = nullptr;
  }
}

void AppHints::Show(const std::string& text) {
  if (handler_) {
    handler_(text);
  }
}

void AppHints::Install() {
  if (hook_ == nullptr) {
    hook_ =
        ::SetWindowsHookExW(WH_GETMESSAGE, &AppHints::MessageHook, nullptr, ::GetCurrentThreadId());
  }
}

void AppHints::Uninstall() {
  if (hook_ != nullptr) {
    ::UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
  }
}

HWND AppHints::HintOwnerOf(HWND window) const {
  // The edit inside a combo box belongs to the box.
  for (HWND w = window; w != nullptr; w = ::GetParent(w)) {
    if (hints_.count(w) != 0) {
      return w;
    }
    if (windowHints_.count(w) != 0) {
      return nullptr;
    }
  }
  return nullptr;
}

void AppHints::PointerOver(HWND window, POINT at) {
  HWND owner = HintOwnerOf(window);
  if (owner == nullptr && windowHints_.count(window) != 0) {
    // A disabled control sends its pointer moves to the window: find it.
    POINT client = at;
    ::ScreenToClient(window, &client);
    HWND child = ::ChildWindowFromPointEx(window, client, CWP_SKIPINVISIBLE);
    if (child != nullptr && child != window && hints_.count(child) != 0) {
      owner = child;
    }
  }
  HWND shown = owner != nullptr ? owner : window;
  if (shown == tracked_) {
    return;
  }
  if (owner != nullptr) {
    tracked_ = owner;
    Show(hints_[owner]);
  } else if (auto it = windowHints_.find(window); it != windowHints_.end()) {
    tracked_ = window;
    Show(it->second);
  } else {
    return;
  }
  // Told when the pointer leaves the window it moved in.
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window;
  ::TrackMouseEvent(&track);
}

void AppHints::PointerLeft(HWND window) {
  // Leaving a control for the window's background shows the window's hint;
  // the move that follows on another control shows that one's.
  HWND owner = HintOwnerOf(window);
  if (owner == nullptr || owner != tracked_) {
    return;
  }
  tracked_ = nullptr;
  HWND top = ::GetAncestor(owner, GA_ROOT);
  if (auto it = windowHints_.find(top); it != windowHints_.end()) {
    Show(it->second);
  }
}

LRESULT CALLBACK AppHints::MessageHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
    if (msg.message == WM_MOUSEMOVE) {
      POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
      ::ClientToScreen(msg.hwnd, &at);
      Instance().PointerOver(msg.hwnd, at);
    } else if (msg.message == WM_MOUSELEAVE) {
      Instance().PointerLeft(msg.hwnd);
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace pixdeck
