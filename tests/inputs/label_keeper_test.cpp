#include "inputs/label_keeper.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "inputs/enh_label.h"
#include "inputs/show_error.h"

namespace pixdeck {
namespace {

// The smallest labelled box: a platform edit that reports to a keeper what a
// labelled box reports.
class KeptEdit : public QLineEdit {
 public:
  explicit KeptEdit(QWidget* parent = nullptr)
      : QLineEdit(parent), keeper(*this, staticMetaObject) {}
  ~KeptEdit() override { keeper.FreeLabel(); }
  void setVisible(bool visible) override {
    keeper.BoxVisibleChanging(visible);
    QLineEdit::setVisible(visible);
  }
  LabelKeeper keeper;

 protected:
  void moveEvent(QMoveEvent* e) override {
    QLineEdit::moveEvent(e);
    keeper.BoxBoundsChanged();
  }
  void resizeEvent(QResizeEvent* e) override {
    QLineEdit::resizeEvent(e);
    keeper.BoxBoundsChanged();
  }
  void changeEvent(QEvent* e) override {
    QLineEdit::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) {
      keeper.BoxEnabledChanged(isEnabled());
    }
  }
};

class LabelKeeperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(400, 300);
    box = new KeptEdit(&window);
    box->setObjectName("edtName");
    box->setGeometry(16, 30, 217, 21);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  // A design-time label of 66 x 13 pixels.
  TEnhLabel* NewLabel(const QString& caption, QWidget* parent) {
    auto* label = new TEnhLabel(caption, parent);
    label->SetAutoSize(false);
    label->setGeometry(0, 0, 66, 13);
    label->show();
    return label;
  }

  QWidget window;
  KeptEdit* box = nullptr;
};

TEST_F(LabelKeeperTest, TopLabelSitsAboveTheBox) {
  TEnhLabel* label = NewLabel("Name:", &window);
  box->keeper.SetLabelComponent(label);
  box->keeper.SetLabelMargin(2);
  box->keeper.SetLabelPos(lpTop);
  EXPECT_EQ(label->pos(), QPoint(16, 15));
  EXPECT_EQ(box->keeper.LabelRelTop(), -15);
  EXPECT_EQ(box->keeper.LabelRelLeft(), 0);
}

TEST_F(LabelKeeperTest, LeftBottomAndRightPlaces) {
  TEnhLabel* label = NewLabel("Name:", &window);
  box->keeper.SetLabelComponent(label);
  box->setGeometry(100, 50, 217, 21);
  box->keeper.SetLabelPos(lpLeft);
  EXPECT_EQ(label->pos(), QPoint(26, 53));

  box->setGeometry(16, 30, 217, 21);
  box->keeper.SetLabelMargin(2);
  box->keeper.SetLabelPos(lpBottom);
  EXPECT_EQ(label->y(), 53);

  box->keeper.SetLabelMargin(8);
  box->keeper.SetLabelPos(lpRight);
  EXPECT_EQ(label->x(), 241);
  EXPECT_EQ(label->y(), 33);
}

TEST_F(LabelKeeperTest, LabelFollowsTheBoxWhenItMovesAndResizes) {
  TEnhLabel* label = NewLabel("Name:", &window);
  box->keeper.SetLabelComponent(label);
  box->keeper.SetLabelPos(lpRight);
  box->move(40, 60);
  EXPECT_EQ(label->pos(), QPoint(40 + 217 + 8, 63));
  box->resize(100, 21);
  EXPECT_EQ(label->pos(), QPoint(40 + 100 + 8, 63));
}

TEST_F(LabelKeeperTest, RelativeOffsetSwitchesToCustomAndIsKeptWhenTheBoxMoves) {
  TEnhLabel* label = NewLabel("Name:", &window);
  box->keeper.SetLabelComponent(label);
  box->keeper.SetLabelPos(lpTop);
  box->keeper.SetLabelRelTop(-30);
  EXPECT_EQ(box->keeper.LabelPos(), lpCustom);
  EXPECT_EQ(label->y(), 0);
  box->move(50, 100);
  EXPECT_EQ(label->pos(), QPoint(50, 70));
}

TEST_F(LabelKeeperTest, DraggingACustomLabelRecordsItsOffsetAndATopLabelSnapsBack) {
  TEnhLabel* label = NewLabel("Name:", &window);
  box->keeper.SetLabelComponent(label);  // attaching makes it custom
  label->move(200, 200);
  EXPECT_EQ(box->keeper.LabelRelLeft(), 200 - 16);
  EXPECT_EQ(box->keeper.LabelRelTop(), 200 - 30);

  box->keeper.SetLabelMargin(2);
  box->keeper.SetLabelPos(lpTop);
  label->move(200, 200);
  EXPECT_EQ(label->pos(), QPoint(16, 15));
}

