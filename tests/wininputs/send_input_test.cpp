// Keys as the keyboard delivers them: SendInput into the system's input
// queue, translated into characters by the message loop, in a window that is
// shown and in front.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_window.h"
#include "wininputs/input_box_master.h"
#include "wininputs/qel_edit.h"

namespace pixdeck::wininputs {
namespace {

using testing::TestWindow;
using testing::TextOf;

INPUT KeyInput(WORD key, WORD unit, bool release) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = unit;
  input.ki.dwFlags = (unit != 0 ? KEYEVENTF_UNICODE : 0) | (release ? KEYEVENTF_KEYUP : 0);
  return input;
}

// Runs the thread's messages as a program's loop does, until the check holds
// or two seconds have passed.
template <typename Check>
bool RunUntil(Check check) {
  const ULONGLONG end = GetTickCount64() + 2000;
  while (!check() && GetTickCount64() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  }
  return check();
}

TEST(SendInputTest, TypedKeysReachTheBoxesAsTheKeyboardDeliversThem) {
  TestWindow window;
  const HWND first = window.AddEdit(u"");
  const HWND second = window.AddEdit(u"abc");
  TInputBoxMaster master(window.Handle());
  TQelEdit edit;
  TQelEdit other;
  edit.Attach(first);
  other.Attach(second);
  ShowWindow(window.Handle(), SW_SHOW);
  SetForegroundWindow(window.Handle());
  SetFocus(first);
  TestWindow::Pump();

  const std::u16string name = u"café 日本 \U0001F600.htm";
  std::vector<INPUT> inputs;
  for (char16_t unit : name) {
    inputs.push_back(KeyInput(0, unit, false));
    inputs.push_back(KeyInput(0, unit, true));
  }
  inputs.push_back(KeyInput(VK_INSERT, 0, false));
  inputs.push_back(KeyInput(VK_INSERT, 0, true));
  ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)),
            inputs.size());

  EXPECT_TRUE(RunUntil([&] { return master.OverwriteMode(); }));
  EXPECT_EQ(TextOf(first), name);
  EXPECT_EQ(edit.TextUtf8(), "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80.htm");
  EXPECT_TRUE(edit.Modified());
  EXPECT_TRUE(other.OverwriteMode());
}

}  // namespace
}  // namespace pixdeck::wininputs
