#include "inputs/input_box_menu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "inputs/popup_menu.h"

namespace pixdeck {
namespace {

QStringList Captions(const QMenu& menu) {
  QStringList captions;
  for (const QAction* a : menu.actions()) {
    captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
  }
  return captions;
}

class InputBoxMenuTest : public ::testing::Test {
 protected:
  void SetUp() override { window.resize(300, 200); }

  TInputBoxMenu* NewMenu(const QString& name = QStringLiteral("qx_InputBoxMenu")) {
    auto* menu = new TInputBoxMenu(&window);
    menu->setObjectName(name);
    return menu;
  }

  void Show() {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
  }

  // Opens the menu over the control as a right click would, then closes it.
  static void PopUpOver(TInputBoxMenu& menu, QWidget& control) {
    menu.PopupFor(&control, control.mapToGlobal(QPoint(5, 5)));
    menu.hide();
  }

  QWidget window;
};

TEST_F(InputBoxMenuTest, NamedMenuBuildsAllTenEntriesInOrder) {
  TInputBoxMenu* menu = NewMenu();
  ASSERT_EQ(menu->actions().size(), 10);
  EXPECT_EQ(Captions(*menu), (QStringList{"&Undo", "&Overwrite Mode", "-", "Cu&t", "&Copy",
                                          "&Paste", "&Delete", "C&lear All", "-", "Select &All"}));
  for (const QAction* a : menu->actions()) {
    if (a->isSeparator()) {
      EXPECT_TRUE(a->text().isEmpty()) << "a separator's caption would be drawn beside its line";
    }
  }
  const QStringList suffixes{"_Undo",  "_Overwrite", "_Break1", "_Cut",    "_Copy",
                             "_Paste", "_Delete",    "_Clear",  "_Break2", "_SelectAll"};
  const QStringList hints{"Undo changes to input text",
                          "Toggle Insert/Overwrite mode",
                          "",
                          "Cut selected text to clipboard",
                          "Copy selected text to clipboard",
                          "Paste text from clipboard to input box",
                          "Delete selected text",
                          "Clear all text from input box",
                          "",
                          "Select all text in input box"};
  for (int e = 0; e < kShowMenuCount; ++e) {
    QAction* item = menu->actions().at(e);
    EXPECT_EQ(item, menu->EntryItem(static_cast<TShowMenu>(e)));
    EXPECT_EQ(item->objectName(), "qx_InputBoxMenu" + suffixes[e]);
    EXPECT_EQ(item->data().toInt(), e);
    EXPECT_EQ(item->statusTip(), hints[e]);
    EXPECT_EQ(item->toolTip().isEmpty() || item->isSeparator(), hints[e].isEmpty());
    // The items belong to the window, not to the menu.
    EXPECT_EQ(item->parent(), &window);
  }
  EXPECT_TRUE(menu->EntryItem(smOverwrite)->isCheckable());
  EXPECT_FALSE(menu->EntryItem(smCopy)->isCheckable());
  EXPECT_TRUE(menu->EntryItem(smBreak1)->isSeparator());
  EXPECT_TRUE(menu->EntryItem(smBreak2)->isSeparator());
  EXPECT_EQ(menu->ShowInMenu(), TShowMenuSet::All());
  EXPECT_EQ(menu->ShowInMenuBits(), 0x3FFu);
}

TEST_F(InputBoxMenuTest, UnnamedMenuHasNoEntriesYet) {
  TInputBoxMenu menu(&window);
  EXPECT_TRUE(menu.actions().isEmpty());
  EXPECT_EQ(menu.ShowInMenu(), TShowMenuSet::All());
}

TEST_F(InputBoxMenuTest, CopyAndSelectAllOnlyShowsExactlyThoseTwo) {
  TInputBoxMenu* menu = NewMenu();
  menu->SetShowInMenu({smCopy, smSelectAll});
  EXPECT_EQ(Captions(*menu), (QStringList{"&Copy", "Select &All"}));
  EXPECT_EQ(menu->EntryItem(smUndo), nullptr);
  EXPECT_EQ(window.findChild<QAction*>("qx_InputBoxMenu_Undo"), nullptr);
  EXPECT_EQ(window.findChild<QAction*>("qx_InputBoxMenu_Break1"), nullptr);
}

TEST_F(InputBoxMenuTest, MenuBuiltWithALimitedSetFromTheStart) {
  auto* menu = new TInputBoxMenu(&window);
  menu->SetShowInMenuBits((1u << smCopy) | (1u << smSelectAll));
  menu->setObjectName("qx_InputBoxMenu");
  EXPECT_EQ(Captions(*menu), (QStringList{"&Copy", "Select &All"}));
  EXPECT_EQ(menu->actions().at(0)->objectName(), "qx_InputBoxMenu_Copy");
}

TEST_F(InputBoxMenuTest, RemovingAndAddingUndoAtRunTime) {
  TInputBoxMenu* menu = NewMenu();
  QPointer<QAction> oldUndo = menu->EntryItem(smUndo);
  TShowMenuSet set = menu->ShowInMenu();
  set.Exclude(smUndo);
  menu->SetShowInMenu(set);
  EXPECT_TRUE(oldUndo.isNull()) << "the dropped entry's item is freed";
  EXPECT_EQ(menu->actions().size(), 9);
  EXPECT_EQ(menu->actions().first()->text(), "&Overwrite Mode");

  set.Include(smUndo);
  menu->SetShowInMenu(set);
  ASSERT_EQ(menu->actions().size(), 10);
  QAction* undo = menu->actions().first();
  EXPECT_EQ(undo, menu->EntryItem(smUndo));
  EXPECT_EQ(undo->text(), "&Undo");
  EXPECT_EQ(undo->objectName(), "qx_InputBoxMenu_Undo");
}

TEST_F(InputBoxMenuTest, EntryAddedLaterGoesToItsPlaceInTheOrder) {
  TInputBoxMenu* menu = NewMenu();
  menu->SetShowInMenu({smCopy, smSelectAll});
  menu->SetShowInMenu({smCut, smCopy, smPaste, smSelectAll});
  EXPECT_EQ(Captions(*menu), (QStringList{"Cu&t", "&Copy", "&Paste", "Select &All"}));
}

TEST_F(InputBoxMenuTest, DeletingAnEntryItemDropsItsEntry) {
  TInputBoxMenu* menu = NewMenu();
  delete menu->EntryItem(smPaste);
  EXPECT_FALSE(menu->ShowInMenu().Contains(smPaste));
  EXPECT_EQ(menu->EntryItem(smPaste), nullptr);
  EXPECT_EQ(menu->actions().size(), 9);
  // A rebuild does not bring it back.
  menu->SetShowInMenu(menu->ShowInMenu());
  EXPECT_EQ(menu->EntryItem(smPaste), nullptr);
}

TEST_F(InputBoxMenuTest, DeletingAnUnrelatedItemOfTheWindowChangesNothing) {
  TInputBoxMenu* menu = NewMenu();
  auto* other = new QAction(QStringLiteral("Other"), &window);
  other->setObjectName("mnuOther");
  menu->addAction(other);
  delete other;
  EXPECT_EQ(menu->ShowInMenu(), TShowMenuSet::All());
  EXPECT_EQ(menu->actions().size(), 10);
}

TEST_F(InputBoxMenuTest, RenamingTheMenuRenamesItsItems) {
  TInputBoxMenu* menu = NewMenu(QStringLiteral("mnuA"));
  menu->setObjectName("mnuB");
  EXPECT_EQ(menu->EntryItem(smUndo)->objectName(), "mnuB_Undo");
  EXPECT_EQ(menu->EntryItem(smSelectAll)->objectName(), "mnuB_SelectAll");
  EXPECT_EQ(menu->actions().size(), 10);
}

TEST_F(InputBoxMenuTest, StoredItemsAreFoundByNameAndKept) {
  // Items the window already has (from its description) are taken, not copied.
  auto* storedCopy = new QAction(QStringLiteral("&Copy"), &window);
  storedCopy->setObjectName("qx_InputBoxMenu_Copy");
  TInputBoxMenu* menu = NewMenu();
  EXPECT_EQ(menu->EntryItem(smCopy), storedCopy);
  EXPECT_EQ(window.findChildren<QAction*>("qx_InputBoxMenu_Copy").size(), 1);
  EXPECT_EQ(menu->actions().at(smCopy), storedCopy);
  EXPECT_EQ(storedCopy->data().toInt(), static_cast<int>(smCopy));

  // It got the menu's click handler.
  auto* edit = new QLineEdit(QStringLiteral("hello"), &window);
  Show();
  QApplication::clipboard()->clear();
  edit->selectAll();
  PopUpOver(*menu, *edit);
  storedCopy->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "hello");
}

TEST_F(InputBoxMenuTest, ItemsOfAnOwnedDialogAreNotTaken) {
  auto* dialog = new QDialog(&window);
  TInputBoxMenu* dialogMenu = new TInputBoxMenu(dialog);
  dialogMenu->setObjectName("qx_InputBoxMenu");
  TInputBoxMenu* menu = NewMenu();
  EXPECT_NE(menu->EntryItem(smUndo), dialogMenu->EntryItem(smUndo));
  EXPECT_EQ(menu->EntryItem(smUndo)->parent(), &window);
  EXPECT_EQ(dialogMenu->actions().size(), 10);
}

TEST_F(InputBoxMenuTest, EarlierPopupHandlerRunsAfterTheEntriesAreSet) {
  auto* menu = new TInputBoxMenu(&window);
  auto* edit = new QLineEdit(&window);
  int calls = 0;
  bool selectAllAtCall = true;
  menu->SetOnPopup([&](QObject* sender) {
    ++calls;
    EXPECT_EQ(sender, menu);
    selectAllAtCall = menu->EntryItem(smSelectAll)->isEnabled();
  });
  menu->setObjectName("qx_InputBoxMenu");
  Show();
  PopUpOver(*menu, *edit);
  EXPECT_EQ(calls, 1);
  // The empty edit disabled Select All before the handler looked.
  EXPECT_FALSE(selectAllAtCall);
}

TEST_F(InputBoxMenuTest, RightClickOnAControlWithTheMenuOpensItForThatControl) {
  TInputBoxMenu* menu = NewMenu();
  auto* edit = new QLineEdit(QStringLiteral("abc"), &window);
  auto* memo = new QPlainTextEdit(QStringLiteral("memo"), &window);
  memo->move(0, 40);
  SetPopupMenu(edit, menu);
  SetPopupMenu(memo, menu);
  EXPECT_EQ(PopupMenuOf(edit), menu);
  Show();

  QContextMenuEvent onEdit(QContextMenuEvent::Mouse, QPoint(3, 3), edit->mapToGlobal(QPoint(3, 3)));
  QApplication::sendEvent(edit, &onEdit);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->PopupComponent(), edit);
  menu->hide();

