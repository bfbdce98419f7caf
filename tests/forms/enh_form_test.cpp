#include "forms/enh_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

namespace pixdeck {
namespace {

// A dialog built like a window read from its description: sized, then loaded.
class DesignedDialog : public TEnhForm {
 public:
  DesignedDialog() {
    resize(376, 288);
    Loaded();
  }
  int afterCreateCalls = 0;

 protected:
  void AfterCreate() override { ++afterCreateCalls; }
};

void ShowAndActivate(QWidget& w) {
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QApplication::setActiveWindow(&w);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

TEST(EnhForm, RecordsItsDesignSizeWhenLoaded) {
  DesignedDialog dlg;
  EXPECT_EQ(dlg.DesignWidth(), 376);
  EXPECT_EQ(dlg.DesignHeight(), 288);
  EXPECT_FALSE(dlg.Activated());
  EXPECT_FALSE(dlg.FixedSize());
}

TEST(EnhForm, FixedSizeDialogCannotBeResizedOnceShown) {
  DesignedDialog dlg;
  dlg.SetFixedSize(true);
  ShowAndActivate(dlg);
  EXPECT_TRUE(dlg.Activated());

  dlg.resize(600, 500);
  QApplication::processEvents();
  EXPECT_EQ(dlg.size(), QSize(376, 288));
  dlg.resize(100, 80);
  QApplication::processEvents();
  EXPECT_EQ(dlg.size(), QSize(376, 288));
}

TEST(EnhForm, MaximisingAFixedSizeDialogKeepsItsSizeAndPlace) {
  DesignedDialog dlg;
  dlg.SetFixedSize(true);
  dlg.move(40, 50);
  ShowAndActivate(dlg);
  const QPoint before = dlg.pos();

  dlg.showMaximized();
  QApplication::processEvents();
  QTest::qWait(20);
  EXPECT_EQ(dlg.size(), QSize(376, 288));
  EXPECT_EQ(dlg.pos(), before);
  EXPECT_FALSE(dlg.windowState() & Qt::WindowMaximized);
}

TEST(EnhForm, DialogWithoutFixedSizeCanBeResized) {
  DesignedDialog dlg;
  ShowAndActivate(dlg);
  dlg.resize(500, 400);
  QApplication::processEvents();
  EXPECT_EQ(dlg.size(), QSize(500, 400));
}

TEST(EnhForm, SizeIsFreeUntilTheFirstActivation) {
  DesignedDialog dlg;
  dlg.SetFixedSize(true);
  dlg.resize(420, 300);
  EXPECT_EQ(dlg.size(), QSize(420, 300));
}

TEST(EnhForm, SwitchingFixedSizeOffFreesTheSizeAgain) {
  DesignedDialog dlg;
  dlg.SetFixedSize(true);
  ShowAndActivate(dlg);
  dlg.SetFixedSize(false);
  dlg.resize(500, 400);
  QApplication::processEvents();
  EXPECT_EQ(dlg.size(), QSize(500, 400));
  // Pinned again: back to the design size.
  dlg.SetFixedSize(true);
  QApplication::processEvents();
  EXPECT_EQ(dlg.size(), QSize(376, 288));
}

TEST(EnhForm, UnloadedFormTakesItsSizeAtFirstActivation) {
  TEnhForm dlg;
  dlg.resize(250, 150);
  dlg.SetFixedSize(true);
  ShowAndActivate(dlg);
  EXPECT_EQ(dlg.DesignWidth(), 250);
  EXPECT_EQ(dlg.DesignHeight(), 150);
  dlg.resize(400, 400);
  QApplication::processEvents();
  EXPECT_EQ(dlg.size(), QSize(250, 150));
}

TEST(EnhForm, AfterCreateHookRunsOnceThroughTheEventLoop) {
  DesignedDialog dlg;
  EXPECT_EQ(dlg.afterCreateCalls, 0);
  QApplication::processEvents();
  EXPECT_EQ(dlg.afterCreateCalls, 1);
  QApplication::processEvents();
  EXPECT_EQ(dlg.afterCreateCalls, 1);
}

}  // namespace
}  // namespace pixdeck
