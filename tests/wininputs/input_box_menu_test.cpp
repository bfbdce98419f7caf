// The shared context menu on real boxes: a right click (WM_CONTEXTMENU)
// shows the popup menu in place of the system's own, its entries enabled and
// checked for the box, and the entry the user picks acts on that box; the
// highlighted entry's hint reaches the window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_window.h"
#include "wininputs/input_box_master.h"
#include "wininputs/qel_combo_box.h"
#include "wininputs/qel_edit.h"

namespace pixdeck::wininputs {
namespace {

using testing::SelectionOf;
using testing::TestWindow;
using testing::TextOf;

struct ShownItem {
  std::u16string caption;
  bool separator = false;
  bool enabled = false;
  bool checked = false;
};

// What the menu showed, read from the real menu while it waited for input.
std::vector<ShownItem> ReadMenu(HMENU menu) {
  std::vector<ShownItem> items;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    ShownItem item;
    const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    item.separator = (state & MF_SEPARATOR) != 0;
    item.enabled = (state & (MF_GRAYED | MF_DISABLED)) == 0;
    item.checked = (state & MF_CHECKED) != 0;
    wchar_t caption[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), caption, 64, MF_BYPOSITION);
    item.caption = reinterpret_cast<const char16_t*>(caption);
    items.push_back(item);
  }
  return items;
}

class InputBoxMenuTest : public ::testing::Test {
 protected:
  // Opens the box's menu with a right click and, once it waits, reads it and
  // types the keys (a mnemonic picks its entry; Escape closes the menu).
  std::vector<ShownItem> OpenMenuAndPress(HWND control, std::vector<std::pair<UINT, WPARAM>> keys) {
    std::vector<ShownItem> shown;
    bool idle = false;
    window.onMenuIdle = [&](HWND menuWindow) {
      if (idle) {
        return;
      }
      idle = true;
      shown = ReadMenu(master.InputBoxMenu().Handle());
      for (const auto& [message, key] : keys) {
        PostMessageW(menuWindow, message, key, message == WM_CHAR ? 1 : 0);
      }
    };
    // Should the menu not close, the test fails instead of hanging.
    const UINT_PTR timer =
        SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    RECT box{};
    GetWindowRect(control, &box);
    SendMessageW(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control),
                 MAKELPARAM(box.left + 5, box.top + 5));
    KillTimer(nullptr, timer);
    window.onMenuIdle = nullptr;
    TestWindow::Pump();
    EXPECT_TRUE(idle) << "the menu never waited for input";
    return shown;
  }

  TestWindow window;
  TInputBoxMaster master{window.Handle()};
};

TEST_F(InputBoxMenuTest, ARightClickShowsTheTenEntriesForAModifiedBox) {
  HWND control = window.AddEdit(u"abc");
  TQelEdit edit;
  edit.Attach(control);
  TestWindow::Type(control, u"x");
  SendMessageW(control, EM_SETSEL, 0, 1);
  testing::SetClipboardText(u"clip");

  const std::vector<ShownItem> shown = OpenMenuAndPress(control, {{WM_KEYDOWN, VK_ESCAPE}});
  ASSERT_EQ(shown.size(), 10U);
  const std::vector<std::u16string> captions = {
      u"&Undo",  u"&Overwrite Mode", u"",           u"Cu&t", u"&Copy",
      u"&Paste", u"&Delete",         u"C&lear All", u"",     u"Select &All"};
  for (size_t i = 0; i < shown.size(); ++i) {
    EXPECT_EQ(shown[i].caption, captions[i]) << i;
  }
  EXPECT_TRUE(shown[2].separator);
  EXPECT_TRUE(shown[8].separator);
  EXPECT_TRUE(shown[0].enabled);        // Undo: modified
  EXPECT_TRUE(shown[1].enabled);        // Overwrite Mode: writable
  EXPECT_FALSE(shown[1].checked);       // not in overwrite mode
  EXPECT_TRUE(shown[3].enabled);        // Cut: a selection
  EXPECT_TRUE(shown[4].enabled);        // Copy
  EXPECT_TRUE(shown[5].enabled);        // Paste: text on the clipboard
  EXPECT_TRUE(shown[6].enabled);        // Delete
  EXPECT_TRUE(shown[7].enabled);        // Clear All
  EXPECT_TRUE(shown[9].enabled);        // Select All: not all selected
  EXPECT_EQ(TextOf(control), u"xabc");  // Escape chose nothing
}

TEST_F(InputBoxMenuTest, AReadOnlyBoxOffersCopyAndSelectAllAndShowsItsModeDisabled) {
  HWND control = window.AddEdit(u"read only", ES_READONLY);
  TQelEdit edit;
  edit.Attach(control);
  SetFocus(control);
  master.SetOverwriteMode(true);
  SendMessageW(control, EM_SETSEL, 0, 4);
  testing::SetClipboardText(u"clip");

  const std::vector<ShownItem> shown = OpenMenuAndPress(control, {{WM_KEYDOWN, VK_ESCAPE}});
  ASSERT_EQ(shown.size(), 10U);
  EXPECT_FALSE(shown[0].enabled);  // Undo
  EXPECT_FALSE(shown[1].enabled);  // Overwrite Mode, disabled...
  EXPECT_TRUE(shown[1].checked);   // ...but checked as the box's mode
  EXPECT_FALSE(shown[3].enabled);  // Cut
  EXPECT_TRUE(shown[4].enabled);   // Copy
  EXPECT_FALSE(shown[5].enabled);  // Paste
  EXPECT_FALSE(shown[6].enabled);  // Delete
  EXPECT_FALSE(shown[7].enabled);  // Clear All
  EXPECT_TRUE(shown[9].enabled);   // Select All
}