  // A memo's right clicks arrive at its viewport.
  QContextMenuEvent onMemo(QContextMenuEvent::Mouse, QPoint(3, 3),
                           memo->viewport()->mapToGlobal(QPoint(3, 3)));
  QApplication::sendEvent(memo->viewport(), &onMemo);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->PopupComponent(), memo);
  menu->hide();

  SetPopupMenu(edit, nullptr);
  EXPECT_EQ(PopupMenuOf(edit), nullptr);
}

TEST_F(InputBoxMenuTest, ComboBoxMadeEditableLaterOpensTheMenuFromItsEditPart) {
  TInputBoxMenu* menu = NewMenu();
  auto* combo = new QComboBox(&window);
  SetPopupMenu(combo, menu);
  combo->setEditable(true);
  Show();
  QWidget* part = combo->lineEdit();
  QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), part->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(part, &click);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->PopupComponent(), combo);
  menu->hide();
}

TEST_F(InputBoxMenuTest, FreedMenuIsForgottenByItsControls) {
  auto* menu = NewMenu();
  auto* edit = new QLineEdit(&window);
  SetPopupMenu(edit, menu);
  QAction* undo = window.findChild<QAction*>("qx_InputBoxMenu_Undo");
  ASSERT_NE(undo, nullptr);
  delete menu;
  EXPECT_EQ(PopupMenuOf(edit), nullptr);
  // The entry items stay with the window and no longer reach the menu: no
  // connection of theirs is left to break.
  EXPECT_FALSE(QObject::disconnect(undo, &QAction::triggered, nullptr, nullptr));
  EXPECT_FALSE(QObject::disconnect(undo, &QObject::destroyed, nullptr, nullptr));
  undo->trigger();
  delete undo;
}

