// Pixdeck: turns a folder of pictures into a web page.
#include <QApplication>
#include <clocale>

#include "app/app_setup.h"
#include "app/frm_main.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Sorting and case-insensitive look-ups follow the user's locale.
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  pixdeck::SetUpApplication();
  pixdeck::TfrmMain main;
  main.show();
  return app.exec();
}
