// A top-level window with native child controls, as a dialog template would
// create them, and the input a user would give them: keys and characters
// posted to the focused control and handled by the thread's message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace pixdeck::wininputs::testing {

class TestWindow {
 public:
  TestWindow();
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return window_; }

  // A single-line edit, a multi-line edit and a drop-down combo box, with
  // their text, placed one below the other.
  HWND AddEdit(const std::u16string& text, DWORD extraStyle = 0);
  HWND AddMemo(const std::u16string& text, DWORD extraStyle = 0);
  HWND AddCombo(const std::vector<std::u16string>& items, const std::u16string& text);
  HWND AddLabel(const std::u16string& caption, int x, int y, int width, int height);

  // Runs every message that is waiting.
  static void Pump();

  // Focuses the control and presses (down, then up) a key on it, as the
  // keyboard would, with the modifiers held for the while; Backspace, Enter
  // and Escape bring their character between.
  static void PressKey(HWND control, WPARAM virtualKey, bool shift = false, bool ctrl = false);
  // Types the text into the control: each UTF-16 unit a character message
  // between the key's press and release.
  static void Type(HWND control, const std::u16string& text);
  // Clicks the left button at a client point.
  static void Click(HWND control, int x, int y);

  // Called with the menu's window while a popup menu of this window waits
  // for input (WM_ENTERIDLE).
  std::function<void(HWND menuWindow)> onMenuIdle;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND AddControl(const wchar_t* className, const std::u16string& text, DWORD style, int height);

  HWND window_ = nullptr;
  int nextTop_ = 10;
  int nextId_ = 100;
};

// The text of a window, as UTF-16.
std::u16string TextOf(HWND control);
// The selection of an edit control: start and length.
std::pair<int, int> SelectionOf(HWND edit);
// The clipboard's text.
std::u16string ClipboardText();
void SetClipboardText(const std::u16string& text);

}  // namespace pixdeck::wininputs::testing
