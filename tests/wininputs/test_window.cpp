#include "test_window.h"

#include <commctrl.h>

#include <algorithm>

namespace pixdeck::wininputs::testing {

namespace {

constexpr wchar_t kClassName[] = L"PixdeckInputsTestWindow";

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

void RegisterOnce() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;  // a failure shows as a window that cannot be created
}

// The lParam of a key message: repeat count 1, the key's scan code, and the
// transition bits of a release.
LPARAM KeyParam(WPARAM virtualKey, bool release) {
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
  LPARAM param = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
  if (release) {
    param |= (1L << 30) | (1L << 31);
  }
  return param;
}

void SetHeld(BYTE (&state)[256], int virtualKey, bool held) {
  state[virtualKey] = held ? 0x80 : 0;
}

}  // namespace

TestWindow::TestWindow() {
  RegisterOnce();
  window_ = CreateWindowExW(0, kClassName, L"Pixdeck inputs test", WS_OVERLAPPEDWINDOW, 0, 0, 480,
                            400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TestWindow::Procedure));
  Pump();
}

TestWindow::~TestWindow() {
  DestroyWindow(window_);
  Pump();
}

LRESULT CALLBACK TestWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_ENTERIDLE && wParam == MSGF_MENU && self != nullptr && self->onMenuIdle) {
    self->onMenuIdle(reinterpret_cast<HWND>(lParam));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND TestWindow::AddControl(const wchar_t* className, const std::u16string& text, DWORD style,
                            int height) {
  HWND control = CreateWindowExW(WS_EX_CLIENTEDGE, className, Wide(text),
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 120, nextTop_, 300,
                                 height, window_, reinterpret_cast<HMENU>(INT_PTR{nextId_++}),
                                 GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               TRUE);
  nextTop_ += height + 30;
  return control;
}

HWND TestWindow::AddEdit(const std::u16string& text, DWORD extraStyle) {
  return AddControl(L"EDIT", text, ES_AUTOHSCROLL | extraStyle, 24);
}

HWND TestWindow::AddMemo(const std::u16string& text, DWORD extraStyle) {
  return AddControl(L"EDIT", text, ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | extraStyle, 60);
}

HWND TestWindow::AddCombo(const std::vector<std::u16string>& items, const std::u16string& text) {
  HWND combo = AddControl(L"COMBOBOX", u"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 150);
  nextTop_ -= 150 - 24;
  for (const std::u16string& item : items) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item)));
  }
  SetWindowTextW(combo, Wide(text));
  return combo;
}

HWND TestWindow::AddLabel(const std::u16string& caption, int x, int y, int width, int height) {
  return CreateWindowExW(0, L"STATIC", Wide(caption), WS_CHILD | WS_VISIBLE | SS_LEFT, x, y, width,
                         height, window_, reinterpret_cast<HMENU>(INT_PTR{nextId_++}),
                         GetModuleHandleW(nullptr), nullptr);
}

void TestWindow::Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageW(&msg);
  }
}

void TestWindow::PressKey(HWND control, WPARAM virtualKey, bool shift, bool ctrl) {
  if (GetFocus() != control) {
    SetFocus(control);
  }
  BYTE state[256] = {};
  GetKeyboardState(state);
  SetHeld(state, VK_SHIFT, shift);
  SetHeld(state, VK_LSHIFT, shift);
  SetHeld(state, VK_CONTROL, ctrl);
  SetHeld(state, VK_LCONTROL, ctrl);
  SetKeyboardState(state);
  PostMessageW(control, WM_KEYDOWN, virtualKey, KeyParam(virtualKey, false));
  // The characters that the keyboard's translation makes of these keys.
  if (!ctrl && (virtualKey == VK_BACK || virtualKey == VK_RETURN || virtualKey == VK_ESCAPE)) {
    const WPARAM character = virtualKey == VK_BACK ? 0x08 : virtualKey == VK_RETURN ? 0x0D : 0x1B;
    PostMessageW(control, WM_CHAR, character, KeyParam(virtualKey, false));
  }
  PostMessageW(control, WM_KEYUP, virtualKey, KeyParam(virtualKey, true));
  Pump();
  SetHeld(state, VK_SHIFT, false);
  SetHeld(state, VK_LSHIFT, false);
  SetHeld(state, VK_CONTROL, false);
  SetHeld(state, VK_LCONTROL, false);
  SetKeyboardState(state);
}

void TestWindow::Type(HWND control, const std::u16string& text) {
  if (GetFocus() != control) {
    SetFocus(control);
  }
  for (char16_t unit : text) {
    // The key of a character outside the keyboard's layout is a packet of
    // Unicode input, as SendInput delivers it.
    const SHORT scan = VkKeyScanW(static_cast<wchar_t>(unit));
    const WPARAM key = scan == -1 ? VK_PACKET : static_cast<WPARAM>(LOBYTE(scan));
    PostMessageW(control, WM_KEYDOWN, key, KeyParam(key, false));
    PostMessageW(control, WM_CHAR, static_cast<WPARAM>(unit), 1);
    PostMessageW(control, WM_KEYUP, key, KeyParam(key, true));
    Pump();
  }
}

void TestWindow::Click(HWND control, int x, int y) {
  const LPARAM at = MAKELPARAM(x, y);
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(control, WM_LBUTTONUP, 0, at);
  Pump();
}

std::u16string TextOf(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), length + 1)));
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

std::pair<int, int> SelectionOf(HWND edit) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end - start)};
}

std::u16string ClipboardText() {
  std::u16string text;
  if (!OpenClipboard(nullptr)) {
    return text;
  }
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const char16_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void SetClipboardText(const std::u16string& text) {
  if (!OpenClipboard(nullptr)) {
    return;
  }
  EmptyClipboard();
  if (!text.empty()) {
    const size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (auto* chars = static_cast<char16_t*>(GlobalLock(data))) {
      std::copy(text.c_str(), text.c_str() + text.size() + 1, chars);
      GlobalUnlock(data);
      SetClipboardData(CF_UNICODETEXT, data);
    }
  }
  CloseClipboard();
}

}  // namespace pixdeck::wininputs::testing
