// The edit, masked edit and memo on real widgets: undo text, Escape, the
// Insert key, emulated overwrite mode, paste, colours and the master hook.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <memory>

#include "input_test_window.h"
#include "inputs/qel_edit.h"
#include "inputs/qel_mask_edit.h"
#include "inputs/qel_memo.h"

namespace pixdeck {
namespace {

using test::Focus;
using test::KeyRecordingWindow;
using test::ShowActive;

class EditTest : public ::testing::Test {
 protected:
  // An edit loaded with the text, shown and focused, caret at the end.
  TQelEdit* LoadedEdit(const QString& text) {
    auto* edit = new TQelEdit(&window);
    edit->setText(text);
    edit->SetOnEdited([this](QObject*) { ++edited; });
    edit->Loaded();
    ShowActive(window);
    Focus(*edit);
    edit->setCursorPosition(static_cast<int>(text.size()));
    return edit;
  }

  KeyRecordingWindow window;
  int edited = 0;
};

TEST_F(EditTest, UndoAfterTwoEditsReturnsToTheLoadedText) {
  TQelEdit* edit = LoadedEdit("abc");
  EXPECT_FALSE(edit->isModified());
  QTest::keyClicks(edit, "d");
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, "xy");
  EXPECT_EQ(edit->text(), "abxy");
  EXPECT_TRUE(edit->isModified());
  EXPECT_EQ(edited, 5);
  edit->Undo();
  EXPECT_EQ(edit->text(), "abc");
  EXPECT_FALSE(edit->isModified());
  EXPECT_EQ(edited, 6);  // once for the undo
  EXPECT_EQ(edit->cursorPosition(), 0);
  // A second undo finds nothing to do.
  edit->Undo();
  EXPECT_EQ(edited, 6);
}

TEST_F(EditTest, UndoOnAnUnmodifiedBoxChangesNothing) {
  TQelEdit* edit = LoadedEdit("abc");
  edit->setCursorPosition(2);
  edit->Undo();
  EXPECT_EQ(edit->text(), "abc");
  EXPECT_EQ(edit->cursorPosition(), 2);
  EXPECT_EQ(edited, 0);
}

TEST_F(EditTest, EmptyAtLoadUndoesBackToEmpty) {
  TQelEdit* edit = LoadedEdit("");
  QTest::keyClicks(edit, "typed");
  ASSERT_EQ(edit->text(), "typed");
  edit->Undo();
  EXPECT_EQ(edit->text(), "");
}

TEST_F(EditTest, ProgramWritesAreNotEditsAndSetTheUndoText) {
  TQelEdit* edit = LoadedEdit("old");
  int changes = 0;
  edit->SetOnChange([&](QObject*) { ++changes; });
  edit->SetInitialText("stored");
  EXPECT_EQ(edit->text(), "stored");
  EXPECT_FALSE(edit->isModified());
  EXPECT_EQ(edited, 0);
  EXPECT_EQ(changes, 1);
  QTest::keyClicks(edit, "X");
  ASSERT_TRUE(edit->text().contains("X"));
  ASSERT_TRUE(edit->isModified());
  edit->Undo();
  EXPECT_EQ(edit->text(), "stored");
}

TEST_F(EditTest, InitialTextEqualToTheTextKeepsAPendingChange) {
  TQelEdit* edit = LoadedEdit("one");
  edit->setCursorPosition(3);
  QTest::keyClicks(edit, "X");
  edit->SetInitialText("oneX");
  EXPECT_TRUE(edit->isModified());
  edit->Undo();
  EXPECT_EQ(edit->text(), "one");
}

TEST_F(EditTest, EscapeUndoesOnlyAModifiedBoxAndSwallowsTheKeyThen) {
  TQelEdit* edit = LoadedEdit("abc");
  edit->SetUndoWhenEsc(true);
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(window.passedKeys, QList<int>{Qt::Key_Escape});  // nothing to undo: passed on
  QTest::keyClicks(edit, "def");
  ASSERT_TRUE(edit->text().contains("def"));
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(edit->text(), "abc");
  EXPECT_FALSE(edit->isModified());
  EXPECT_EQ(window.passedKeys.size(), 1);  // this one was consumed
}

TEST_F(EditTest, EscapeWithAShiftKeyHeldIsNoUndo) {
  TQelEdit* edit = LoadedEdit("abc");
  edit->SetUndoWhenEsc(true);
  QTest::keyClicks(edit, "d");
  ASSERT_EQ(edit->text(), "abcd");
  for (const Qt::KeyboardModifier held : {Qt::ShiftModifier, Qt::ControlModifier}) {
    QTest::keyClick(edit, Qt::Key_Escape, held);
    EXPECT_EQ(edit->text(), "abcd") << held;
  }
  EXPECT_EQ(window.passedKeys.count(Qt::Key_Escape), 2) << "both passed on to the window";
  // Pressed with Shift, released after Shift: still no undo.
  QTest::keyPress(edit, Qt::Key_Escape, Qt::ShiftModifier);
  QTest::keyRelease(edit, Qt::Key_Escape);
  EXPECT_EQ(edit->text(), "abcd");
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(edit->text(), "abc");
}

TEST_F(EditTest, EscapeWithoutUndoWhenEscLeavesTheText) {
  TQelEdit* edit = LoadedEdit("abc");
  QTest::keyClicks(edit, "d");
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(edit->text(), "abcd");
  EXPECT_EQ(window.passedKeys, QList<int>{Qt::Key_Escape});
}

TEST_F(EditTest, InsertTogglesOnlyWithoutShiftState) {
  TQelEdit* edit = LoadedEdit("abc");
  QTest::keyClick(edit, Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_FALSE(edit->OverwriteMode());
  QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_FALSE(edit->OverwriteMode());
  EXPECT_EQ(edit->text(), "abc");
  // Ctrl let go before Insert: the press still had a shift state.
  QTest::keyPress(edit, Qt::Key_Insert, Qt::ControlModifier);
  QTest::keyRelease(edit, Qt::Key_Insert);
  EXPECT_FALSE(edit->OverwriteMode());
  QTest::keyClick(edit, Qt::Key_Insert);
  EXPECT_TRUE(edit->OverwriteMode());
  QTest::keyClick(edit, Qt::Key_Insert);
  EXPECT_FALSE(edit->OverwriteMode());
}

TEST_F(EditTest, InsertPressedElsewhereDoesNotToggle) {
  TQelEdit* edit = LoadedEdit("abc");
  auto* other = new TQelEdit(&window);
  other->Loaded();
  Focus(*other);
  QTest::keyPress(other, Qt::Key_Insert);
  Focus(*edit);
  QTest::keyRelease(edit, Qt::Key_Insert);
  EXPECT_FALSE(edit->OverwriteMode());
  EXPECT_FALSE(other->OverwriteMode());
}

TEST_F(EditTest, OverwriteTypingReplacesOneCharacter) {
  TQelEdit* edit = LoadedEdit("abcd");
  edit->setCursorPosition(1);
  edit->SetOverwriteMode(true);
  EXPECT_EQ(edit->selectedText(), "b");
  QTest::keyClicks(edit, "X");
  EXPECT_EQ(edit->text(), "aXcd");
  EXPECT_EQ(edit->selectedText(), "c");
  QTest::keyClicks(edit, "YZ");
  EXPECT_EQ(edit->text(), "aXYZ");
  // At the end there is nothing to replace: typing appends.
  QTest::keyClicks(edit, "!");
  EXPECT_EQ(edit->text(), "aXYZ!");
}

TEST_F(EditTest, OverwriteCaretKeysMoveFromTheCaretAndBackspaceDeletesBefore) {
  TQelEdit* edit = LoadedEdit("abcd");
  edit->setCursorPosition(2);
  edit->SetOverwriteMode(true);
  EXPECT_EQ(edit->selectedText(), "c");
  QTest::keyClick(edit, Qt::Key_Right);
  EXPECT_EQ(edit->SelStart(), 3);
  EXPECT_EQ(edit->selectedText(), "d");
  QTest::keyClick(edit, Qt::Key_Left);
  EXPECT_EQ(edit->selectedText(), "c");
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(edit->text(), "acd");
  EXPECT_EQ(edit->selectedText(), "c");
  QTest::keyClick(edit, Qt::Key_Delete);
  EXPECT_EQ(edit->text(), "ad");
}

TEST_F(EditTest, ShiftRightKeepsTheUsersSelection) {
  TQelEdit* edit = LoadedEdit("abcdef");
  edit->setCursorPosition(1);
  edit->SetOverwriteMode(true);
  QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(edit->selectedText(), "bc");
  QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(edit->selectedText(), "bcd");
  // Shrinking it to nothing leaves the caret alone too, while Shift is held.
  edit->setCursorPosition(4);
  edit->UpdateOverwriteSelection();
  EXPECT_EQ(edit->selectedText(), "e");
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::ShiftModifier);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Left, Qt::ShiftModifier);
  QApplication::sendEvent(edit, &press);
  QApplication::sendEvent(edit, &release);
  EXPECT_EQ(edit->SelLength(), 0);
  EXPECT_EQ(edit->cursorPosition(), 4);
  // A plain Right moves one character and then selects the next.
  QTest::keyClick(edit, Qt::Key_Right);
  EXPECT_EQ(edit->SelStart(), 5);
  EXPECT_EQ(edit->selectedText(), "f");
}

