// The About box: the program's text in a read-only, centred memo with a
// vertical scroll bar, and Close (or Escape) below it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace pixdeck {

namespace wininputs {
class TInputBoxMaster;
class TQelMemo;
}  // namespace wininputs

class AboutBox {
 public:
  AboutBox();
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
  // Reading the text is all the memo allows: Copy and Select All.
  std::unique_ptr<wininputs::TInputBoxMaster> master_;
  std::unique_ptr<wininputs::TQelMemo> memo_;
};

// The About text with the line breaks an EDIT control shows (CR LF).
std::wstring AboutMemoText();

}  // namespace pixdeck
