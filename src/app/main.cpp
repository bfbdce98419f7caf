// Pixdeck: turns a folder of pictures into a web page.
#include <QApplication>
#include <clocale>
#include <iostream>

#include "app/app_setup.h"
#include "app/command_line.h"
#include "app/frm_main.h"

int main(int argc, char* argv[]) {
  // Help and version need no display.
  if (const auto status = pixdeck::AnswerInfoOptions(argc, argv, std::cout)) {
    return *status;
  }
  QApplication app(argc, argv);
  // Sorting and case-insensitive look-ups follow the user's locale.
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  pixdeck::SetUpApplication();
  pixdeck::TfrmMain main;
  main.show();
  return QApplication::exec();
}
