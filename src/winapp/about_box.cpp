#include "winapp/about_box.h"

#include <string>

#include "catalog/credits_text.h"
#include "platform/win32/win32_text.h"
#include "winapp/app_hints.h"
#include "winapp/dialog_proc.h"
#include "winapp/resource.h"
#include "wininputs/input_box_master.h"
#include "wininputs/qel_memo.h"

namespace pixdeck {

std::wstring AboutMemoText() {
  const std::wstring text = platform::ToWide(AboutText());
  std::wstring shown;
  shown.reserve(text.size() + text.size() / 16);
  for (wchar_t c : text) {
    if (c == L'\n') {
      shown += L'\r';
    }
    shown += c;
  }
  return shown;
}

AboutBox::AboutBox() = default;

AboutBox::~AboutBox() {
  if (memoFont_ != nullptr) {
    ::DeleteObject(memoFont_);
  }
}

INT_PTR AboutBox::Run(HWND owner) {
  return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(PIXDECK_IDD_ABOUT), owner,
                           &DialogProcOf<AboutBox>, reinterpret_cast<LPARAM>(this));
}

INT_PTR AboutBox::InitDialog(HWND window) {
  window_ = window;
  Loaded();
  return FALSE;
}

INT_PTR AboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(window_, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_SIZE:
      Layout();
      return TRUE;
    case WM_DESTROY:
      AppHints::Instance().Forget(window_);
      memo_.reset();
      master_.reset();
      return FALSE;
    default:
      return FALSE;
  }
}

void AboutBox::Loaded() {
  HWND memo = ::GetDlgItem(window_, PIXDECK_IDC_ABOUT_TEXT);
  // Courier New, 10 points, italic, at the window's DPI.
  HDC dc = ::GetDC(window_);
  const int height = -::MulDiv(10, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
  ::ReleaseDC(window_, dc);
  memoFont_ = ::CreateFontW(height, 0, 0, 0, FW_NORMAL, TRUE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            FIXED_PITCH | FF_MODERN, L"Courier New");
  ::SendMessageW(memo, WM_SETFONT, reinterpret_cast<WPARAM>(memoFont_), FALSE);
  ::SetWindowTextW(memo, AboutMemoText().c_str());
  master_ = std::make_unique<wininputs::TInputBoxMaster>(window_);
  master_->InputBoxMenu().SetShowInMenu({editing::smCopy, editing::smSelectAll});
  master_->SetOnHint([](const std::string& hint) { AppHints::Instance().Show(hint); });
  memo_ = std::make_unique<wininputs::TQelMemo>();
  memo_->SetUndoWhenEsc(false);
  memo_->SetOverwriteMode(false);
  memo_->SetWindowsUndo(false);
  memo_->Attach(memo);
  memo_->SetReadOnly(true);

  // The hints carry no "|": they are shown whole.
  AppHints& hints = AppHints::Instance();
  hints.SetWindowHint(window_, "About");
  hints.SetHint(memo, "About");
  hints.SetHint(::GetDlgItem(window_, IDCANCEL), "Closes about window");
  ::SetFocus(::GetDlgItem(window_, IDCANCEL));
}

// The memo fills the window above the button strip; the button stays
// centred in it (the box may be maximized).
void AboutBox::Layout() {
  RECT client{};
  ::GetClientRect(window_, &client);
  RECT units{3, 2, 0, 28};  // side margin, top margin, -, button strip height
  ::MapDialogRect(window_, &units);
  HWND memo = ::GetDlgItem(window_, PIXDECK_IDC_ABOUT_TEXT);
  HWND close = ::GetDlgItem(window_, IDCANCEL);
  RECT button{};
  ::GetWindowRect(close, &button);
  const int buttonWidth = button.right - button.left;
  const int buttonHeight = button.bottom - button.top;
  const int strip = units.bottom;
  ::MoveWindow(memo, units.left, units.top, client.right - 2 * units.left,
               client.bottom - strip - units.top, TRUE);
  ::MoveWindow(close, (client.right - buttonWidth) / 2,
               client.bottom - strip + (strip - buttonHeight) / 2, buttonWidth, buttonHeight, TRUE);
}

}  // namespace pixdeck
