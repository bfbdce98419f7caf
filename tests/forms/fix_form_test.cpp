#include "forms/fix_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

namespace pixdeck {
namespace {

TEST(FixForm, FirstParentlessFormIsTheMainFormAndOwnedFormsAreNot) {
  auto first = std::make_unique<TFixForm>();
  TFixForm second;
  auto* owned = new TFixForm(first.get());  // freed with its owner
  EXPECT_TRUE(first->IsMainForm());
  EXPECT_EQ(TFixForm::MainForm(), first.get());
  EXPECT_FALSE(second.IsMainForm());
  EXPECT_FALSE(owned->IsMainForm());
  first.reset();
  EXPECT_EQ(TFixForm::MainForm(), nullptr);
}

TEST(FixForm, NotMainFormConstructorNeverTakesTheRole) {
  TFixForm form(nullptr, TFixForm::NotMainForm{});
  EXPECT_FALSE(form.IsMainForm());
  EXPECT_EQ(TFixForm::MainForm(), nullptr);
  TFixForm next;
  EXPECT_TRUE(next.IsMainForm());
}

TEST(FixForm, MinimisingWorksByDefault) {
  TFixForm form;
  EXPECT_TRUE(form.AllowMinimize());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.setWindowState(Qt::WindowMinimized);
  QApplication::processEvents();
  EXPECT_TRUE(form.windowState() & Qt::WindowMinimized);
}

TEST(FixForm, MinimiseIsSwallowedWhileNotAllowed) {
  TFixForm form;
  form.SetAllowMinimize(false);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.setWindowState(Qt::WindowMinimized);
  QApplication::processEvents();
  EXPECT_FALSE(form.windowState() & Qt::WindowMinimized);
}

}  // namespace
}  // namespace pixdeck
