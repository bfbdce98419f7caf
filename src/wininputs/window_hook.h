// One subclass of a native window (SetWindowSubclass): a handler sees every
// message first and may answer it; what it leaves goes on to the window's own
// procedure. Several hooks may subclass the same window (each box hooks its
// parent for its notifications). A hook lets go of a window that is being
// destroyed by itself.
#pragma once

#include <windows.h>

#include <functional>

namespace pixdeck::wininputs {

class WindowHook {
 public:
  // True: the handler answered the message with result.
  using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

  WindowHook() = default;
  ~WindowHook() { Detach(); }
  WindowHook(const WindowHook&) = delete;
  WindowHook& operator=(const WindowHook&) = delete;

  // Subclasses the window (letting go of any window hooked before); false
  // when the system refuses.
  bool Attach(HWND window, Handler handler);
  void Detach();
  HWND Window() const { return window_; }

  // The window's own handling of a message, past this hook's handler: from
  // inside the handler the next procedure of the chain, from outside a sent
  // message that the handler does not see.
  LRESULT CallNext(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR data);

  HWND window_ = nullptr;
  Handler handler_;
  int depth_ = 0;   // calls of the handler under way
  int bypass_ = 0;  // messages sent past the handler under way
};

}  // namespace pixdeck::wininputs
