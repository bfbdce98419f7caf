#include <clocale>
#include <iostream>

#include "cli/cli_app.h"

int main(int argc, char** argv) {
  // Sorting and colour names follow the user's locale.
  std::setlocale(LC_ALL, "");
  return pixdeck::cli::RunCli(argc, argv, std::cout, std::cerr);
}
