// GoogleTest entry for the GUI suites: one QApplication for the whole run,
// set up as the program sets up its own where the suite links the program's
// windows (the input boxes' suites link only their layer).
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

#if __has_include("app/app_setup.h")
#include "app/app_setup.h"
#define PIXDECK_TEST_APP_SETUP 1
#endif
#include "gui_test_environment.h"

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform reports what it cannot do on every resize; that
// noise hides the test output.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("does not support propagateSizeHints"))) {
    return;
  }
  if (previousHandler != nullptr) {
    previousHandler(type, context, message);
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests (at build time) and running them need no display.
  const pixdeck::test::GuiTestEnvironment environment;
  previousHandler = qInstallMessageHandler(QuietHandler);
  QApplication app(argc, argv);
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
#ifdef PIXDECK_TEST_APP_SETUP
  pixdeck::SetUpApplication();
#endif
  return RUN_ALL_TESTS();
}
