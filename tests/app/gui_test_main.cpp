// The window tests need one application object for the whole run.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

#include "app/app_setup.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  pixdeck::SetUpApplication();
  return RUN_ALL_TESTS();
}
