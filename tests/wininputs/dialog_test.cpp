// The boxes inside a real dialog, where the dialog manager (IsDialogMessage)
// sees each key first: Escape and Enter go to a box only when it has a use
// for them, and otherwise to the dialog's Cancel and default button.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "test_window.h"
#include "wininputs/input_box_master.h"
#include "wininputs/qel_combo_box.h"
#include "wininputs/qel_edit.h"

namespace pixdeck::wininputs {
namespace {

using testing::TestWindow;
using testing::TextOf;

constexpr int kEditId = 101;
constexpr int kComboId = 102;

// An in-memory dialog template: an edit, a drop-down combo box and the
// default OK button, in dialog units.
std::vector<WORD> DialogTemplate() {
  std::vector<WORD> t;
  auto dword = [&t](DWORD value) {
    t.push_back(LOWORD(value));
    t.push_back(HIWORD(value));
  };
  auto align = [&t] {
    if (t.size() % 2 != 0) {
      t.push_back(0);
    }
  };
  dword(WS_POPUP | WS_CAPTION | DS_MODALFRAME);
  dword(0);
  t.push_back(3);  // items
  for (WORD value : {0, 0, 200, 100}) {
    t.push_back(value);
  }
  t.push_back(0);  // no menu
  t.push_back(0);  // the dialog class
  t.push_back(0);  // no title
  struct Item {
    DWORD style;
    WORD x, y, cx, cy, id, atom;
  };
  const Item items[] = {
      {WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 10, 10, 150, 14, kEditId,
       0x0081},
      {WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL, 10, 30, 150, 80,
       kComboId, 0x0085},
      {WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 10, 70, 50, 14, IDOK, 0x0080},
  };
  for (const Item& item : items) {
    align();
    dword(item.style);
    dword(0);
    for (WORD value : {item.x, item.y, item.cx, item.cy, item.id}) {
      t.push_back(value);
    }
    t.push_back(0xFFFF);
    t.push_back(item.atom);
    t.push_back(0);  // no text
    t.push_back(0);  // no creation data
  }
  return t;
}

std::vector<WPARAM>* commands = nullptr;

INT_PTR CALLBACK DialogProcedure(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) &&
      commands != nullptr) {
    commands->push_back(LOWORD(wParam));
    return TRUE;
  }
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    commands = &seen;
    const std::vector<WORD> dialogTemplate = DialogTemplate();
    dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                        reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()),
                                        nullptr, &DialogProcedure, 0);
    ASSERT_NE(dialog, nullptr);
    master = std::make_unique<TInputBoxMaster>(dialog);
    edit.SetUndoWhenEsc(true);
    edit.Attach(GetDlgItem(dialog, kEditId));
    edit.SetInitialText(u"images.htm");
    combo.SetUndoWhenEsc(true);
    combo.SetAutoExpand(false);
  }
  void TearDown() override {
    DestroyWindow(dialog);
    commands = nullptr;
  }

  // Presses a key as the keyboard would, through the dialog manager.
  void Press(HWND control, WPARAM key, wchar_t character) {
    SetFocus(control);
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_CHAR, character, 1);
    PostMessageW(control, WM_KEYUP, key, 0xC0000001);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!IsDialogMessageW(dialog, &msg)) {
        DispatchMessageW(&msg);
      }
    }
  }

  HWND dialog = nullptr;
  std::unique_ptr<TInputBoxMaster> master;
  TQelEdit edit;
  TQelComboBox combo;
  std::vector<WPARAM> seen;
};

TEST_F(DialogTest, EscapeUndoesAChangedBoxAndOtherwiseCancelsTheDialog) {
  const HWND control = edit.Handle();
  TestWindow::Type(control, u"x");
  Press(control, VK_ESCAPE, 0x1B);
  EXPECT_EQ(TextOf(control), u"images.htm");
  EXPECT_TRUE(seen.empty());

  Press(control, VK_ESCAPE, 0x1B);
  EXPECT_EQ(seen, std::vector<WPARAM>{IDCANCEL});
}

TEST_F(DialogTest, EnterTakesANewHistoryEntryThenPressesTheDefaultButton) {
  combo.SetAddNewToStart(true);
  combo.SetAddNewToList(true);
  combo.Attach(GetDlgItem(dialog, kComboId));
  combo.SetItems({u"*.gif"});
  const HWND part = combo.EditHandle();
  TestWindow::Type(part, u"*.png");
  Press(part, VK_RETURN, L'\r');
  EXPECT_EQ(combo.Items(), (std::vector<std::u16string>{u"*.png", u"*.gif"}));
  EXPECT_EQ(seen, std::vector<WPARAM>{IDOK});
}

TEST_F(DialogTest, EnterOnARefusedTextRestoresItAndStaysInTheBox) {
  combo.SetLimitToList(true);
  combo.Attach(GetDlgItem(dialog, kComboId));
  combo.SetItems({u"White", u"Black"});
  combo.SetInitialText(u"Black");
  const HWND part = combo.EditHandle();
  SendMessageW(part, EM_SETSEL, 0, -1);
  TestWindow::Type(part, u"Green");
  Press(part, VK_RETURN, L'\r');
  EXPECT_EQ(TextOf(part), u"Black");
  EXPECT_TRUE(seen.empty());

  // Unchanged, Enter is the dialog's.
  Press(part, VK_RETURN, L'\r');
  EXPECT_EQ(seen, std::vector<WPARAM>{IDOK});
}

}  // namespace
}  // namespace pixdeck::wininputs
