#include "winapp/win_messages.h"

#include "platform/win32/win32_text.h"

namespace pixdeck {
namespace {

WinMessages::BeepRunner& Beeper() {
  static WinMessages::BeepRunner runner;
  return runner;
}

WinMessages::BoxRunner& Boxer() {
  static WinMessages::BoxRunner runner;
  return runner;
}

void Beep(UINT type) {
  if (Beeper()) {
    Beeper()(type);
  } else {
    ::MessageBeep(type);
  }
}

}  // namespace

void WinMessages::DefaultBeep() {
  Beep(MB_OK);
}

void WinMessages::WarningBeep() {
  Beep(MB_ICONEXCLAMATION);
}

int WinMessages::ShowMessageBox(const std::string& text, MessageKind kind) {
  const std::string shown = TabsToSpaces(text);
  if (Boxer()) {
    return Boxer()(shown, kind);
  }
  const bool info = kind == MessageKind::Information;
  // Over the window in front; task-modal when the program has none yet, so
  // that no window of it takes input behind the box.
  HWND owner = ::GetActiveWindow();
  UINT style = MB_OK | (info ? MB_ICONINFORMATION : MB_ICONERROR) | MB_SETFOREGROUND;
  if (owner == nullptr) {
    style |= MB_TASKMODAL;
  }
  return ::MessageBoxW(owner, platform::ToWide(shown).c_str(), info ? L"Information" : L"Error",
                       style);
}

void WinMessages::SetBeepRunner(BeepRunner runner) {
  Beeper() = std::move(runner);
}

void WinMessages::SetBoxRunner(BoxRunner runner) {
  Boxer() = std::move(runner);
}

WinMessages& AppMessages() {
  static WinMessages messages;
  return messages;
}

void SetButtonEnabled(HWND control, bool state) {
  if ((::IsWindowEnabled(control) != FALSE) != state) {
    ::EnableWindow(control, state ? TRUE : FALSE);
  }
}

}  // namespace pixdeck
