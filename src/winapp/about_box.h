// The About box: the program's text in a read-only, centred memo with a
// vertical scroll bar, and Close (or Escape) below it.
#pragma once

#include <windows.h>

#include <string>

namespace pixdeck {

class AboutBox {
 public:
  AboutBox() = default;
  ~AboutBox();
  AboutBox(const AboutBox&) = delete;
  AboutBox& operator=(const AboutBox&) = delete;

  // Shows the box modally over owner.
  INT_PTR Run(HWND owner);
  HWND Handle() const { return window_; }

  // The dialog procedure's calls (dialog_proc.h).
  INT_PTR InitDialog(HWND window);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Loaded();
  void Layout();

  HWND window_ = nullptr;
  HFONT memoFont_ = nullptr;
};

// The About text with the line breaks an EDIT control shows (CR LF).
std::wstring AboutMemoText();

}  // namespace pixdeck
