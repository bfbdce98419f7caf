// The family's boxes on one window with its master and shared menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "inputs/input_box_master.h"
#include "inputs/input_box_menu.h"
#include "inputs/popup_menu.h"
#include "inputs/qel_combo_box.h"
#include "inputs/qel_edit.h"
#include "inputs/qel_mask_edit.h"
#include "inputs/qel_memo.h"

namespace pixdeck {
namespace {

class InputWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(400, 300);
    menu = new TInputBoxMenu(&window);
    menu->setObjectName("qx_InputBoxMenu");
    master = new TInputBoxMaster(&window);
    master->setObjectName("InputBoxMaster1");
    edit = new TQelEdit(&window);
    edit->setText("first box");
    mask = new TQelMaskEdit(&window);
    mask->move(0, 30);
    memo = new TQelMemo(&window);
    memo->setGeometry(0, 60, 200, 80);
    master->SetInputBoxMenu(menu);
    master->Loaded();
    LoadInputBoxes(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
  }

  void PopUpOver(QWidget& control) {
    menu->PopupFor(&control, control.mapToGlobal(QPoint(2, 2)));
    menu->hide();
  }

  bool Enabled(TShowMenu entry) const { return menu->EntryItem(entry)->isEnabled(); }

  QWidget window;
  TInputBoxMenu* menu = nullptr;
  TInputBoxMaster* master = nullptr;
  TQelEdit* edit = nullptr;
  TQelMaskEdit* mask = nullptr;
  TQelMemo* memo = nullptr;
};

TEST_F(InputWindowTest, EveryBoxSharesTheMenu) {
  EXPECT_EQ(PopupMenuOf(edit), menu);
  EXPECT_EQ(PopupMenuOf(mask), menu);
  EXPECT_EQ(PopupMenuOf(memo), menu);
  EXPECT_EQ(edit->Master(), master);
  EXPECT_EQ(memo->Master(), master);
}

TEST_F(InputWindowTest, OneInsertPressSwitchesEveryBoxAndReportsOnce) {
  int changes = 0;
  master->SetOnModeChange([&](QObject*) { ++changes; });
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Insert);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(master->OverwriteMode());
  EXPECT_TRUE(edit->OverwriteMode());
  EXPECT_TRUE(mask->OverwriteMode());
  EXPECT_TRUE(memo->OverwriteMode());

  QTest::keyClick(edit, Qt::Key_Insert);
  EXPECT_EQ(changes, 2);
  EXPECT_FALSE(memo->OverwriteMode());
}

TEST_F(InputWindowTest, InsertWithoutDispatchSwitchesOnlyThatBox) {
  int changes = 0;
  master->SetOnModeChange([&](QObject*) { ++changes; });
  edit->SetDispatchInsMode(false);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Insert);
  EXPECT_TRUE(edit->OverwriteMode());
  EXPECT_FALSE(mask->OverwriteMode());
  EXPECT_FALSE(master->OverwriteMode());
  EXPECT_EQ(changes, 0);
}

TEST_F(InputWindowTest, BoxAddedLaterTakesTheMastersModeAndMenu) {
  master->SetOverwriteMode(true);
  auto* later = new TQelEdit(&window);
  EXPECT_EQ(later->Master(), master);
  EXPECT_TRUE(later->OverwriteMode());
  EXPECT_EQ(PopupMenuOf(later), menu);
}

TEST_F(InputWindowTest, MenuOverAReadOnlyEditWithASelection) {
  edit->setReadOnly(true);
  edit->setSelection(0, 5);
  QApplication::clipboard()->setText("clip");
  master->SetOverwriteMode(true);
  PopUpOver(*edit);
  EXPECT_TRUE(Enabled(smCopy));
  EXPECT_TRUE(Enabled(smSelectAll));
  EXPECT_FALSE(Enabled(smCut));
  EXPECT_FALSE(Enabled(smDelete));
  EXPECT_FALSE(Enabled(smPaste));
  EXPECT_FALSE(Enabled(smClear));
  EXPECT_FALSE(Enabled(smUndo));
  EXPECT_FALSE(Enabled(smOverwrite));
  EXPECT_TRUE(menu->EntryItem(smOverwrite)->isChecked());
  EXPECT_TRUE(edit->hasFocus());

  // Everything selected: nothing left to select.
  edit->selectAll();
  PopUpOver(*edit);
  EXPECT_FALSE(Enabled(smSelectAll));
}

