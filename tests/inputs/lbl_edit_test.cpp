#include "inputs/lbl_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "inputs/enh_label.h"
#include "inputs/input_box.h"

namespace pixdeck {
namespace {

// A window built as a window description builds it: the edit, its label
// (the edit as the label's buddy), the stored properties, then loading.
class LblEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(400, 300);
    edit = new TLblEdit(&window);
    edit->setObjectName("edtOutputName");
    edit->setGeometry(16, 30, 217, 21);
    label = new TEnhLabel(&window);
    label->setObjectName("lbledtOutputName");
    label->SetAutoSize(false);
    label->setGeometry(16, 15, 66, 13);
    label->setText("Output name:");
    label->SetDisabledColor(QColor(128, 128, 128));
    label->SetFontColor(QColor(0, 0, 0));
    edit->setProperty("LabelPos", lpTop);
    edit->setProperty("LabelMargin", 2);
    edit->setProperty("LabelRelLeft", 0);
    edit->setProperty("LabelRelTop", -15);
    label->setBuddy(edit);
  }

  void LoadAndShow() {
    LoadInputBoxes(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  QWidget window;
  TLblEdit* edit = nullptr;
  TEnhLabel* label = nullptr;
};

TEST_F(LblEditTest, DescriptionValuesAreStoredAndTheBuddyLabelPlacedAtLoad) {
  // The offsets written after the position did not turn it into a custom one.
  EXPECT_EQ(edit->LabelPos(), lpTop);
  EXPECT_EQ(edit->LabelComponent(), nullptr);
  LoadAndShow();
  EXPECT_EQ(edit->LabelComponent(), label);
  EXPECT_EQ(edit->LabelPos(), lpTop);
  EXPECT_EQ(label->pos(), QPoint(16, 15));
  EXPECT_EQ(edit->LabelRelTop(), -15);
  EXPECT_EQ(edit->LabelText(), "Output name");
}

TEST_F(LblEditTest, LabelFollowsTheEditWhenItMovesAndResizes) {
  LoadAndShow();
  edit->move(100, 120);
  EXPECT_EQ(label->pos(), QPoint(100, 105));
  edit->SetLabelPos(lpRight);
  edit->resize(150, 21);
  EXPECT_EQ(label->pos(), QPoint(100 + 150 + 2, 123));
  edit->setGeometry(10, 200, 80, 21);
  EXPECT_EQ(label->pos(), QPoint(10 + 80 + 2, 203));
}

TEST_F(LblEditTest, LabelGreysWhenTheEditIsDisabled) {
  LoadAndShow();
  edit->setEnabled(false);
  EXPECT_EQ(label->FontColor(), QColor(128, 128, 128));
  EXPECT_TRUE(label->isEnabled());
  // A click on the greyed label does not focus the edit.
  QTest::mouseClick(label, Qt::LeftButton);
  EXPECT_FALSE(edit->hasFocus());
  edit->setEnabled(true);
  EXPECT_EQ(label->FontColor(), QColor(0, 0, 0));
  QApplication::setActiveWindow(&window);
  QTest::mouseClick(label, Qt::LeftButton);
  EXPECT_TRUE(edit->hasFocus());
}

TEST_F(LblEditTest, EditDisabledAtLoadHasAGreyLabelFromTheStart) {
  edit->setEnabled(false);
  LoadAndShow();
  EXPECT_TRUE(label->ShowDisabled());
}

TEST_F(LblEditTest, HidingTheEditHidesTheLabel) {
  LoadAndShow();
  edit->hide();
  EXPECT_FALSE(label->isVisible());
  edit->move(50, 80);
  edit->show();
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->pos(), QPoint(50, 65));
}

TEST_F(LblEditTest, EditMadeInCodeCreatesItsOwnLabel) {
  LoadAndShow();
  auto* own = new TLblEdit(&window);
  own->setObjectName("edtX");
  own->setGeometry(100, 50, 100, 21);
  own->show();
  own->SetLabelText("Name");
  auto* created = qobject_cast<TEnhLabel*>(own->LabelComponent());
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->objectName(), "lbl_edtX");
  EXPECT_EQ(created->text(), "Name:");
  EXPECT_TRUE(created->isVisible());
  // lpLeft with margin 8 by default, three pixels below the edit's top.
  EXPECT_EQ(created->x() + created->width() + 8, 100);
  EXPECT_EQ(created->y(), 53);

  own->setObjectName("edtY");
  EXPECT_EQ(created->objectName(), "lbl_edtY");

  QPointer<QLabel> guard = created;
  delete own;
  EXPECT_TRUE(guard.isNull());
}

TEST_F(LblEditTest, PropertyWritesAfterLoadingActAtOnce) {
  LoadAndShow();
  edit->setProperty("LabelRelTop", -30);
  EXPECT_EQ(edit->LabelPos(), lpCustom);
  EXPECT_EQ(label->y(), 0);
}

}  // namespace
}  // namespace pixdeck
