// The single-line box and the memo on real EDIT controls: the wiring of keys,
// characters, clicks and notifications to the editing model, and of the
// model's writes back to the control. The rules themselves are tested over a
// fake control in tests/editing.
#include <gtest/gtest.h>

#include "test_window.h"
#include "wininputs/input_box_master.h"
#include "wininputs/qel_edit.h"
#include "wininputs/qel_memo.h"

namespace pixdeck::wininputs {
namespace {

using testing::SelectionOf;
using testing::TestWindow;
using testing::TextOf;

class EditBoxTest : public ::testing::Test {
 protected:
  TestWindow window;
};

TEST_F(EditBoxTest, EscapeUndoesWhatTheUserTypedBackToTheLoadedText) {
  HWND control = window.AddEdit(u"images.htm");
  TQelEdit edit;
  edit.SetUndoWhenEsc(true);
  int edits = 0;
  edit.SetOnEdited([&] { ++edits; });
  edit.Attach(control);
  EXPECT_FALSE(edit.Modified());
  EXPECT_FALSE(edit.CanUndo());

  TestWindow::PressKey(control, VK_END);
  TestWindow::Type(control, u"x");
  TestWindow::PressKey(control, VK_BACK);
  TestWindow::Type(control, u"l");
  EXPECT_EQ(TextOf(control), u"images.html");
  EXPECT_TRUE(edit.Modified());
  EXPECT_EQ(edits, 3);

  TestWindow::PressKey(control, VK_ESCAPE);
  EXPECT_EQ(TextOf(control), u"images.htm");
  EXPECT_FALSE(edit.Modified());
  EXPECT_EQ(edits, 4);  // the undo is reported once
  EXPECT_EQ(SelectionOf(control), std::make_pair(0, 0));

  // Unmodified, Escape is not the box's: the dialog may take it as Cancel.
  MSG escape{control, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_EQ(SendMessageW(control, WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&escape)) &
                DLGC_WANTMESSAGE,
            0);
  TestWindow::Type(control, u"a");
  EXPECT_NE(SendMessageW(control, WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&escape)) &
                DLGC_WANTMESSAGE,
            0);
}

TEST_F(EditBoxTest, WithoutUndoWhenEscEscapeLeavesTheTextAlone) {
  HWND control = window.AddEdit(u"abc");
  TQelEdit edit;
  edit.Attach(control);
  TestWindow::Type(control, u"x");
  TestWindow::PressKey(control, VK_ESCAPE);
  EXPECT_EQ(TextOf(control), u"xabc");
  EXPECT_TRUE(edit.Modified());
}

TEST_F(EditBoxTest, TheMenusUndoAndTheControlsOwnUndoMessageGoBackToTheUndoText) {
  HWND control = window.AddEdit(u"abc");
  TQelEdit edit;
  edit.Attach(control);
  TestWindow::Type(control, u"1");
  TestWindow::Type(control, u"2");
  // Ctrl+Z reaches the control as EM_UNDO / WM_UNDO: one level, to the
  // text at load, not to the text after the first edit.
  SendMessageW(control, WM_UNDO, 0, 0);
  EXPECT_EQ(TextOf(control), u"abc");
  TestWindow::Type(control, u"3");
  SendMessageW(control, EM_UNDO, 0, 0);
  EXPECT_EQ(TextOf(control), u"abc");
  EXPECT_FALSE(edit.Modified());
}

TEST_F(EditBoxTest, ProgramWritesAreNoEditsAndBecomeTheUndoText) {
  HWND control = window.AddEdit(u"old");
  TQelEdit edit;
  edit.SetUndoWhenEsc(true);
  int edits = 0;
  int changes = 0;
  edit.SetOnEdited([&] { ++edits; });
  edit.SetOnChange([&] { ++changes; });
  edit.Attach(control);

  edit.SetInitialTextUtf8("new");
  EXPECT_EQ(TextOf(control), u"new");
  EXPECT_EQ(edit.UndoText(), u"new");
  EXPECT_FALSE(edit.Modified());
  EXPECT_EQ(edits, 0);
  EXPECT_EQ(changes, 1);

  TestWindow::Type(control, u"x");
  TestWindow::PressKey(control, VK_ESCAPE);
  EXPECT_EQ(TextOf(control), u"new");
}

TEST_F(EditBoxTest, ANameOutsideAsciiIsTypedWhole) {
  HWND control = window.AddEdit(u"");
  TQelEdit edit;
  edit.Attach(control);
  // Latin-1, CJK and a character outside the Basic Multilingual Plane (two
  // UTF-16 units, typed as its two halves).
  TestWindow::Type(control, u"café 日本 \U0001F600.htm");
  EXPECT_EQ(edit.Text(), u"café 日本 \U0001F600.htm");
  EXPECT_EQ(edit.TextUtf8(), "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80.htm");
  EXPECT_TRUE(edit.Modified());
}

TEST_F(EditBoxTest, TypingInOverwriteModeReplacesTheCharacterAfterTheCaret) {
  HWND control = window.AddEdit(u"abcd");
  TQelEdit edit;
  edit.Attach(control);
  SetFocus(control);
  edit.SetOverwriteMode(true);
  EXPECT_EQ(SelectionOf(control), std::make_pair(0, 1));

  TestWindow::Type(control, u"xy");
  EXPECT_EQ(TextOf(control), u"xycd");
  // The next character is selected again, ready to be replaced.
  EXPECT_EQ(SelectionOf(control), std::make_pair(2, 1));

  // A caret key moves from the caret, not from the selection's end.
  TestWindow::PressKey(control, VK_LEFT);
  EXPECT_EQ(SelectionOf(control), std::make_pair(1, 1));
  // Backspace deletes before the caret.
  TestWindow::PressKey(control, VK_BACK);
  EXPECT_EQ(TextOf(control), u"ycd");
  // Shift with a caret key keeps the selection the user makes.
  TestWindow::PressKey(control, VK_RIGHT, /*shift=*/true);
  EXPECT_EQ(SelectionOf(control).second, 2);
}

TEST_F(EditBoxTest, AClickPlacesTheCaretAndSelectsTheNextCharacterInOverwriteMode) {
  HWND control = window.AddEdit(u"abcdef");
  TQelEdit edit;
  edit.Attach(control);
  SetFocus(control);
  edit.SetOverwriteMode(true);
  SendMessageW(control, EM_SETSEL, 3, 3);
  TestWindow::Click(control, 1, 5);
  EXPECT_EQ(SelectionOf(control).second, 1);
}

TEST_F(EditBoxTest, PastingInOverwriteModeInsertsBeforeTheSelectedCharacter) {
  HWND control = window.AddEdit(u"abc");
  TQelEdit edit;
  edit.Attach(control);
  SetFocus(control);
  edit.SetOverwriteMode(true);
  testing::SetClipboardText(u"XY");
  // Ctrl+V reaches the control as WM_PASTE.
  SendMessageW(control, WM_PASTE, 0, 0);
  EXPECT_EQ(TextOf(control), u"XYabc");
  EXPECT_EQ(SelectionOf(control), std::make_pair(2, 1));
  EXPECT_TRUE(edit.Modified());
}

TEST_F(EditBoxTest, InsertSwitchesEveryBoxOfTheWindowThroughItsMaster) {
  HWND first = window.AddEdit(u"one");
  HWND second = window.AddEdit(u"two");
  HWND memoControl = window.AddMemo(u"three\r\nfour");
  TInputBoxMaster master(window.Handle());
  int modeChanges = 0;
  master.SetOnModeChange([&] { ++modeChanges; });
  TQelEdit edit1;
  TQelEdit edit2;
  TQelMemo memo;
  edit1.Attach(first);
  edit2.Attach(second);
  memo.Attach(memoControl);
  EXPECT_EQ(edit1.Master(), &master);
  EXPECT_EQ(master.Boxes().size(), 3U);

  TestWindow::PressKey(first, VK_INSERT);
  EXPECT_TRUE(master.OverwriteMode());
  EXPECT_TRUE(edit1.OverwriteMode());
  EXPECT_TRUE(edit2.OverwriteMode());
  EXPECT_TRUE(memo.OverwriteMode());
  EXPECT_EQ(modeChanges, 1);
  EXPECT_EQ(SelectionOf(second), std::make_pair(0, 1));

  // Insert with Ctrl held, or released over a box that did not see it
  // pressed, switches nothing.
  TestWindow::PressKey(second, VK_INSERT, false, /*ctrl=*/true);
  PostMessageW(second, WM_KEYUP, VK_INSERT, 0xC0000001);
  TestWindow::Pump();
  EXPECT_TRUE(master.OverwriteMode());
  EXPECT_EQ(modeChanges, 1);

  TestWindow::PressKey(memoControl, VK_INSERT);
  EXPECT_FALSE(master.OverwriteMode());
  EXPECT_FALSE(edit1.OverwriteMode());
  EXPECT_FALSE(edit2.OverwriteMode());
  EXPECT_EQ(SelectionOf(second).second, 0);
  EXPECT_EQ(modeChanges, 2);

  // A box that does not dispatch the key switches alone.
  edit2.SetDispatchInsMode(false);
  TestWindow::PressKey(second, VK_INSERT);
  EXPECT_TRUE(edit2.OverwriteMode());
  EXPECT_FALSE(edit1.OverwriteMode());
  EXPECT_FALSE(master.OverwriteMode());
}

TEST_F(EditBoxTest, ASecondMasterOnAWindowIsRefused) {
  TInputBoxMaster master(window.Handle());
  HWND control = window.AddEdit(u"");
  EXPECT_THROW(TInputBoxMaster second(control), std::logic_error);
  EXPECT_EQ(TInputBoxMaster::OfWindow(control), &master);
}

TEST_F(EditBoxTest, TheMemoNeverOverwritesALineBreakAndReportsCaretMoves) {
  HWND control = window.AddMemo(u"ab\r\ncd");
  TQelMemo memo;
  memo.SetUndoWhenEsc(true);
  int moves = 0;
  memo.SetOnCursorMove([&] { ++moves; });
  memo.Attach(control);
  EXPECT_EQ(moves, 1);  // loaded with text: the caret is at the start
  SetFocus(control);
  memo.SetOverwriteMode(true);
  TestWindow::PressKey(control, VK_END);
  // At the end of a line, nothing is selected: typing inserts before the
  // break.
  EXPECT_EQ(SelectionOf(control), std::make_pair(2, 0));
  TestWindow::Type(control, u"X");
  EXPECT_EQ(TextOf(control), u"abX\r\ncd");
  EXPECT_GE(moves, 3);

  TestWindow::PressKey(control, VK_ESCAPE);
  EXPECT_EQ(TextOf(control), u"ab\r\ncd");
}

TEST_F(EditBoxTest, AReadOnlyMemoTakesNoTypingAndSelectsNothingInOverwriteMode) {
  HWND control = window.AddMemo(u"About Pixdeck", ES_READONLY);
  TQelMemo memo;
  memo.Attach(control);
  SetFocus(control);
  memo.SetOverwriteMode(true);
  EXPECT_TRUE(memo.OverwriteMode());
  EXPECT_EQ(SelectionOf(control).second, 0);
  TestWindow::Type(control, u"x");
  EXPECT_EQ(TextOf(control), u"About Pixdeck");
  EXPECT_FALSE(memo.CanClear());
  EXPECT_FALSE(memo.CanCut());
}

TEST_F(EditBoxTest, WithWindowsUndoTheMemoUndoesTheControlsLastOperation) {
  HWND control = window.AddMemo(u"");
  TQelMemo memo;
  memo.SetWindowsUndo(true);
  memo.Attach(control);
  TestWindow::Type(control, u"ab");
  EXPECT_TRUE(memo.CanUndo());
  memo.Undo();
  EXPECT_NE(TextOf(control), u"ab");
}

TEST_F(EditBoxTest, ABoxWhoseControlIsDestroyedLetsGoOfIt) {
  HWND control = window.AddEdit(u"abc");
  TInputBoxMaster master(window.Handle());
  TQelEdit edit;
  edit.Attach(control);
  DestroyWindow(control);
  EXPECT_EQ(edit.Handle(), nullptr);
  EXPECT_TRUE(master.Boxes().empty());
  EXPECT_EQ(edit.Text(), u"");
  master.SetOverwriteMode(true);  // reaches no box
}

}  // namespace
}  // namespace pixdeck::wininputs
