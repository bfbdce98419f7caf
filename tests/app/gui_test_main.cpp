// The window tests need one application object for the whole run.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

#include "app/app_setup.h"
#include "gui_test_environment.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests (at build time) and running them need no display.
  const pixdeck::test::GuiTestEnvironment environment;
  QApplication app(argc, argv);
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  pixdeck::SetUpApplication();
  return RUN_ALL_TESTS();
}
