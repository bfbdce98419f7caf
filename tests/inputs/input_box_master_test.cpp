#include "inputs/input_box_master.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>

#include "inputs/input_box_menu.h"
#include "inputs/popup_menu.h"
#include "inputs/show_error.h"

namespace pixdeck {
namespace {

// A box of the family reduced to what the master deals with.
class FakeBox : public QLineEdit, public InputBox {
 public:
  explicit FakeBox(QWidget* parent) : QLineEdit(parent) {}
  QWidget* BoxWidget() override { return this; }
  void Loaded() override {}
  bool OverwriteMode() const override { return mode; }
  void SetOverwriteMode(bool value) override { mode = value; }
  void ToggleOverwriteMode() override {
    if (Master() != nullptr) {
      Master()->SetOverwriteMode(!mode);
    } else {
      SetOverwriteMode(!mode);
    }
  }
  bool DispatchInsMode() const override { return true; }
  bool IsReadOnly() const override { return isReadOnly(); }
  bool HasEditFocus() const override { return hasFocus(); }
  bool CanUndo() const override { return false; }
  bool CanClear() const override { return false; }
  bool CanCut() const override { return false; }
  bool CanPaste() const override { return false; }
  bool HasSelection() const override { return false; }
  bool CanSelectAll() const override { return false; }
  void Undo() override {}
  void CutSelection() override {}
  void CopySelection() override {}
  void PasteSelection() override {}
  void DeleteSelection() override {}
  void ClearAll() override {}
  void SelectAllText() override {}
  using InputBox::AttachToMaster;

  bool mode = false;
};

class InputBoxMasterTest : public ::testing::Test {
 protected:
  QWidget window;
};

TEST_F(InputBoxMasterTest, SecondMasterOfAWindowIsRefusedWithTheExactMessage) {
  auto* first = new TInputBoxMaster(&window);
  first->setObjectName("InputBoxMaster1");
  try {
    new TInputBoxMaster(&window);
    FAIL() << "a second master was made";
  } catch (const EShowError& e) {
    EXPECT_EQ(e.Code(), 3);
    EXPECT_STREQ(e.what(),
                 "There can only be one instance of this component. The current one is called "
                 "InputBoxMaster1.");
  }
  EXPECT_EQ(window.findChildren<TInputBoxMaster*>().size(), 1);
  // A master hung from a widget on the window counts for the window too.
  auto* panel = new QWidget(&window);
  EXPECT_THROW(new TInputBoxMaster(panel), EShowError);
}

TEST_F(InputBoxMasterTest, MastersOfOtherWindowsAndWithoutOwnerAreAccepted) {
  new TInputBoxMaster(&window);
  auto* dialog = new QDialog(&window);
  EXPECT_NO_THROW(new TInputBoxMaster(dialog));
  TInputBoxMaster loose1;
  TInputBoxMaster loose2;
  EXPECT_EQ(loose2.OwnerWindow(), nullptr);
}

TEST_F(InputBoxMasterTest, NewModeIsPushedToEveryBoxAndReportedOnceAfterwards) {
  auto* a = new FakeBox(&window);
  auto* b = new FakeBox(new QWidget(&window));
  auto* master = new TInputBoxMaster(&window);
  int changes = 0;
  master->SetOnModeChange([&](QObject* sender) {
    EXPECT_EQ(sender, master);
    EXPECT_TRUE(a->mode);
    EXPECT_TRUE(b->mode) << "every box is set before the report";
    ++changes;
  });
  master->SetOverwriteMode(true);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(master->OverwriteMode());

  master->SetOverwriteMode(true);
  EXPECT_EQ(changes, 1) << "setting the same value reports nothing";
}

TEST_F(InputBoxMasterTest, BoxesOfAnOwnedDialogKeepTheirMode) {
  auto* master = new TInputBoxMaster(&window);
  auto* dialog = new QDialog(&window);
  auto* inDialog = new FakeBox(dialog);
  master->SetOverwriteMode(true);
  EXPECT_FALSE(inDialog->mode);
}

TEST_F(InputBoxMasterTest, ToggleThroughTheMasterSwitchesTheWholeWindow) {
  auto* a = new FakeBox(&window);
  auto* b = new FakeBox(&window);
  auto* master = new TInputBoxMaster(&window);
  master->Loaded();
  EXPECT_EQ(a->Master(), master);
  EXPECT_EQ(b->Master(), master);
  a->ToggleOverwriteMode();
  EXPECT_TRUE(master->OverwriteMode());
  EXPECT_TRUE(a->mode);
  EXPECT_TRUE(b->mode);
}

TEST_F(InputBoxMasterTest, BoxFindsTheMasterWhenItGetsItsParent) {
  auto* master = new TInputBoxMaster(&window);
  master->SetOverwriteMode(true);
  master->SetUseContextMenu(true);
  auto* box = new FakeBox(&window);
  box->AttachToMaster();
  EXPECT_EQ(box->Master(), master);
  EXPECT_TRUE(box->mode);
  EXPECT_EQ(PopupMenuOf(box), master->InputBoxMenu());
  delete master;
  // A destroyed master is forgotten: the box's Insert switches the box alone
  // instead of reaching for the master.
  auto* other = new FakeBox(&window);
  other->mode = true;
  box->ToggleOverwriteMode();
  EXPECT_FALSE(box->mode);
  EXPECT_TRUE(other->mode);
}

TEST_F(InputBoxMasterTest, SharedMenuGoesToEditLikeControlsWithoutAMenu) {
  auto* box = new FakeBox(&window);
  auto* edit = new QLineEdit(&window);
  auto* memo = new QPlainTextEdit(&window);
  auto* combo = new QComboBox(&window);
  combo->setEditable(true);
  auto* spin = new QSpinBox(&window);
  auto* own = new QMenu(&window);
  auto* withOwn = new QLineEdit(&window);
  SetPopupMenu(withOwn, own);
  auto* master = new TInputBoxMaster(&window);

  master->SetUseContextMenu(true);
  auto* menu = qobject_cast<TInputBoxMenu*>(master->InputBoxMenu());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->objectName(), "qx_InputBoxMenu");
  EXPECT_EQ(menu->actions().size(), 10) << "a menu made at run time builds its entries";
  EXPECT_EQ(PopupMenuOf(box), menu);
  EXPECT_EQ(PopupMenuOf(edit), menu);
  EXPECT_EQ(PopupMenuOf(memo), menu);
  EXPECT_EQ(PopupMenuOf(combo), nullptr);
  EXPECT_EQ(PopupMenuOf(combo->lineEdit()), nullptr);
  EXPECT_EQ(PopupMenuOf(spin), nullptr);
  EXPECT_EQ(PopupMenuOf(withOwn), own);