TEST_F(EditTest, PasteInOverwriteModeInserts) {
  QApplication::clipboard()->setText("XY");
  TQelEdit* edit = LoadedEdit("abcd");
  edit->setCursorPosition(1);
  edit->SetOverwriteMode(true);
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->text(), "aXYbcd");
  EXPECT_EQ(edit->selectedText(), "b");
  EXPECT_TRUE(edit->isModified());
  EXPECT_EQ(edited, 1);
  edit->PasteSelection();  // the menu's paste
  EXPECT_EQ(edit->text(), "aXYXYbcd");
  EXPECT_EQ(edit->selectedText(), "b");
}

TEST_F(EditTest, ClickPlacesTheCaretAndSelectsTheNextCharacter) {
  TQelEdit* edit = LoadedEdit("abcdef");
  edit->SetOverwriteMode(true);
  edit->setCursorPosition(6);
  QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
  EXPECT_EQ(edit->SelLength(), 1);
  EXPECT_LT(edit->SelStart(), 6);
}

TEST_F(EditTest, ReadOnlyBoxStoresTheModeButSelectsNothing) {
  TQelEdit* edit = LoadedEdit("abc");
  edit->setReadOnly(true);
  edit->setCursorPosition(1);
  edit->SetOverwriteMode(true);
  EXPECT_TRUE(edit->OverwriteMode());
  EXPECT_EQ(edit->SelLength(), 0);
  EXPECT_FALSE(edit->CanClear());
  EXPECT_FALSE(edit->CanCut());
  EXPECT_FALSE(edit->CanPaste());
}