// --- the platform's own edits --------------------------------------------

TEST_F(InputBoxMenuTest, PlainEditDisablesOverwriteAndKeepsItsCheckMark) {
  TInputBoxMenu* menu = NewMenu();
  auto* edit = new QLineEdit(QStringLiteral("some text"), &window);
  Show();
  QAction* overwrite = menu->EntryItem(smOverwrite);
  overwrite->setCheckable(true);
  overwrite->setChecked(true);
  PopUpOver(*menu, *edit);
  EXPECT_FALSE(overwrite->isEnabled());
  EXPECT_TRUE(overwrite->isChecked());
  EXPECT_TRUE(edit->hasFocus()) << "the menu focuses the control it opens over";
}

TEST_F(InputBoxMenuTest, PlainEditEntriesFollowItsState) {
  TInputBoxMenu* menu = NewMenu();
  auto* edit = new QLineEdit(QStringLiteral("some text"), &window);
  Show();
  QApplication::clipboard()->setText(QStringLiteral("clip"));
  edit->setSelection(0, 4);
  PopUpOver(*menu, *edit);
  EXPECT_FALSE(menu->EntryItem(smUndo)->isEnabled());
  EXPECT_TRUE(menu->EntryItem(smCut)->isEnabled());
  EXPECT_TRUE(menu->EntryItem(smCopy)->isEnabled());
  EXPECT_TRUE(menu->EntryItem(smPaste)->isEnabled());
  EXPECT_TRUE(menu->EntryItem(smDelete)->isEnabled());
  EXPECT_TRUE(menu->EntryItem(smClear)->isEnabled());
  EXPECT_TRUE(menu->EntryItem(smSelectAll)->isEnabled());

  edit->setReadOnly(true);
  PopUpOver(*menu, *edit);
  EXPECT_FALSE(menu->EntryItem(smCut)->isEnabled());
  EXPECT_TRUE(menu->EntryItem(smCopy)->isEnabled());
  EXPECT_FALSE(menu->EntryItem(smPaste)->isEnabled());
  EXPECT_FALSE(menu->EntryItem(smDelete)->isEnabled());
  EXPECT_FALSE(menu->EntryItem(smClear)->isEnabled());
  EXPECT_TRUE(menu->EntryItem(smSelectAll)->isEnabled());

  edit->setReadOnly(false);
  edit->clear();
  QApplication::clipboard()->clear();
  PopUpOver(*menu, *edit);
  EXPECT_FALSE(menu->EntryItem(smCopy)->isEnabled());
  EXPECT_FALSE(menu->EntryItem(smPaste)->isEnabled());
  EXPECT_FALSE(menu->EntryItem(smClear)->isEnabled());
  EXPECT_FALSE(menu->EntryItem(smSelectAll)->isEnabled());
}

