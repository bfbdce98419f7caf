// The application's hint event on Windows: the long hint of whatever control
// the pointer rests on, in any window of the program, appears in the main
// window's status panel; the background of a window shows the window's own
// hint. One message hook on the program's thread sees the pointer's moves
// for every window, modal dialogs included; TrackMouseEvent tells when the
// pointer has left a control.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace pixdeck {

// The long hint of a window's control (the text after the hint's "|").
struct ControlHint {
  int id;
  const char* hint;
};

class AppHints {
 public:
  // The program's one instance.
  static AppHints& Instance();

  // Where hints go: the main window's status panel shows them.
  using Handler = std::function<void(const std::string& hint)>;
  void SetHandler(Handler handler);
  // The long hint of a control (the text after a hint's "|"), and that of a
  // window's background.
  void SetHint(HWND control, std::string hint);
  void SetWindowHint(HWND window, std::string hint);
  // A window's hint and those of its controls, by control id.
  template <std::size_t N>
  void SetHints(HWND window, std::string windowHint, const ControlHint (&hints)[N]) {
    SetWindowHint(window, std::move(windowHint));
    for (const ControlHint& entry : hints) {
      SetHint(::GetDlgItem(window, entry.id), entry.hint);
    }
  }
  // A window going away: its own and its controls' hints are forgotten.
  void Forget(HWND window);
  // Shows text as the current hint (a highlighted menu entry's).
  void Show(const std::string& text);

  // The hook on the calling thread; Install is idempotent.
  void Install();
  void Uninstall();

  // The pointer is over window (a control, a child of one, or a window's
  // background at screen point at): its hint is shown.
  void PointerOver(HWND window, POINT at);
  void PointerLeft(HWND window);

 private:
  static LRESULT CALLBACK MessageHook(int code, WPARAM wParam, LPARAM lParam);
  // The registered control that holds window, or null.
  HWND HintOwnerOf(HWND window) const;

  Handler handler_;
  std::map<HWND, std::string> hints_;
  std::map<HWND, std::string> windowHints_;
  HWND tracked_ = nullptr;
  HHOOK hook_ = nullptr;
};

}  // namespace pixdeck
