// The window tests need one application object for the whole run.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

#include "app/app_setup.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests (at build time) and running them need no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  pixdeck::SetUpApplication();
  return RUN_ALL_TESTS();
}