TEST_F(InputBoxMenuTest, PlainEditUndoIsEnabledAfterAnEdit) {
  TInputBoxMenu* menu = NewMenu();
  auto* edit = new QLineEdit(&window);
  Show();
  edit->setFocus();
  QTest::keyClicks(edit, "ab");
  PopUpOver(*menu, *edit);
  EXPECT_TRUE(menu->EntryItem(smUndo)->isEnabled());
  menu->EntryItem(smUndo)->trigger();
  EXPECT_EQ(edit->text(), "");
}

TEST_F(InputBoxMenuTest, ClicksReachThePlainEdit) {
  TInputBoxMenu* menu = NewMenu();
  auto* edit = new QLineEdit(QStringLiteral("hello world"), &window);
  Show();
  // Each command is chosen from a menu just opened over the edit.
  auto choose = [&](TShowMenu entry) {
    PopUpOver(*menu, *edit);
    menu->EntryItem(entry)->trigger();
  };

  choose(smSelectAll);
  EXPECT_EQ(edit->selectedText(), "hello world");

  edit->setSelection(0, 6);
  choose(smCut);
  EXPECT_EQ(edit->text(), "world");
  EXPECT_EQ(QApplication::clipboard()->text(), "hello ");

  edit->setCursorPosition(5);
  choose(smPaste);
  EXPECT_EQ(edit->text(), "worldhello ");

  edit->setSelection(0, 5);
  choose(smDelete);
  EXPECT_EQ(edit->text(), "hello ");

  choose(smClear);
  EXPECT_EQ(edit->text(), "");
}

