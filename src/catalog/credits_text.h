// The window texts made from the maker's credit.
#pragma once

#include <string>

namespace pixdeck {

// "by the Pixdeck project": follows "Pixdeck - " in the main window's caption.
std::string WindowCredit();
std::string MainWindowCaption();
// The program caption and the credit: the window's text in the status panel.
std::string StatusCaption();
// The About box's text, one paragraph per line group.
std::string AboutText();

}  // namespace pixdeck
