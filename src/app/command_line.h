// The window's own command line: it opens with no arguments, and answers
// --help and --version (the only two it knows) without opening.
#pragma once

#include <optional>
#include <ostream>

namespace pixdeck {

// The exit status when the arguments asked for help or the version (printed
// to out), nothing when the window should open. Qt's own options are left
// for QApplication.
std::optional<int> AnswerInfoOptions(int argc, const char* const* argv, std::ostream& out);

}  // namespace pixdeck