TEST_F(InputWindowTest, MenuOverAWritableEditAfterAnEdit) {
  edit->setFocus();
  edit->end(false);
  QTest::keyClicks(edit, "!");
  QApplication::clipboard()->setText("clip");
  PopUpOver(*edit);
  EXPECT_TRUE(Enabled(smUndo));
  EXPECT_TRUE(Enabled(smOverwrite));
  EXPECT_FALSE(menu->EntryItem(smOverwrite)->isChecked());
  EXPECT_TRUE(Enabled(smPaste));
  EXPECT_TRUE(Enabled(smClear));
  EXPECT_FALSE(Enabled(smCut));

  menu->EntryItem(smUndo)->trigger();
  EXPECT_EQ(edit->text(), "first box");
}

TEST_F(InputWindowTest, UndoOverAnUnmodifiedEditDoesNothing) {
  int edits = 0;
  edit->SetOnEdited([&](QObject*) { ++edits; });
  edit->setCursorPosition(3);
  PopUpOver(*edit);
  EXPECT_FALSE(Enabled(smUndo));
  menu->EntryItem(smUndo)->setEnabled(true);
  menu->EntryItem(smUndo)->trigger();
  EXPECT_EQ(edit->text(), "first box");
  EXPECT_EQ(edits, 0);
  EXPECT_EQ(edit->cursorPosition(), 3);
}

TEST_F(InputWindowTest, MenuCommandsReachTheBoxes) {
  PopUpOver(*edit);
  menu->EntryItem(smOverwrite)->trigger();
  EXPECT_TRUE(master->OverwriteMode()) << "the entry toggles through the master";
  EXPECT_TRUE(memo->OverwriteMode());

  PopUpOver(*edit);
  menu->EntryItem(smSelectAll)->trigger();
  EXPECT_EQ(edit->selectedText(), "first box");
  PopUpOver(*edit);
  menu->EntryItem(smCopy)->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "first box");
  PopUpOver(*edit);
  menu->EntryItem(smClear)->trigger();
  EXPECT_EQ(edit->text(), "");
  EXPECT_TRUE(edit->isModified());
}

TEST_F(InputWindowTest, ComboBoxSharesTheMenuThroughItsEditPart) {
  auto* combo = new TQelComboBox(&window);
  combo->move(220, 0);
  combo->SetItems({"*.gif", "*.jpg"});
  combo->show();
  EXPECT_EQ(PopupMenuOf(combo), menu);
  combo->SetText("*.png");
  combo->SelectAllText();
  QApplication::clipboard()->setText("clip");

  // A right click on the edit part opens the menu for the combo box.
  QWidget* part = combo->lineEdit();
  ASSERT_NE(part, nullptr);
  QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), part->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(part, &click);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->PopupComponent(), combo);
  menu->hide();
  EXPECT_TRUE(Enabled(smCopy));
  EXPECT_TRUE(Enabled(smCut));
  EXPECT_TRUE(Enabled(smPaste));
  EXPECT_FALSE(Enabled(smSelectAll));

  combo->SetReadOnly(true);
  PopUpOver(*combo);
  EXPECT_TRUE(Enabled(smCopy));
  EXPECT_FALSE(Enabled(smCut));
  EXPECT_FALSE(Enabled(smDelete));
  EXPECT_FALSE(Enabled(smPaste));
  EXPECT_FALSE(Enabled(smClear));
  EXPECT_FALSE(Enabled(smOverwrite));

  menu->EntryItem(smCopy)->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "*.png");
}

TEST_F(InputWindowTest, FreeingTheMenuLeavesNoBoxPointingAtIt) {
  delete menu;
  EXPECT_EQ(PopupMenuOf(edit), nullptr);
  EXPECT_EQ(PopupMenuOf(memo), nullptr);
  EXPECT_EQ(master->InputBoxMenu(), nullptr);
  EXPECT_FALSE(master->UseContextMenu());
}

}  // namespace
}  // namespace pixdeck