  master->SetUseContextMenu(false);
  EXPECT_EQ(PopupMenuOf(box), nullptr);
  EXPECT_EQ(PopupMenuOf(edit), nullptr);
  EXPECT_EQ(PopupMenuOf(memo), nullptr);
  EXPECT_EQ(PopupMenuOf(withOwn), own);
  EXPECT_EQ(master->InputBoxMenu(), menu) << "the menu stays known";
}

TEST_F(InputBoxMasterTest, SwitchingOffTakesEveryInputBoxMenuAwayEvenOneGivenByHand) {
  auto* edit = new QLineEdit(&window);
  auto* other = new TInputBoxMenu(&window);
  other->setObjectName("mnuOther");
  auto* master = new TInputBoxMaster(&window);
  master->SetUseContextMenu(true);
  SetPopupMenu(edit, other);
  master->SetUseContextMenu(false);
  EXPECT_EQ(PopupMenuOf(edit), nullptr);
}

TEST_F(InputBoxMasterTest, ExistingMenuOfTheWindowIsTakenByName) {
  auto* menu = new TInputBoxMenu(&window);
  menu->setObjectName("qx_InputBoxMenu");
  auto* master = new TInputBoxMaster(&window);
  master->SetUseContextMenu(true);
  EXPECT_EQ(master->InputBoxMenu(), menu);
  EXPECT_EQ(window.findChildren<TInputBoxMenu*>().size(), 1);
}

TEST_F(InputBoxMasterTest, MenuOfAnOwnedDialogIsNotTaken) {
  auto* dialog = new QDialog(&window);
  auto* dialogMenu = new TInputBoxMenu(dialog);
  dialogMenu->setObjectName("qx_InputBoxMenu");
  auto* master = new TInputBoxMaster(&window);
  master->SetUseContextMenu(true);
  ASSERT_NE(master->SharedMenu(), nullptr);
  EXPECT_NE(master->SharedMenu(), dialogMenu);
  EXPECT_EQ(master->SharedMenu()->Owner(), &window);
}

TEST_F(InputBoxMasterTest, SettingTheMenuSwitchesTheSharingOn) {
  auto* edit = new QLineEdit(&window);
  auto* menu = new TInputBoxMenu(&window);
  menu->setObjectName("mnuEdits");
  auto* master = new TInputBoxMaster(&window);
  master->SetInputBoxMenu(menu);
  EXPECT_TRUE(master->UseContextMenu());
  EXPECT_EQ(PopupMenuOf(edit), menu);
}

TEST_F(InputBoxMasterTest, FreeingTheSharedMenuLeavesNoControlPointingAtIt) {
  auto* box = new FakeBox(&window);
  auto* edit = new QLineEdit(&window);
  auto* master = new TInputBoxMaster(&window);
  master->SetUseContextMenu(true);
  delete master->InputBoxMenu();
  EXPECT_EQ(PopupMenuOf(box), nullptr);
  EXPECT_EQ(PopupMenuOf(edit), nullptr);
  EXPECT_FALSE(master->UseContextMenu());
  EXPECT_EQ(master->InputBoxMenu(), nullptr);
  EXPECT_EQ(window.findChildren<TInputBoxMenu*>().size(), 0) << "no new menu was made";
}

TEST_F(InputBoxMasterTest, RightClickOpensTheSharedMenuForTheBox) {
  auto* edit = new QLineEdit(QStringLiteral("text"), &window);
  auto* master = new TInputBoxMaster(&window);
  master->SetUseContextMenu(true);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), edit->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(edit, &event);
  auto* menu = master->SharedMenu();
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->PopupComponent(), edit);
  menu->hide();
}

}  // namespace
}  // namespace pixdeck