TEST_F(InputBoxMenuTest, DeleteWithoutASelectionRemovesNothing) {
  TInputBoxMenu* menu = NewMenu();
  auto* edit = new QLineEdit(QStringLiteral("abc"), &window);
  Show();
  edit->setCursorPosition(0);
  PopUpOver(*menu, *edit);
  EXPECT_FALSE(menu->EntryItem(smDelete)->isEnabled());
  // Even when the command arrives regardless of the entry's state.
  menu->EntryItem(smDelete)->setEnabled(true);
  menu->EntryItem(smDelete)->trigger();
  EXPECT_EQ(edit->text(), "abc");
}

TEST_F(InputBoxMenuTest, ClicksReachThePlainMemo) {
  TInputBoxMenu* menu = NewMenu();
  auto* memo = new QPlainTextEdit(QStringLiteral("line one\nline two"), &window);
  Show();
  PopUpOver(*menu, *memo);
  EXPECT_FALSE(menu->EntryItem(smOverwrite)->isEnabled());
  EXPECT_FALSE(menu->EntryItem(smCopy)->isEnabled());
  menu->EntryItem(smSelectAll)->trigger();
  EXPECT_EQ(memo->textCursor().selectedText().size(), 17);
  PopUpOver(*menu, *memo);
  menu->EntryItem(smCopy)->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "line one\nline two");
  PopUpOver(*menu, *memo);
  menu->EntryItem(smDelete)->trigger();
  EXPECT_EQ(memo->toPlainText(), "");
}

TEST_F(InputBoxMenuTest, OtherControlsLeaveTheEntriesAndGetNothing) {
  TInputBoxMenu* menu = NewMenu();
  auto* button = new QPushButton(QStringLiteral("OK"), &window);
  Show();
  menu->EntryItem(smCut)->setEnabled(false);
  menu->EntryItem(smCopy)->setEnabled(true);
  PopUpOver(*menu, *button);
  EXPECT_FALSE(menu->EntryItem(smCut)->isEnabled());
  EXPECT_TRUE(menu->EntryItem(smCopy)->isEnabled());
  menu->EntryItem(smClear)->trigger();
  EXPECT_EQ(button->text(), "OK");
}

}  // namespace
}  // namespace pixdeck