TEST_F(InputBoxMenuTest, PickedEntriesActOnTheBoxThatOpenedTheMenu) {
  HWND other = window.AddEdit(u"other");
  HWND control = window.AddEdit(u"hello");
  TQelEdit otherEdit;
  TQelEdit edit;
  otherEdit.Attach(other);
  edit.Attach(control);
  SetFocus(other);

  // Select All, then Cut: the whole text goes to the clipboard.
  OpenMenuAndPress(control, {{WM_CHAR, L'a'}});
  EXPECT_EQ(GetFocus(), control);  // the menu focused its box
  EXPECT_EQ(SelectionOf(control), std::make_pair(0, 5));
  OpenMenuAndPress(control, {{WM_CHAR, L't'}});
  EXPECT_EQ(TextOf(control), u"");
  EXPECT_EQ(testing::ClipboardText(), u"hello");
  EXPECT_TRUE(edit.Modified());

  // Paste puts it back; Undo returns to the text at load.
  OpenMenuAndPress(control, {{WM_CHAR, L'p'}});
  EXPECT_EQ(TextOf(control), u"hello");
  TestWindow::Type(control, u"!");
  OpenMenuAndPress(control, {{WM_CHAR, L'u'}});
  EXPECT_EQ(TextOf(control), u"hello");
  EXPECT_FALSE(edit.Modified());

  // Clear All empties it as an edit; Overwrite Mode switches the window.
  OpenMenuAndPress(control, {{WM_CHAR, L'l'}});
  EXPECT_EQ(TextOf(control), u"");
  EXPECT_TRUE(edit.Modified());
  OpenMenuAndPress(control, {{WM_CHAR, L'o'}});
  EXPECT_TRUE(master.OverwriteMode());
  EXPECT_TRUE(otherEdit.OverwriteMode());
  EXPECT_EQ(TextOf(other), u"other");
}

TEST_F(InputBoxMenuTest, TheHighlightedEntrysHintReachesTheWindow) {
  HWND control = window.AddEdit(u"abc");
  TQelEdit edit;
  edit.Attach(control);
  std::vector<std::string> hints;
  master.SetOnHint([&](const std::string& hint) { hints.push_back(hint); });
  OpenMenuAndPress(control, {{WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_ESCAPE}});
  ASSERT_GE(hints.size(), 2U);
  EXPECT_EQ(hints.front(), "Undo changes to input text");
  EXPECT_EQ(hints.back(), "");  // cleared when the menu closes
}

TEST_F(InputBoxMenuTest, TheComboBoxsEditPartOpensTheMenuForTheComboBox) {
  HWND control = window.AddCombo({u"first", u"second"}, u"");
  SendMessageW(control, CB_SETCURSEL, 1, 0);
  TQelComboBox combo;
  combo.SetAllowNull(false);
  combo.Attach(control);
  const HWND edit = combo.EditHandle();

  // Clear All in a box that needs a value shows the first item again.
  const std::vector<ShownItem> shown = OpenMenuAndPress(edit, {{WM_CHAR, L'l'}});
  ASSERT_EQ(shown.size(), 10U);
  EXPECT_FALSE(shown[0].enabled);  // not modified
  EXPECT_TRUE(shown[7].enabled);   // Clear All: a text
  EXPECT_EQ(TextOf(edit), u"first");
  EXPECT_TRUE(combo.Modified());

  // Undo is enabled by the box's own flag now, and returns to the text at
  // load.
  const std::vector<ShownItem> again = OpenMenuAndPress(edit, {{WM_CHAR, L'u'}});
  ASSERT_EQ(again.size(), 10U);
  EXPECT_TRUE(again[0].enabled);
  EXPECT_EQ(TextOf(edit), u"second");
}

TEST_F(InputBoxMenuTest, WithoutTheSharedMenuTheBoxLeavesTheRightClickToTheSystem) {
  HWND control = window.AddEdit(u"abc");
  TQelEdit edit;
  edit.Attach(control);
  master.SetUseContextMenu(false);
  master.InputBoxMenu().SetTracker([](HMENU, POINT, HWND) -> UINT {
    ADD_FAILURE() << "the shared menu was shown";
    return 0;
  });
  // The system's own menu of the EDIT control: closed as soon as it waits.
  // The system's own menu of the EDIT control waits on the control, not on
  // the window: it is closed after a moment.
  const UINT_PTR timer = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
  SendMessageW(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), MAKELPARAM(10, 10));
  KillTimer(nullptr, timer);
  window.onMenuIdle = nullptr;
}

}  // namespace
}  // namespace pixdeck::wininputs
