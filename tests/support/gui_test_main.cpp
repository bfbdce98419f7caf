// GoogleTest entry for the GUI suites: one QApplication for the whole run,
// set up as the program sets up its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

#include "app/app_setup.h"
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
  pixdeck::SetUpApplication();
  return RUN_ALL_TESTS();
}