TEST_F(LabelKeeperTest, LabelTextCreatesAnOwnLabelWithAColon) {
  box->keeper.SetLabelMargin(2);
  box->keeper.SetLabelPos(lpTop);
  box->keeper.SetLabelText("Name");
  auto* label = qobject_cast<TEnhLabel*>(box->keeper.LabelComponent());
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "Name:");
  EXPECT_EQ(box->keeper.LabelText(), "Name");
  EXPECT_EQ(label->objectName(), "lbl_edtName");
  EXPECT_EQ(label->parentWidget(), &window);
  EXPECT_EQ(label->FocusControl(), box);
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->pos(), QPoint(16, 30 - label->height() - 2));

  box->keeper.SetLabelText("Name:");
  EXPECT_EQ(label->text(), "Name:");
}

TEST_F(LabelKeeperTest, ColonCanBeSwitchedOffAndOn) {
  box->keeper.SetLabelText("Name");
  QLabel* label = box->keeper.LabelComponent();
  box->keeper.SetLabelColon(false);
  EXPECT_EQ(label->text(), "Name");
  EXPECT_EQ(box->keeper.LabelText(), "Name");
  box->keeper.SetLabelColon(true);
  EXPECT_EQ(label->text(), "Name:");
}

TEST_F(LabelKeeperTest, AttachedLabelDecidesTheColon) {
  TEnhLabel* label = NewLabel("Found...", &window);
  box->keeper.SetLabelComponent(label);
  EXPECT_FALSE(box->keeper.LabelColon());
  EXPECT_EQ(box->keeper.LabelText(), "Found...");
  EXPECT_EQ(label->FocusControl(), box);
}

TEST_F(LabelKeeperTest, LabelAcceptsTheLeftPlaceAfterCaptionWidthChanges) {
  box->setGeometry(150, 30, 100, 21);
  box->keeper.SetLabelText("Name");
  QLabel* label = box->keeper.LabelComponent();
  EXPECT_EQ(label->x() + label->width() + 8, 150);
  box->keeper.SetLabelText("A far longer name");
  EXPECT_EQ(label->x() + label->width() + 8, 150);
}

TEST_F(LabelKeeperTest, RenamingTheBoxRenamesItsOwnLabelOnly) {
  box->keeper.SetLabelText("Name");
  box->setObjectName("edtOther");
  EXPECT_EQ(box->keeper.LabelComponent()->objectName(), "lbl_edtOther");

  auto* second = new KeptEdit(&window);
  second->setObjectName("cmbSpecs");
  TEnhLabel* label = NewLabel("Specs:", &window);
  label->setObjectName("lblcmbSpecs");
  second->keeper.SetLabelComponent(label);
  second->setObjectName("cmbOther");
  EXPECT_EQ(label->objectName(), "lblcmbSpecs");
}

TEST_F(LabelKeeperTest, NamelessAttachedLabelIsNamedAfterTheBox) {
  TEnhLabel* label = NewLabel("Name:", &window);
  box->keeper.SetLabelComponent(label);
  EXPECT_EQ(label->objectName(), "lbl_edtName");
}

TEST_F(LabelKeeperTest, HidingTheBoxHidesTheLabelAndShowingPlacesIt) {
  box->keeper.SetLabelPos(lpTop);
  box->keeper.SetLabelText("Name");
  QLabel* label = box->keeper.LabelComponent();
  box->hide();
  EXPECT_FALSE(label->isVisible());
  box->move(60, 90);
  box->show();
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->x(), 60);
}

TEST_F(LabelKeeperTest, DisablingTheBoxGreysAnEnhancedLabel) {
  TEnhLabel* label = NewLabel("Name:", &window);
  label->SetDisabledColor(QColor(128, 128, 128));
  label->SetFontColor(QColor(0, 0, 0));
  box->keeper.SetLabelComponent(label);
  box->setEnabled(false);
  EXPECT_TRUE(label->ShowDisabled());
  EXPECT_EQ(label->FontColor(), QColor(128, 128, 128));
  EXPECT_TRUE(label->isEnabled());
  box->setEnabled(true);
  EXPECT_EQ(label->FontColor(), QColor(0, 0, 0));
}

TEST_F(LabelKeeperTest, DisablingTheBoxDisablesAPlainLabel) {
  auto* label = new QLabel("Name:", &window);
  box->keeper.SetLabelComponent(label);
  box->setEnabled(false);
  EXPECT_FALSE(label->isEnabled());
  box->setEnabled(true);
  EXPECT_TRUE(label->isEnabled());
}

