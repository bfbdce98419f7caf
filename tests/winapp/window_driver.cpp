#include "window_driver.h"

#include <commctrl.h>

#include <fstream>
#include <iterator>

#include "browser/browser_detection.h"
#include "platform/win32/win32_text.h"
#include "settings/program_options.h"
#include "text/utf8_path.h"
#include "util/browse_start.h"
#include "winapp/app_hints.h"
#include "winapp/resource.h"
#include "winapp/win_messages.h"
#include "winapp/win_text.h"

namespace pixdeck::test {
namespace {

struct PendingAction {
  std::wstring caption;
  std::function<void(HWND)> action;
  int triesLeft = 0;
  bool done = false;
};
PendingAction* pending = nullptr;

void CALLBACK LookForWindow(HWND, UINT, UINT_PTR timer, DWORD) {
  if (pending == nullptr || pending->done) {
    ::KillTimer(nullptr, timer);
    return;
  }
  HWND found = ::FindWindowW(nullptr, pending->caption.c_str());
  if (found != nullptr && ::IsWindowVisible(found)) {
    pending->done = true;
    ::KillTimer(nullptr, timer);
    pending->action(found);
  } else if (--pending->triesLeft <= 0) {
    ::KillTimer(nullptr, timer);
    ADD_FAILURE() << "no window captioned " << platform::ToUtf8(pending->caption);
    // Whatever modal loop runs must end: close the program's active window.
    ::PostMessageW(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
  }
}

}  // namespace

std::string ReadAll(const std::string& path) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WinAppTest::SetUp() {
  // Every window starts from the built-in options, as a program does.
  CurrentOptions() = ProgramOptions{};
  ResetBrowserState();
  SetLastBrowseDir({});
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  WinMessages::SetBoxRunner([this](const std::string& text, MessageKind kind) {
    boxes.push_back({text, kind});
    return IDOK;
  });
  WinMessages::SetBeepRunner([this](UINT type) { beeps.push_back(type); });
  AppHints::Instance().Install();
}

void WinAppTest::TearDown() {
  main.reset();
  Pump();
  AppHints::Instance().Uninstall();
  WinMessages::SetBoxRunner({});
  WinMessages::SetBeepRunner({});
}

std::string WinAppTest::WriteSettings(const std::string& lines) {
  std::string text = "[Options]\r\n";
  if (lines.find("BrowserName=") == std::string::npos) {
    text += "BrowserName=C:\\windows\\notepad.exe\r\nUseRegSettings=0\r\n";
  }
  text += lines;
  return scratch.write("pixdeck.INI", text);
}

MainWindow& WinAppTest::OpenMain(const std::string& settingsName) {
  main = std::make_unique<MainWindow>(settingsName);
  HWND window = main->Create(::GetModuleHandleW(nullptr));
  EXPECT_NE(window, nullptr);
  ::ShowWindow(window, SW_SHOW);
  ::SetForegroundWindow(window);
  Pump();
  return *main;
}

void WinAppTest::CloseMain() {
  ::SendMessageW(Item(PIXDECK_IDC_EXIT), BM_CLICK, 0, 0);
  Pump();
}

void WinAppTest::Pump() {
  MSG msg{};
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      continue;  // the test goes on after the window has gone
    }
    if (!PreTranslateMessage(main ? main->Handle() : nullptr, msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

void WinAppTest::PressKey(UINT key, HWND window) {
  HWND target = window != nullptr ? window : ::GetFocus();
  const UINT scan = ::MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  ::PostMessageW(target, WM_KEYDOWN, key, 1 | (scan << 16));
  ::PostMessageW(target, WM_KEYUP, key, 1 | (scan << 16) | (1U << 30) | (1U << 31));
  Pump();
}

void WinAppTest::Type(const std::wstring& text, HWND window) {
  HWND target = window != nullptr ? window : ::GetFocus();
  for (wchar_t c : text) {
    ::PostMessageW(target, WM_CHAR, c, 1);
  }
  Pump();
}

HWND WinAppTest::EditOf(HWND box) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (::GetComboBoxInfo(box, &info) && info.hwndItem != nullptr) {
    return info.hwndItem;
  }
  return box;
}

HWND WinAppTest::Item(int id) const {
  return ::GetDlgItem(main->Handle(), id);
}

std::string WinAppTest::TextOf(int id) const {
  return ItemText(main->Handle(), id);
}

void WinAppTest::WhenShown(const std::wstring& caption, std::function<void(HWND)> action) {
  static PendingAction slot;
  slot = PendingAction{caption, std::move(action), 40, false};
  pending = &slot;
  ::SetTimer(nullptr, 0, 50, &LookForWindow);
}

}  // namespace pixdeck::test