TEST_F(EditTest, ClearAllIsAnEditAndUndoable) {
  TQelEdit* edit = LoadedEdit("abc");
  edit->ClearAll();
  EXPECT_EQ(edit->text(), "");
  EXPECT_TRUE(edit->isModified());
  EXPECT_EQ(edited, 1);
  edit->Undo();
  EXPECT_EQ(edit->text(), "abc");
}

TEST_F(EditTest, MenuCutAndDeleteAreEditsThatUndoRestores) {
  TQelEdit* edit = LoadedEdit("abcdef");
  edit->setSelection(1, 2);
  edit->CutSelection();
  EXPECT_EQ(QApplication::clipboard()->text(), "bc");
  EXPECT_EQ(edit->text(), "adef");
  edit->setSelection(0, 1);
  edit->DeleteSelection();
  EXPECT_EQ(edit->text(), "def");
  EXPECT_TRUE(edit->CanUndo());
  EXPECT_EQ(edited, 2);
  edit->Undo();
  EXPECT_EQ(edit->text(), "abcdef");
  // Delete with nothing selected removes nothing.
  edit->setCursorPosition(0);
  edit->DeleteSelection();
  EXPECT_EQ(edit->text(), "abcdef");
}

TEST_F(EditTest, EnablingQueries) {
  QApplication::clipboard()->setText("clip");
  TQelEdit* edit = LoadedEdit("abc");
  edit->setCursorPosition(1);
  EXPECT_FALSE(edit->HasSelection());
  EXPECT_FALSE(edit->CanCut());
  EXPECT_TRUE(edit->CanSelectAll());
  EXPECT_TRUE(edit->CanPaste());
  EXPECT_TRUE(edit->CanClear());
  EXPECT_FALSE(edit->CanUndo());
  edit->selectAll();
  EXPECT_TRUE(edit->HasSelection());
  EXPECT_TRUE(edit->CanCut());
  EXPECT_FALSE(edit->CanSelectAll());
  QApplication::clipboard()->clear();
  EXPECT_FALSE(edit->CanPaste());
}

