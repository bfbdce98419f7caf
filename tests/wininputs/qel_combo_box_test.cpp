// The history combo box on a real COMBOBOX control: typed text, Enter,
// leaving the box and picks from the list reach the history rules, and the
// rules' steps reach the control. The rules themselves are tested in
// tests/editing.
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
using Texts = std::vector<std::u16string>;

class ComboBoxTest : public ::testing::Test {
 protected:
  // A history box of the main window: new entries at the start.
  void AttachHistory(const Texts& items, const std::u16string& text) {
    control = window.AddCombo(items, text);
    combo.SetAddNewToStart(true);
    combo.SetAddNewToList(true);
    combo.SetUndoWhenEsc(true);
    combo.SetOnListPick([this] {
      ++picks;
      itemsAtPick = combo.Items();
    });
    combo.SetOnEdited([this] { ++edits; });
    combo.Attach(control);
    edit = combo.EditHandle();
  }

  // A click on an item of the open list, as the list reports it.
  void PickFromList(int index) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(control, &info);
    SendMessageW(control, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(info.hwndList, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(control, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(info.hwndList), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(info.hwndList));
    TestWindow::Pump();
  }

  TestWindow window;
  HWND control = nullptr;
  HWND edit = nullptr;
  TQelComboBox combo;
  int picks = 0;
  int edits = 0;
  Texts itemsAtPick;
};

TEST_F(ComboBoxTest, APickedItemMovesToTheStartBeforeThePickIsReported) {
  AttachHistory({u"a", u"b", u"c"}, u"a");
  PickFromList(2);
  EXPECT_EQ(combo.Items(), (Texts{u"c", u"a", u"b"}));
  EXPECT_EQ(itemsAtPick, (Texts{u"c", u"a", u"b"}));
  EXPECT_EQ(picks, 1);
  EXPECT_EQ(combo.ItemIndex(), 0);
  EXPECT_EQ(TextOf(edit), u"c");
  EXPECT_TRUE(combo.Modified());
}

TEST_F(ComboBoxTest, EnterAddsANewTextAtTheStartAndSelectsIt) {
  AttachHistory({u"*.gif;*.jpg", u"*.gif"}, u"*.gif;*.jpg");
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  TestWindow::Type(edit, u"*.png");
  EXPECT_EQ(TextOf(edit), u"*.png");
  TestWindow::PressKey(edit, VK_RETURN);
  EXPECT_EQ(combo.Items(), (Texts{u"*.png", u"*.gif;*.jpg", u"*.gif"}));
  EXPECT_EQ(combo.ItemIndex(), 0);
  EXPECT_EQ(TextOf(edit), u"*.png");
  EXPECT_EQ(GetFocus(), edit);  // Enter does not leave the box
}

TEST_F(ComboBoxTest, TypedTextIsCompletedFromTheListKeepingTheTypedLetters) {
  AttachHistory({u"*.gif", u"*.JPG"}, u"");
  SetFocus(edit);
  TestWindow::Type(edit, u"*.j");
  EXPECT_EQ(TextOf(edit), u"*.jPG");
  EXPECT_EQ(SelectionOf(edit), std::make_pair(3, 2));
  // The item was picked, and so moved to the start of the history.
  EXPECT_EQ(combo.Items(), (Texts{u"*.JPG", u"*.gif"}));
  EXPECT_EQ(combo.ItemIndex(), 0);
  EXPECT_GE(edits, 3);

  // Backspace removes the completed tail and completes nothing again.
  TestWindow::PressKey(edit, VK_BACK);
  EXPECT_EQ(TextOf(edit), u"*.j");
}

TEST_F(ComboBoxTest, ALimitedListRestoresTheUndoTextOnEnterAndOnLeaving) {
  control = window.AddCombo({u"White", u"Black"}, u"");
  HWND other = window.AddEdit(u"");
  combo.SetLimitToList(true);
  combo.SetAllowNull(true);
  combo.SetAutoExpand(false);
  combo.Attach(control);
  edit = combo.EditHandle();
  combo.SetInitialText(u"Black");
  EXPECT_FALSE(combo.Modified());

  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  TestWindow::Type(edit, u"Green");
  TestWindow::PressKey(edit, VK_RETURN);
  EXPECT_EQ(TextOf(edit), u"Black");
  EXPECT_EQ(combo.Items(), (Texts{u"White", u"Black"}));

  SendMessageW(edit, EM_SETSEL, 0, -1);
  TestWindow::Type(edit, u"Red");
  SetFocus(other);
  TestWindow::Pump();
  EXPECT_EQ(TextOf(edit), u"Black");
}

TEST_F(ComboBoxTest, EscapeRestoresTheUndoTextThenClearsModified) {
  AttachHistory({u"one", u"two"}, u"one");
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  TestWindow::Type(edit, u"x");
  ASSERT_TRUE(combo.Modified());
  TestWindow::PressKey(edit, VK_ESCAPE);
  EXPECT_EQ(TextOf(edit), u"one");
  EXPECT_TRUE(combo.Modified());  // the restored text is a change of its own
  TestWindow::PressKey(edit, VK_ESCAPE);
  EXPECT_FALSE(combo.Modified());
}

TEST_F(ComboBoxTest, TheProgramsValueIsAddedWithoutAskingAndIsNoEdit) {
  AttachHistory({u"a.htm"}, u"a.htm");
  bool asked = false;
  combo.SetOnNotInList([&](std::u16string&, bool&) { asked = true; });
  combo.SetInitialTextUtf8("caf\xC3\xA9.htm");
  EXPECT_FALSE(asked);
  EXPECT_EQ(combo.Items(), (Texts{u"café.htm", u"a.htm"}));
  EXPECT_EQ(TextOf(edit), u"café.htm");
  EXPECT_FALSE(combo.Modified());
  EXPECT_EQ(edits, 0);
  // Nothing to undo.
  TestWindow::PressKey(edit, VK_ESCAPE);
  EXPECT_EQ(TextOf(edit), u"café.htm");
}

TEST_F(ComboBoxTest, ANameOutsideAsciiIsTypedWhole) {
  AttachHistory({}, u"");
  TestWindow::Type(edit, u"日本 \U0001F600");
  EXPECT_EQ(combo.Text(), u"日本 \U0001F600");
  EXPECT_EQ(combo.TextUtf8(), "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80");
  EXPECT_TRUE(combo.CommitText());
  EXPECT_EQ(combo.Items(), (Texts{u"日本 \U0001F600"}));
}

TEST_F(ComboBoxTest, InsertInAnEditSwitchesTheComboBoxWhichSelectsOnlyOnceFocused) {
  TInputBoxMaster master(window.Handle());
  HWND editControl = window.AddEdit(u"name");
  TQelEdit name;
  name.Attach(editControl);
  AttachHistory({u"abc"}, u"abc");
  SendMessageW(edit, EM_SETSEL, 1, 1);

  TestWindow::PressKey(editControl, VK_INSERT);
  EXPECT_TRUE(combo.OverwriteMode());
  EXPECT_EQ(SelectionOf(edit), std::make_pair(1, 0));  // no focus: left alone
  TestWindow::Click(edit, 1, 5);
  EXPECT_EQ(SelectionOf(edit).second, 1);

  TestWindow::PressKey(edit, VK_INSERT);
  EXPECT_FALSE(name.OverwriteMode());
  EXPECT_FALSE(master.OverwriteMode());
}

TEST_F(ComboBoxTest, AReadOnlyBoxTakesNoTypingAndNoDeletingKeys) {
  control = window.AddCombo({u"a", u"b"}, u"a");
  combo.SetReadOnly(true);
  combo.Attach(control);
  edit = combo.EditHandle();
  TestWindow::Type(edit, u"x");
  TestWindow::PressKey(edit, VK_DELETE);
  TestWindow::PressKey(edit, VK_DOWN);
  EXPECT_EQ(TextOf(edit), u"a");
  EXPECT_FALSE(combo.Modified());
  EXPECT_FALSE(combo.CanCut());
  EXPECT_FALSE(combo.CanClear());
}

TEST_F(ComboBoxTest, ClearingABoxThatNeedsAValueShowsTheFirstItem) {
  control = window.AddCombo({u"first", u"second"}, u"second");
  SendMessageW(control, CB_SETCURSEL, 1, 0);
  combo.SetAllowNull(false);
  combo.Attach(control);
  edit = combo.EditHandle();
  ASSERT_EQ(TextOf(edit), u"second");
  combo.ClearAll();
  EXPECT_EQ(TextOf(edit), u"first");
  EXPECT_EQ(combo.ItemIndex(), 0);
}

}  // namespace
}  // namespace pixdeck::wininputs
