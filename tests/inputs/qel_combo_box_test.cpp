// The history-keeping combo box on real widgets: the list and its picks,
// validation by Enter and by leaving the box, completion, undo, keys and
// clipboard, and owned item objects.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPointer>

#include "input_test_window.h"
#include "inputs/qel_combo_box.h"
#include "inputs/qel_edit.h"

namespace pixdeck {
namespace {

using test::Focus;
using test::KeyRecordingWindow;
using test::ShowActive;

class ComboTest : public ::testing::Test {
 protected:
  // A box of the window with the items and text, loaded, shown, focused.
  TQelComboBox* Box(const QStringList& items, const QString& text = QString(),
                    const std::function<void(TQelComboBox&)>& configure = {}) {
    auto* box = new TQelComboBox(&window);
    box->setObjectName("cmbTest");
    box->SetItems(items);
    box->SetText(text);
    if (configure) {
      configure(*box);
    }
    box->SetOnEdited([this](QObject*) { ++edited; });
    box->SetOnListPick([this, box](QObject*) { picks.append(box->Text()); });
    box->SetOnChange([this](QObject*) { ++changes; });
    box->Loaded();
    ShowActive(window);
    Focus(*box);
    return box;
  }

  static void History(TQelComboBox& box) {
    box.SetAddNewToStart(true);
    box.SetAddNewToList(true);
    box.SetUndoWhenEsc(true);
  }

  // Picks the item from the open list with the mouse, as the user does.
  static void PickFromList(TQelComboBox& box, int index) {
    box.showPopup();
    QAbstractItemView* view = box.view();
    QApplication::processEvents();
    const QRect rect = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QApplication::processEvents();
  }

