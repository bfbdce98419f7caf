#include "inputs/lbl_combo_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "inputs/enh_label.h"
#include "inputs/input_box.h"
#include "inputs/lbl_edit.h"

namespace pixdeck {
namespace {

class LblComboBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(400, 300);
    combo = new TLblComboBox(&window);
    combo->setObjectName("cmbSpecs");
    combo->setGeometry(16, 30, 217, 21);
    label = new TEnhLabel(&window);
    label->setObjectName("lblcmbSpecs");
    label->SetAutoSize(false);
    label->setGeometry(16, 15, 80, 13);
    label->setText("File specs:");
    label->SetDisabledColor(QColor(128, 128, 128));
    label->SetFontColor(QColor(0, 0, 0));
    combo->setProperty("LabelRelTop", -15);
    combo->setProperty("LabelPos", lpTop);
    combo->setProperty("LabelMargin", 2);
    label->setBuddy(combo);
    LoadInputBoxes(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  QWidget window;
  TLblComboBox* combo = nullptr;
  TEnhLabel* label = nullptr;
};

TEST_F(LblComboBoxTest, LabelIsPlacedAboveAtLoadAndFollowsMovesAndResizes) {
  EXPECT_EQ(combo->LabelComponent(), label);
  EXPECT_EQ(combo->LabelPos(), lpTop);
  EXPECT_EQ(label->pos(), QPoint(16, 15));
  combo->move(40, 100);
  EXPECT_EQ(label->pos(), QPoint(40, 85));
  combo->SetLabelPos(lpBottom);
  combo->resize(150, 30);
  EXPECT_EQ(label->pos(), QPoint(40, 100 + 30 + 2));
}

TEST_F(LblComboBoxTest, LabelGreysWithTheBoxAndHidesWithIt) {
  combo->setEnabled(false);
  EXPECT_EQ(label->FontColor(), QColor(128, 128, 128));
  combo->setEnabled(true);
  EXPECT_EQ(label->FontColor(), QColor(0, 0, 0));
  combo->hide();
  EXPECT_FALSE(label->isVisible());
  combo->show();
  EXPECT_TRUE(label->isVisible());
}

TEST_F(LblComboBoxTest, ColonFollowsTheAttachedCaption) {
  EXPECT_EQ(combo->LabelText(), "File specs");
  combo->SetLabelColon(false);
  EXPECT_EQ(label->text(), "File specs");
  combo->SetLabelText("Specs");
  EXPECT_EQ(label->text(), "Specs");
}

TEST_F(LblComboBoxTest, LabelServingAnotherComboBoxIsRefusedSilently) {
  auto* second = new TLblComboBox(&window);
  second->setObjectName("cmbOther");
  second->SetLabelComponent(label);
  EXPECT_EQ(second->LabelComponent(), nullptr);
  EXPECT_EQ(label->buddy(), combo);
  // An edit is another class of box: it may take the label over.
  auto* edit = new TLblEdit(&window);
  edit->setObjectName("edtOther");
  edit->SetLabelComponent(label);
  EXPECT_EQ(edit->LabelComponent(), label);
  EXPECT_EQ(label->buddy(), edit);
}

TEST_F(LblComboBoxTest, FreeingTheBoxFreesItsLabel) {
  QPointer<QLabel> guard = label;
  delete combo;
  EXPECT_TRUE(guard.isNull());
}

}  // namespace
}  // namespace pixdeck
