#include "cli/error_line.h"

#include <cstdio>
#include <ostream>

namespace pixdeck::cli {

std::string OneLine(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      line += "\\n";
    } else if (c == '\r') {
      line += "\\r";
    } else if (c == '\t') {
      line += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      line += code;
    } else if (c == 0xC2 && i + 1 < text.size() &&
               static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
      // The C1 controls of UTF-8 (U+0085 ends a line for some terminals).
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned char>(text[i + 1]));
      line += code;
      ++i;
    } else {
      line += static_cast<char>(c);
    }
  }
  return line;
}

void PrintError(std::ostream& err, std::string_view text) {
  err << kProgramName << ": " << OneLine(text) << '\n' << std::flush;
}

}  // namespace pixdeck::cli
