#include "app/command_line.h"

#include <string_view>

#include "util/version.h"

namespace pixdeck {

std::optional<int> AnswerInfoOptions(int argc, const char* const* argv, std::ostream& out) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      out << "Opens the window that turns a folder of pictures into a web page.\n"
             "Usage: pixdeck [OPTIONS]\n"
             "\n"
             "Options:\n"
             "  -h,--help                   Print this help message and exit\n"
             "  --version                   Display program version information and exit\n"
             "\n"
             "The window takes no other arguments; Qt's own options (such as -platform)\n"
             "apply. pixdeck-cli makes the same page from the command line.\n";
      return 0;
    }
    if (arg == "--version") {
      out << "pixdeck " << kVersionText << '\n';
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace pixdeck