TEST_F(EditTest, ReadOnlyEditShowsButtonFaceAndGetsItsColourBack) {
  auto* edit = new TQelEdit(&window);
  edit->setReadOnly(true);  // as the window's description says
  const QColor before = edit->palette().color(QPalette::Base);
  const QColor face = edit->palette().color(QPalette::Button);
  ASSERT_NE(before, face);
  edit->Loaded();
  EXPECT_EQ(edit->palette().color(QPalette::Base), face);
  edit->setReadOnly(false);
  EXPECT_EQ(edit->palette().color(QPalette::Base), before);
  edit->setReadOnly(true);
  EXPECT_EQ(edit->palette().color(QPalette::Base), face);
}

TEST_F(EditTest, BoxDisabledAtLoadShowsItsTextInButtonFaceUntilEnabled) {
  auto* edit = new TQelEdit(&window);
  const QColor before = edit->palette().color(QPalette::Active, QPalette::Text);
  edit->setEnabled(false);
  edit->Loaded();
  EXPECT_EQ(edit->palette().color(QPalette::Active, QPalette::Text),
            edit->palette().color(QPalette::Active, QPalette::Button));
  edit->setEnabled(true);
  EXPECT_EQ(edit->palette().color(QPalette::Active, QPalette::Text), before);
  // Disabling after loading keeps the font colour.
  edit->setEnabled(false);
  EXPECT_EQ(edit->palette().color(QPalette::Active, QPalette::Text), before);
}

TEST_F(EditTest, NeverLoadedBoxReportsNoEdits) {
  auto* edit = new TQelEdit(&window);
  edit->SetOnEdited([this](QObject*) { ++edited; });
  ShowActive(window);
  Focus(*edit);
  QTest::keyClicks(edit, "abc");
  EXPECT_EQ(edit->text(), "abc");  // the keys arrived, unreported
  EXPECT_EQ(edited, 0);
}

// --- masked edit ---------------------------------------------------------------

TEST_F(EditTest, MaskEditClearsThroughTheMaskAndUndoesToTheLoadedText) {
  auto* edit = new TQelMaskEdit(&window);
  edit->setInputMask("99-99");
  edit->setText("1234");
  edit->Loaded();
  ShowActive(window);
  Focus(*edit);
  const QString loaded = edit->text();
  EXPECT_EQ(loaded, "12-34");
  edit->ClearText();
  EXPECT_EQ(edit->text(), "-");  // formatted as the mask requires
  EXPECT_TRUE(edit->isModified());
  edit->Undo();
  EXPECT_EQ(edit->text(), loaded);
  EXPECT_FALSE(edit->isModified());
}

// --- memo ------------------------------------------------------------------------

class MemoTest : public EditTest {
 protected:
  TQelMemo* LoadedMemo(const QString& text) {
    auto* memo = new TQelMemo(&window);
    memo->setPlainText(text);
    memo->SetOnEdited([this](QObject*) { ++edited; });
    memo->SetOnCursorMove([this](QObject*) { ++cursorMoves; });
    memo->Loaded();
    ShowActive(window);
    Focus(*memo);
    return memo;
  }
  int cursorMoves = 0;
};