TEST_F(LabelKeeperTest, LabelOfAnotherWindowIsRefused) {
  QWidget otherWindow;
  TEnhLabel* own = NewLabel("Name:", &window);
  box->keeper.SetLabelComponent(own);
  TEnhLabel* foreign = NewLabel("Other:", &otherWindow);
  try {
    box->keeper.SetLabelComponent(foreign);
    FAIL() << "no error";
  } catch (const EShowError& e) {
    EXPECT_EQ(e.Code(), 2);
    EXPECT_STREQ(e.what(),
                 "Cannot attach label to edtName. Label and control must be on the same form!");
  }
  EXPECT_EQ(box->keeper.LabelComponent(), own);
}

TEST_F(LabelKeeperTest, PositionIsRefusedForALabelWithAnotherParent) {
  auto* panel = new QWidget(&window);
  TEnhLabel* label = NewLabel("Name:", panel);
  box->keeper.SetLabelComponent(label);
  const int relLeft = box->keeper.LabelRelLeft();
  try {
    box->keeper.SetLabelPos(lpTop);
    FAIL() << "no error";
  } catch (const EShowError& e) {
    EXPECT_EQ(e.Code(), 1);
    EXPECT_STREQ(e.what(),
                 "Cannot set label position. Label parent is different from edtName parent.");
  }
  EXPECT_EQ(box->keeper.LabelPos(), lpCustom);
  EXPECT_EQ(box->keeper.LabelRelLeft(), relLeft);
}

TEST_F(LabelKeeperTest, LabelServingAnotherBoxIsNotTaken) {
  auto* first = new KeptEdit(&window);
  TEnhLabel* label = NewLabel("Name:", &window);
  first->keeper.SetLabelComponent(label);
  TEnhLabel* mine = NewLabel("Mine:", &window);
  box->keeper.SetLabelComponent(mine);
  box->keeper.SetLabelComponent(label);
  EXPECT_EQ(box->keeper.LabelComponent(), nullptr);
  EXPECT_EQ(label->FocusControl(), first);
}

TEST_F(LabelKeeperTest, AttachingAnotherLabelFreesThePresentOne) {
  box->keeper.SetLabelText("Name");
  QPointer<QLabel> own = box->keeper.LabelComponent();
  TEnhLabel* label = NewLabel("Other:", &window);
  box->keeper.SetLabelComponent(label);
  EXPECT_TRUE(own.isNull());
}

TEST_F(LabelKeeperTest, ForgottenLabelStaysAndNoLongerFollows) {
  TEnhLabel* label = NewLabel("Name:", &window);
  box->keeper.SetLabelComponent(label);
  ASSERT_TRUE(label->OnBoundsChange());
  box->keeper.SetLabelComponent(nullptr);
  EXPECT_EQ(box->keeper.LabelComponent(), nullptr);
  const QPoint where = label->pos();
  box->move(100, 100);
  EXPECT_EQ(label->pos(), where);
  // The label no longer reports to the box, which may go before it.
  EXPECT_FALSE(label->OnBoundsChange());
  delete box;
  box = nullptr;
  label->move(5, 5);
  EXPECT_EQ(label->pos(), QPoint(5, 5));
}

TEST_F(LabelKeeperTest, FreeingTheBoxFreesItsLabelAndClosingTheWindowFreesBothOnce) {
  box->keeper.SetLabelText("Name");
  QPointer<QLabel> label = box->keeper.LabelComponent();
  delete box;
  EXPECT_TRUE(label.isNull());

  auto* window2 = new QWidget;
  auto* box2 = new KeptEdit(window2);
  box2->keeper.SetLabelText("Two");
  auto* attached = new TEnhLabel("Three:", window2);
  auto* box3 = new KeptEdit(window2);
  box3->keeper.SetLabelComponent(attached);
  delete window2;  // must not free any label twice
}

TEST_F(LabelKeeperTest, LoadedAttachesTheLabelWhoseBuddyIsTheBoxAndPlacesIt) {
  TEnhLabel* label = NewLabel("Name:", &window);
  box->keeper.SetLoading(true);
  box->keeper.SetLabelPos(lpTop);
  box->keeper.SetLabelMargin(2);
  label->setBuddy(box);
  box->setEnabled(false);
  box->keeper.SetLoading(false);
  box->keeper.BoxLoaded();
  EXPECT_EQ(box->keeper.LabelComponent(), label);
  EXPECT_EQ(box->keeper.LabelPos(), lpTop);
  EXPECT_EQ(label->pos(), QPoint(16, 30 - label->height() - 2));
  EXPECT_TRUE(label->ShowDisabled());
}

}  // namespace
}  // namespace pixdeck