  KeyRecordingWindow window;
  int edited = 0;
  int changes = 0;
  QStringList picks;
};

TEST_F(ComboTest, HistoryAddsNewTextAtTheStartOnEnter) {
  TQelComboBox* box = Box({"*.gif", "*.jpg"}, "*.gif", History);
  box->lineEdit()->selectAll();
  QTest::keyClicks(box, "*.png");
  EXPECT_TRUE(box->Modified());
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(box->Items(), (QStringList{"*.png", "*.gif", "*.jpg"}));
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(box->Text(), "*.png");
  EXPECT_TRUE(box->hasFocus());  // validated without leaving the box
  // The key goes on to the window (its default button) with the new text.
  EXPECT_EQ(window.passedKeys, QList<int>{Qt::Key_Return});
  EXPECT_EQ(picks.last(), "*.png");
}

TEST_F(ComboTest, EnterInAnUnmodifiedBoxPassesOn) {
  TQelComboBox* box = Box({"a", "b"}, "a", History);
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(window.passedKeys, QList<int>{Qt::Key_Return});
  EXPECT_FALSE(box->CommitText());
}

TEST_F(ComboTest, APickedItemMovesToTheStartBeforeThePickIsReported) {
  TQelComboBox* box = Box({"a", "b", "c"}, "a", History);
  QStringList orderSeen;
  box->SetOnListPick([&](QObject*) { orderSeen = box->Items(); });
  PickFromList(*box, 2);
  EXPECT_EQ(box->Items(), (QStringList{"c", "a", "b"}));
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(box->Text(), "c");
  EXPECT_EQ(orderSeen, (QStringList{"c", "a", "b"}));
  EXPECT_TRUE(box->Modified());
}

TEST_F(ComboTest, WithoutAddNewToStartAPickKeepsTheOrder) {
  TQelComboBox* box = Box({"a", "b", "c"}, "a");
  PickFromList(*box, 2);
  EXPECT_EQ(box->Items(), (QStringList{"a", "b", "c"}));
  EXPECT_EQ(box->ItemIndex(), 2);
  EXPECT_EQ(box->Text(), "c");
  EXPECT_EQ(picks, QStringList{"c"});
}

TEST_F(ComboTest, PickingTheShownItemAgainReportsNoPick) {
  TQelComboBox* box = Box({"a", "b"}, "a", History);
  box->SetItemIndex(1);
  PickFromList(*box, 1);
  EXPECT_TRUE(picks.isEmpty());
  EXPECT_EQ(box->Items(), (QStringList{"a", "b"}));
}

TEST_F(ComboTest, LimitToListRefusesUnlistedTextByRestoringTheUndoText) {
  TQelComboBox* box = Box({"red", "green"}, "red", [](TQelComboBox& b) { b.SetLimitToList(true); });
  box->lineEdit()->selectAll();
  QTest::keyClicks(box, "blue");
  EXPECT_EQ(box->Text(), "blue");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(box->Text(), "red");  // no message: the undo text comes back
  EXPECT_EQ(box->Items(), (QStringList{"red", "green"}));
  EXPECT_TRUE(window.passedKeys.isEmpty());
}

TEST_F(ComboTest, LimitToListAsksItsHandlerWhichMayRefuseOrAdd) {
  QStringList asked;
  TQelComboBox* box = Box({"red", "green"}, "red", [&](TQelComboBox& b) {
    b.SetLimitToList(true);
    b.SetOnNotInList([&](QObject*, QString& text, QVariant&, bool& accept) {
      asked.append(text);
      accept = text == "teal";
      text = text.toUpper();
    });
  });
  box->lineEdit()->selectAll();
  QTest::keyClicks(box, "blue");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(asked, QStringList{"blue"});
  EXPECT_EQ(box->Text(), "red");
  EXPECT_TRUE(window.passedKeys.isEmpty());  // refused: the key ends here
  box->lineEdit()->selectAll();
  QTest::keyClicks(box, "teal");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(box->Items(), (QStringList{"red", "green", "TEAL"}));
  EXPECT_EQ(box->Text(), "TEAL");
  EXPECT_EQ(box->ItemIndex(), 2);
  EXPECT_EQ(window.passedKeys, QList<int>{Qt::Key_Return});  // accepted: it goes on
}

TEST_F(ComboTest, LeavingTheBoxValidatesToo) {
  TQelComboBox* box = Box({"red", "green"}, "red", [](TQelComboBox& b) { b.SetLimitToList(true); });
  auto* other = new TQelEdit(&window);
  other->show();
  box->lineEdit()->selectAll();
  QTest::keyClicks(box, "plum");
  ASSERT_EQ(box->Text(), "plum");
  other->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(box->Text(), "red");
  EXPECT_EQ(box->Items(), (QStringList{"red", "green"}));
}

TEST_F(ComboTest, LeavingWithAHandlerTakesTheFocusBackBeforeAsking) {
  bool focusedWhenAsked = false;
  TQelComboBox* box = Box({"red", "green"}, "red", [&](TQelComboBox& b) {
    b.SetLimitToList(true);
    b.SetOnNotInList([&](QObject*, QString&, QVariant&, bool& accept) {
      focusedWhenAsked = b.hasFocus();
      accept = false;
    });
  });
  auto* other = new TQelEdit(&window);
  other->show();
  box->lineEdit()->selectAll();
  QTest::keyClicks(box, "plum");
  ASSERT_EQ(box->Text(), "plum");
  other->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  EXPECT_TRUE(focusedWhenAsked);
  EXPECT_TRUE(box->hasFocus());
  EXPECT_EQ(box->Text(), "red");
}

TEST_F(ComboTest, AddNewToListWithoutHandlerAddsTheNewTextWhenLeft) {
  TQelComboBox* box = Box({"a.htm"}, "a.htm", History);
  auto* other = new TQelEdit(&window);
  other->show();
  box->lineEdit()->selectAll();
  QTest::keyClicks(box, "b.htm");
  other->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(box->Items(), (QStringList{"b.htm", "a.htm"}));
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(picks.last(), "b.htm");
  EXPECT_TRUE(other->hasFocus());
}

TEST_F(ComboTest, AddNewToListAndLimitToListExcludeEachOther) {
  TQelComboBox box;
  box.SetLimitToList(true);
  box.SetAddNewToList(true);
  EXPECT_FALSE(box.LimitToList());
  box.SetLimitToList(true);
  EXPECT_FALSE(box.AddNewToList());
  box.SetLimitToList(false);
  EXPECT_FALSE(box.AddNewToList());
}

TEST_F(ComboTest, CompletionKeepsTheTypedLettersCase) {
  TQelComboBox* box = Box({"*.gif", "*.JPG"}, "", History);
  QTest::keyClicks(box, "*.j");
  EXPECT_EQ(box->Text(), "*.jPG");
  EXPECT_EQ(box->SelStart(), 3);
  EXPECT_EQ(box->SelText(), "PG");
  EXPECT_EQ(box->Items(), (QStringList{"*.JPG", "*.gif"}));  // picked, so moved to the start
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(edited, 3);
  // The next letter goes over the suggestion and completes again.
  QTest::keyClicks(box, "p");
  EXPECT_EQ(box->Text(), "*.jpG");
  EXPECT_EQ(box->SelText(), "G");
}

TEST_F(ComboTest, BackspaceAfterCompletionRemovesTheTailWithoutCompletingAgain) {
  TQelComboBox* box = Box({"alpha", "beta"}, "");
  QTest::keyClicks(box, "al");
  EXPECT_EQ(box->Text(), "alpha");
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(box->Text(), "al");
  EXPECT_EQ(box->SelLength(), 0);
}

TEST_F(ComboTest, UnmatchedTypingDropsTheListSelectionAndKeepsTheText) {
  TQelComboBox* box = Box({"alpha", "beta"}, "");
  QTest::keyClicks(box, "b");
  EXPECT_EQ(box->ItemIndex(), 1);
  QTest::keyClick(box, Qt::Key_Delete);  // the selected tail goes
  QTest::keyClicks(box, "x");
  EXPECT_EQ(box->Text(), "bx");
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_EQ(box->SelStart(), 2);
}

TEST_F(ComboTest, WithoutAutoPickCompletionChangesTheIndexSilently) {
  TQelComboBox* box = Box({"alpha", "beta"}, "", [](TQelComboBox& b) { b.SetAutoPickItem(false); });
  QTest::keyClicks(box, "be");
  EXPECT_EQ(box->Text(), "beta");
  EXPECT_EQ(box->SelText(), "ta");
  EXPECT_EQ(box->ItemIndex(), 1);
  EXPECT_TRUE(picks.isEmpty());
}

TEST_F(ComboTest, EscapeRestoresThenClearsModifiedThenPassesOn) {
  TQelComboBox* box = Box({"one", "two"}, "one", History);
  box->lineEdit()->selectAll();
  QTest::keyClicks(box, "zzz");
  ASSERT_EQ(box->Text(), "zzz");
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_EQ(box->Text(), "one");
  EXPECT_TRUE(box->Modified());
  EXPECT_TRUE(window.passedKeys.isEmpty());
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_FALSE(box->Modified());
  EXPECT_TRUE(window.passedKeys.isEmpty());
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_EQ(window.passedKeys, QList<int>{Qt::Key_Escape});
}

TEST_F(ComboTest, EscapeUndoesOnlyWhenAskedToAndAlone) {
  // Without UndoWhenEsc the key passes on and the text stays.
  TQelComboBox* box = Box({"one", "two"}, "one");
  box->lineEdit()->selectAll();
  QTest::keyClicks(box, "zzz");
  ASSERT_EQ(box->Text(), "zzz");
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_EQ(box->Text(), "zzz");
  EXPECT_TRUE(box->Modified());
  EXPECT_EQ(window.passedKeys, QList<int>{Qt::Key_Escape});
  // With it, Escape with a shift key held is no undo either.
  box->SetUndoWhenEsc(true);
  QTest::keyClick(box, Qt::Key_Escape, Qt::ShiftModifier);
  EXPECT_EQ(box->Text(), "zzz");
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_EQ(box->Text(), "one");
}

TEST_F(ComboTest, InitialTextIsAddedWithoutAskingAndBecomesTheUndoText) {
  bool asked = false;
  TQelComboBox* box = Box({"a"}, "a", [&](TQelComboBox& b) {
    History(b);
    b.SetOnNotInList([&](QObject*, QString&, QVariant&, bool&) { asked = true; });
  });
  box->SetInitialText("new.htm");
  EXPECT_FALSE(asked);
  EXPECT_EQ(box->Items(), (QStringList{"new.htm", "a"}));
  EXPECT_FALSE(box->Modified());
  EXPECT_EQ(box->UndoText(), "new.htm");
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_EQ(box->Text(), "new.htm");
  EXPECT_EQ(window.passedKeys, QList<int>{Qt::Key_Escape});
}

TEST_F(ComboTest, EmptyInitialTextEmptiesTheBox) {
  TQelComboBox* box = Box({"a", "b"}, "");
  box->SetInitialText("b");
  EXPECT_EQ(box->ItemIndex(), 1);
  box->SetInitialText("");
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_EQ(box->Text(), "");
  EXPECT_FALSE(box->Modified());
}

TEST_F(ComboTest, IndexOfTextFollowsCaseSensitive) {
  TQelComboBox* box = Box({"ABC", "def"});
  EXPECT_EQ(box->IndexOfText("abc"), 0);
  box->SetCaseSensitive(true);
  EXPECT_EQ(box->IndexOfText("abc"), -1);
  EXPECT_EQ(box->IndexOfText("ABC"), 0);
  box->SetSorted(true);
  EXPECT_EQ(box->IndexOfText("def"), 1);
}

TEST_F(ComboTest, SortedListAppendsNewItemsAtTheirPlace) {
  TQelComboBox* box = Box({"b", "d"}, "", [](TQelComboBox& b) {
    b.SetSorted(true);
    History(b);
  });
  box->AddItem("c");
  EXPECT_EQ(box->Items(), (QStringList{"b", "c", "d"}));
  EXPECT_EQ(box->ItemIndex(), 1);
  // An item equal to listed ones but for letter case goes after them.
  box->AddItem("B");
  EXPECT_EQ(box->Items(), (QStringList{"b", "B", "c", "d"}));
  EXPECT_EQ(box->ItemIndex(), 1);
  EXPECT_EQ(box->AddObject("b"), 2);
  EXPECT_EQ(box->Items(), (QStringList{"b", "B", "b", "c", "d"}));
  EXPECT_EQ(box->AddObject("D"), 5);
  EXPECT_EQ(box->Items(), (QStringList{"b", "B", "b", "c", "d", "D"}));
}

TEST_F(ComboTest, ItemsAddedToAnEmptyBoxThatMayBeEmptySelectNothing) {
  TQelComboBox* box = Box({}, "typed");
  box->AddObject("first");
  box->InsertObject(0, "second");
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_EQ(box->Text(), "typed");
  EXPECT_TRUE(picks.isEmpty());
  // So making the text empty is a plain text change, not a deselection.
  box->SetInitialText("");
  EXPECT_EQ(box->Text(), "");
  EXPECT_TRUE(picks.isEmpty());
}

TEST_F(ComboTest, NoEmptyTextInABoxThatMustHaveAValue) {
  TQelComboBox* box = Box({"first", "second"}, "", [](TQelComboBox& b) { b.SetAllowNull(false); });
  // Loading selected the first item.
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(box->Text(), "first");
  EXPECT_TRUE(box->Modified());
  box->SetItemIndex(1);
  picks.clear();
  changes = 0;
  box->lineEdit()->selectAll();
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(box->Text(), "first");
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(picks, QStringList{"first"});
  EXPECT_EQ(changes, 1);
  box->ClearAll();
  EXPECT_EQ(box->Text(), "first");
}

TEST_F(ComboTest, FirstItemAddedToAnEmptyBoxIsSelectedWhenAValueIsNeeded) {
  TQelComboBox* box = Box({}, "", [](TQelComboBox& b) { b.SetAllowNull(false); });
  box->AddObject("only");
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(box->Text(), "only");
}

TEST_F(ComboTest, DeletingTheSelectedItemSelectsItsNeighbour) {
  TQelComboBox* box = Box({"a", "b", "c"}, "", [](TQelComboBox& b) { b.SetAllowNull(false); });
  box->SetItemIndex(2);
  box->DeleteItem(2);
  EXPECT_EQ(box->Items(), (QStringList{"a", "b"}));
  EXPECT_EQ(box->ItemIndex(), 1);
  EXPECT_EQ(box->Text(), "b");
}

TEST_F(ComboTest, DeletingTheOnlyItemEmptiesTheTextAndMarksTheBox) {
  TQelComboBox* box = Box({"a"}, "a");
  box->SetItemIndex(0);
  box->DeleteItem(0);
  EXPECT_EQ(box->Text(), "");
  EXPECT_TRUE(box->Modified());
  EXPECT_EQ(box->ItemIndex(), -1);
}

TEST_F(ComboTest, OwnedObjectsAreFreedOnceOnDeletionAndNeverOnAMove) {
  TQelComboBox* box = Box({}, "", [](TQelComboBox& b) {
    History(b);
    b.SetDestroyObjects(true);
  });
  auto* first = new QObject;
  auto* second = new QObject;
  QPointer<QObject> firstAlive(first);
  QPointer<QObject> secondAlive(second);
  box->AddObject("one", QVariant::fromValue<QObject*>(first));
  box->AddObject("two", QVariant::fromValue<QObject*>(second));
  PickFromList(*box, 1);  // moves "two" to the start
  EXPECT_EQ(box->Items(), (QStringList{"two", "one"}));
  EXPECT_FALSE(secondAlive.isNull());
  EXPECT_EQ(box->ItemObject(0).value<QObject*>(), second);
  box->DeleteItem(0);
  EXPECT_TRUE(secondAlive.isNull());
  EXPECT_FALSE(firstAlive.isNull());
  delete box;  // the remaining owned object goes with the box
  EXPECT_TRUE(firstAlive.isNull());
}

TEST_F(ComboTest, ObjectsAreNotTheBoxsWithoutDestroyObjects) {
  TQelComboBox* box = Box({});
  QObject object;
  QPointer<QObject> alive(&object);
  box->AddObject("x", QVariant::fromValue<QObject*>(&object));
  box->SetItemIndex(0);
  box->DeleteItem(0);
  EXPECT_FALSE(alive.isNull());
}

TEST_F(ComboTest, ReadOnlyBoxIgnoresEditingKeysAndDisablesEditingEntries) {
  QApplication::clipboard()->setText("clip");
  TQelComboBox* box = Box({"a", "b"}, "a", [](TQelComboBox& b) { b.SetReadOnly(true); });
  box->SetItemIndex(0);
  box->lineEdit()->selectAll();
  QTest::keyClicks(box, "x");
  EXPECT_EQ(box->Text(), "a");
  // The keys that would delete or step through the list end in the box: the
  // read-only edit part would refuse them too, but pass them on to the
  // window.
  window.passedKeys.clear();
  for (const Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Down, Qt::Key_Up}) {
    QTest::keyClick(box, key);
    EXPECT_EQ(box->Text(), "a") << key;
    EXPECT_EQ(box->ItemIndex(), 0) << key;
  }
  EXPECT_TRUE(window.passedKeys.isEmpty());
  EXPECT_FALSE(box->CanCut());
  EXPECT_FALSE(box->CanPaste());
  EXPECT_FALSE(box->CanClear());
  EXPECT_TRUE(box->HasSelection());
  box->SetSelLength(0);
  box->SetOverwriteMode(true);
  EXPECT_TRUE(box->OverwriteMode());
  EXPECT_EQ(box->SelLength(), 0);
}

TEST_F(ComboTest, MenuCutCopiesAndRemovesWithoutCompleting) {
  TQelComboBox* box = Box({"alpha", "alps"}, "alpha");
  box->lineEdit()->setSelection(3, 2);
  box->CutSelection();
  EXPECT_EQ(QApplication::clipboard()->text(), "ha");
  EXPECT_EQ(box->Text(), "alp");
  EXPECT_TRUE(box->Modified());
}

TEST_F(ComboTest, RefusedPasteDoesNothingAndOverwritePasteInserts) {
  QApplication::clipboard()->setText("XY");
  bool allow = false;
  TQelComboBox* box = Box({}, "abcd", [&](TQelComboBox& b) {
    b.SetOnPaste([&](QObject*, bool& accept) { accept = allow; });
  });
  box->SetSelStart(1);
  box->SetOverwriteMode(true);
  EXPECT_EQ(box->SelText(), "b");
  box->PasteSelection();
  EXPECT_EQ(box->Text(), "abcd");
  EXPECT_EQ(box->SelText(), "b");
  EXPECT_FALSE(box->Modified());
  allow = true;
  box->PasteSelection();
  EXPECT_EQ(box->Text(), "aXYbcd");
  EXPECT_EQ(box->SelText(), "b");
  EXPECT_TRUE(box->Modified());
  EXPECT_EQ(edited, 1);
}

TEST_F(ComboTest, OverwriteTypingAndShiftRight) {
  TQelComboBox* box = Box({}, "abcd");
  box->SetSelStart(1);
  box->SetOverwriteMode(true);
  QTest::keyClicks(box, "X");
  EXPECT_EQ(box->Text(), "aXcd");
  EXPECT_EQ(box->SelText(), "c");
  QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(box->SelText(), "cd");
  QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_TRUE(box->OverwriteMode());
  QTest::keyClick(box, Qt::Key_Insert);
  EXPECT_FALSE(box->OverwriteMode());
}

TEST_F(ComboTest, CaretKeysAndAForgottenInsertReachTheModel) {
  TQelComboBox* box = Box({}, "abcd");
  box->SetSelStart(1);
  box->SetOverwriteMode(true);
  ASSERT_EQ(box->SelText(), "b");
  QTest::keyClick(box, Qt::Key_Right);
  EXPECT_EQ(box->SelStart(), 2);
  EXPECT_EQ(box->SelText(), "c");
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(box->Text(), "acd");
  EXPECT_EQ(box->SelText(), "c");
  // An Insert pressed here and released after the focus went and came back
  // is forgotten.
  auto* other = new TQelEdit(&window);
  other->Loaded();
  other->show();
  QTest::keyPress(box, Qt::Key_Insert);
  Focus(*other);
  Focus(*box);
  QTest::keyRelease(box, Qt::Key_Insert);
  EXPECT_TRUE(box->OverwriteMode());
}

TEST_F(ComboTest, ModeSetWithoutFocusSelectsNothingUntilClicked) {
  TQelComboBox* box = Box({}, "abcd");
  auto* other = new TQelEdit(&window);
  other->show();
  Focus(*other);
  box->SetSelStart(1);
  box->SetOverwriteMode(true);
  EXPECT_EQ(box->SelLength(), 0);
  QTest::mouseClick(box->lineEdit(), Qt::LeftButton, {}, QPoint(4, box->lineEdit()->height() / 2));
  EXPECT_EQ(box->SelLength(), 1);
}

TEST_F(ComboTest, BoxDisabledAtLoadGetsItsFontColourBackWhenEnabled) {
  auto* box = new TQelComboBox(&window);
  const QColor before = box->palette().color(QPalette::Active, QPalette::Text);
  box->setEnabled(false);
  box->Loaded();
  EXPECT_EQ(box->palette().color(QPalette::Active, QPalette::Text),
            box->palette().color(QPalette::Active, QPalette::Button));
  box->setEnabled(true);
  EXPECT_EQ(box->palette().color(QPalette::Active, QPalette::Text), before);
}

}  // namespace
}  // namespace pixdeck
