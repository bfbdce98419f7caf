#include "inputs/enh_label.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

namespace pixdeck {
namespace {

class EnhLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(300, 200);
    box = new QLineEdit(&window);
    box->setGeometry(100, 50, 120, 21);
    label = new TEnhLabel(QStringLiteral("Name:"), &window);
    label->move(20, 53);
    label->SetFocusControl(box);
    label->SetOnBoundsChange([this](QObject* sender) {
      EXPECT_EQ(sender, label);
      ++boundsChanges;
    });
    label->SetOnClick([this](QObject*) { ++clicks; });
    other = new QLineEdit(&window);
    other->setGeometry(100, 100, 120, 21);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
    other->setFocus();
    boundsChanges = 0;
  }

  QWidget window;
  QLineEdit* box = nullptr;
  QLineEdit* other = nullptr;
  TEnhLabel* label = nullptr;
  int boundsChanges = 0;
  int clicks = 0;
};

TEST_F(EnhLabelTest, ClickFocusesTheControlAndFiresOnClick) {
  QTest::mouseClick(label, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(box->hasFocus());
}

TEST_F(EnhLabelTest, ClickWhileShowingDisabledDoesNothing) {
  label->SetLabelDisabled(true);
  QTest::mouseClick(label, Qt::LeftButton);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(box->hasFocus());
  EXPECT_TRUE(other->hasFocus());
  // The label itself stays enabled: its text is painted in the chosen colour.
  EXPECT_TRUE(label->isEnabled());
}

TEST_F(EnhLabelTest, DisabledColourIsShownAndTheFormerColourRestored) {
  label->SetFontColor(QColor(10, 20, 30));
  label->SetDisabledColor(QColor(200, 0, 0));
  label->SetLabelDisabled(true);
  EXPECT_EQ(label->FontColor(), QColor(200, 0, 0));
  // A new disabled colour shows at once.
  label->SetDisabledColor(QColor(0, 0, 200));
  EXPECT_EQ(label->FontColor(), QColor(0, 0, 200));
  // Showing disabled twice keeps the normal colour saved the first time.
  label->SetLabelDisabled(true);
  label->SetLabelDisabled(false);
  EXPECT_EQ(label->FontColor(), QColor(10, 20, 30));
  EXPECT_FALSE(label->ShowDisabled());
}

TEST_F(EnhLabelTest, InheritedColourIsInheritedAgainAfterShowingDisabled) {
  const QColor normal = label->FontColor();
  label->SetDisabledColor(QColor(200, 0, 0));
  label->SetLabelDisabled(true);
  label->SetLabelDisabled(false);
  EXPECT_EQ(label->FontColor(), normal);
  QPalette p = window.palette();
  p.setColor(QPalette::WindowText, QColor(0, 120, 0));
  window.setPalette(p);
  EXPECT_EQ(label->FontColor(), QColor(0, 120, 0));
}

TEST_F(EnhLabelTest, MovingOrResizingTheLabelNotifies) {
  label->move(30, 40);
  EXPECT_GE(boundsChanges, 1);
  const int afterMove = boundsChanges;
  label->resize(label->width() + 10, label->height());
  EXPECT_GT(boundsChanges, afterMove);
}

TEST_F(EnhLabelTest, AutoSizeCaptionChangeNotifiesThroughTheResizeAndKeepsTheHeight) {
  label->SetAutoSize(true);
  label->resize(label->width(), 40);
  boundsChanges = 0;
  const int before = label->width();
  label->setText(QStringLiteral("A much longer caption:"));
  EXPECT_EQ(label->height(), 40);
  EXPECT_GT(label->width(), before);
  EXPECT_GE(boundsChanges, 1);
}

TEST_F(EnhLabelTest, CaptionChangeWithoutAutoSizeNotifiesOnceAndKeepsTheSize) {
  label->SetAutoSize(false);
  label->resize(50, 13);
  boundsChanges = 0;
  label->setText(QStringLiteral("A much longer caption:"));
  EXPECT_EQ(boundsChanges, 1);
  EXPECT_EQ(label->size(), QSize(50, 13));
}

TEST_F(EnhLabelTest, HiddenLabelReportsBoundsSetThroughSetBounds) {
  label->hide();
  boundsChanges = 0;
  label->SetBounds(5, 6, 70, 13);
  EXPECT_EQ(boundsChanges, 1);
  EXPECT_EQ(label->geometry(), QRect(5, 6, 70, 13));
  // Showing it later does not report the same place again.
  label->show();
  QApplication::processEvents();
  EXPECT_EQ(boundsChanges, 1);
}

TEST_F(EnhLabelTest, FontChangeWithoutAutoSizeNotifies) {
  label->SetAutoSize(false);
  boundsChanges = 0;
  QFont f = label->font();
  f.setPointSize(f.pointSize() + 6);
  label->setFont(f);
  EXPECT_EQ(boundsChanges, 1);
}

TEST_F(EnhLabelTest, FontChangeWithAutoSizeRefitsTheLabel) {
  label->SetAutoSize(true);
  const QSize before = label->size();
  QFont f = label->font();
  f.setPointSize(f.pointSize() + 8);
  label->setFont(f);
  EXPECT_GT(label->height(), before.height());
  EXPECT_GT(label->width(), before.width());
}

}  // namespace
}  // namespace pixdeck
