// A window description that places the program's own form class, caption
// labels and labelled boxes, compiled by uic as the windows are.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "forms/enh_form.h"
#include "inputs/enh_label.h"
#include "inputs/input_box.h"
#include "inputs/lbl_combo_box.h"
#include "inputs/lbl_edit.h"
#include "ui_designed_dialog.h"

namespace pixdeck {
namespace {

class DesignedForm : public TEnhForm {
 public:
  DesignedForm() {
    ui.setupUi(this);
    LoadInputBoxes(this);
    Loaded();
  }
  Ui::DesignedDialog ui;
};

TEST(DesignedForm, LabelsAreAttachedAndPlacedFromTheDescription) {
  DesignedForm form;
  TLblEdit* edit = form.ui.edtName;
  EXPECT_EQ(edit->LabelComponent(), form.ui.lbledtName);
  EXPECT_EQ(edit->LabelPos(), lpTop);
  EXPECT_EQ(edit->LabelMargin(), 2);
  EXPECT_EQ(edit->LabelText(), "Name");
  EXPECT_EQ(form.ui.lbledtName->pos(), QPoint(16, 15));
  EXPECT_EQ(edit->text(), "images.htm");
  EXPECT_EQ(edit->UndoText(), "images.htm");

  TLblComboBox* combo = form.ui.cmbSpecs;
  EXPECT_EQ(combo->LabelComponent(), form.ui.lblcmbSpecs);
  EXPECT_EQ(combo->LabelPos(), lpTop);
  EXPECT_EQ(form.ui.lblcmbSpecs->pos(), QPoint(16, 70));

  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  edit->move(40, 120);
  EXPECT_EQ(form.ui.lbledtName->pos(), QPoint(40, 105));
}

TEST(DesignedForm, FixedSizeFromTheDescriptionPinsTheDesignSize) {
  DesignedForm form;
  EXPECT_TRUE(form.FixedSize());
  EXPECT_EQ(form.DesignWidth(), 376);
  EXPECT_EQ(form.DesignHeight(), 200);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  form.resize(500, 400);
  QApplication::processEvents();
  EXPECT_EQ(form.size(), QSize(376, 200));
}

TEST(DesignedForm, ClickOnALabelFocusesItsBox) {
  DesignedForm form;
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QApplication::setActiveWindow(&form);
  form.ui.cmbSpecs->setFocus();
  QTest::mouseClick(form.ui.lbledtName, Qt::LeftButton);
  EXPECT_TRUE(form.ui.edtName->hasFocus());
}

}  // namespace
}  // namespace pixdeck