TEST_F(MemoTest, OverwriteNeverReplacesALineBreak) {
  TQelMemo* memo = LoadedMemo("ab\ncd");
  memo->SetSelStart(2);  // end of the first line
  memo->SetOverwriteMode(true);
  EXPECT_EQ(memo->SelLength(), 0);
  QTest::keyClicks(memo, "X");
  EXPECT_EQ(memo->toPlainText(), "abX\ncd");
  QTest::keyClicks(memo, "Y");
  EXPECT_EQ(memo->toPlainText(), "abXY\ncd");
  memo->SetSelStart(1);
  memo->UpdateOverwriteSelection();
  QTest::keyClicks(memo, "Z");
  EXPECT_EQ(memo->toPlainText(), "aZXY\ncd");
}

TEST_F(MemoTest, CaretKeysShiftedKeysAndAForgottenInsertReachTheModel) {
  TQelMemo* memo = LoadedMemo("abcdef");
  memo->SetSelStart(1);
  memo->SetOverwriteMode(true);
  ASSERT_EQ(memo->SelText(), "b");
  // A plain Right moves from the caret, then selects the next character.
  QTest::keyClick(memo, Qt::Key_Right);
  EXPECT_EQ(memo->SelStart(), 2);
  EXPECT_EQ(memo->SelText(), "c");
  // Backspace deletes before the caret, not the selected character.
  QTest::keyClick(memo, Qt::Key_Backspace);
  EXPECT_EQ(memo->toPlainText(), "acdef");
  EXPECT_EQ(memo->SelText(), "c");
  // Shift+Right keeps the selection the user made.
  QTest::keyClick(memo, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(memo->SelText(), "cd");
  // An Insert pressed here and released after the focus went and came back
  // is forgotten.
  auto* other = new TQelEdit(&window);
  other->Loaded();
  other->show();
  QTest::keyPress(memo, Qt::Key_Insert);
  Focus(*other);
  Focus(*memo);
  QTest::keyRelease(memo, Qt::Key_Insert);
  EXPECT_TRUE(memo->OverwriteMode());
  QTest::keyClick(memo, Qt::Key_Insert);
  EXPECT_FALSE(memo->OverwriteMode());
}

TEST_F(MemoTest, UndoReturnsToTheLoadedTextAndCaretToTheStart) {
  TQelMemo* memo = LoadedMemo("line one\nline two");
  EXPECT_EQ(memo->UndoText(), "line one\nline two");
  memo->SetSelStart(4);
  QTest::keyClicks(memo, "AB");
  QTest::keyClick(memo, Qt::Key_Return);
  EXPECT_NE(memo->toPlainText(), "line one\nline two");
  const int movesBefore = cursorMoves;
  memo->Undo();
  EXPECT_EQ(memo->toPlainText(), "line one\nline two");
  EXPECT_EQ(memo->SelStart(), 0);
  EXPECT_FALSE(memo->IsModified());
  EXPECT_GT(cursorMoves, movesBefore);
}

TEST_F(MemoTest, LoadedEmptyHasNoUndoTextAndUndoesToEmpty) {
  TQelMemo* memo = LoadedMemo("");
  EXPECT_FALSE(memo->HasUndoText());
  QTest::keyClicks(memo, "words");
  memo->Undo();
  EXPECT_EQ(memo->toPlainText(), "");
}

TEST_F(MemoTest, WindowsUndoRevertsOnlyTheLastOperation) {
  auto* memo = new TQelMemo(&window);
  memo->SetWindowsUndo(true);
  memo->setPlainText("base");
  memo->Loaded();
  memo->SetUndoWhenEsc(true);
  ShowActive(window);
  Focus(*memo);
  EXPECT_FALSE(memo->HasUndoText());
  memo->SetSelStart(4);
  QTest::keyClicks(memo, "1");
  memo->SetSelStart(0);
  memo->insertPlainText("X");
  EXPECT_EQ(memo->toPlainText(), "Xbase1");
  memo->Undo();
  EXPECT_EQ(memo->toPlainText(), "base1");
  QTest::keyClick(memo, Qt::Key_Escape);
  EXPECT_EQ(memo->toPlainText(), "base");
}

TEST_F(MemoTest, CursorMoveIsReportedAfterEveryKeyRelease) {
  TQelMemo* memo = LoadedMemo("text");
  const int before = cursorMoves;
  QTest::keyClick(memo, Qt::Key_Shift);
  QTest::keyClick(memo, Qt::Key_Control);
  EXPECT_EQ(cursorMoves, before + 2);
}

TEST_F(MemoTest, EscapeWithUndoWhenEscRestoresAndConsumes) {
  TQelMemo* memo = LoadedMemo("keep");
  memo->SetUndoWhenEsc(true);
  memo->SetSelStart(4);
  QTest::keyClicks(memo, "!");
  ASSERT_EQ(memo->toPlainText(), "keep!");
  QTest::keyClick(memo, Qt::Key_Escape);
  EXPECT_EQ(memo->toPlainText(), "keep");
  EXPECT_TRUE(window.passedKeys.isEmpty());
}

// --- the master hook -------------------------------------------------------------

// Stands in for the window's master: records the mode it is asked to set.
class FakeMaster : public QObject, public InputBoxMaster {
 public:
  explicit FakeMaster(QWidget* window) : QObject(window) {}
  QObject* MasterObject() override { return this; }
  bool OverwriteMode() const override { return mode; }
  void SetOverwriteMode(bool value) override {
    ++calls;
    mode = value;
    for (InputBox* box : InputBoxesOf(parent())) {
      box->SetOverwriteMode(value);
    }
  }
  bool UseContextMenu() const override { return menu != nullptr; }
  QMenu* InputBoxMenu() const override { return menu; }

  bool mode = true;
  int calls = 0;
  QMenu* menu = nullptr;
};

TEST_F(EditTest, BoxFindsTheWindowsMasterAndTakesItsModeAndMenu) {
  auto* master = new FakeMaster(&window);
  QMenu menu;
  master->menu = &menu;
  auto* edit = new TQelEdit(&window);
  auto* memo = new TQelMemo(&window);
  EXPECT_EQ(edit->Master(), master);
  EXPECT_EQ(memo->Master(), master);
  EXPECT_TRUE(edit->OverwriteMode());
  EXPECT_EQ(FindInputBoxMaster(&window), master);
  EXPECT_EQ(InputBoxesOf(&window).size(), 2u);
  // Insert goes through the master, which sets every box.
  edit->Loaded();
  memo->Loaded();
  ShowActive(window);
  Focus(*edit);
  QTest::keyClick(edit, Qt::Key_Insert);
  EXPECT_EQ(master->calls, 1);
  EXPECT_FALSE(master->mode);
  EXPECT_FALSE(memo->OverwriteMode());
  // Without DispatchInsMode only the box switches.
  edit->SetDispatchInsMode(false);
  QTest::keyClick(edit, Qt::Key_Insert);
  EXPECT_EQ(master->calls, 1);
  EXPECT_TRUE(edit->OverwriteMode());
  EXPECT_FALSE(memo->OverwriteMode());
  // A master that goes away is forgotten: with DispatchInsMode on again,
  // Insert switches the box alone.
  delete master;
  edit->SetDispatchInsMode(true);
  QTest::keyClick(edit, Qt::Key_Insert);
  EXPECT_FALSE(edit->OverwriteMode());
  EXPECT_FALSE(memo->OverwriteMode());
  QTest::keyClick(edit, Qt::Key_Insert);
  EXPECT_TRUE(edit->OverwriteMode());
}

TEST_F(EditTest, BoxGivenAParentLaterFindsTheMaster) {
  auto* master = new FakeMaster(&window);
  auto edit = std::make_unique<TQelEdit>();
  EXPECT_EQ(edit->Master(), nullptr);
  edit->setParent(&window);
  EXPECT_EQ(edit->Master(), master);
  EXPECT_TRUE(edit->OverwriteMode());
  static_cast<void>(edit.release());  // the window owns it now
}

}  // namespace
}  // namespace pixdeck
