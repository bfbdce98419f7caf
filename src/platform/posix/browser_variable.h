// The $BROWSER convention: a list of commands separated by ":", each possibly
// with "%s" and further arguments.
#pragma once

#include <string>

namespace pixdeck::platform {

// The full path of the first command in $BROWSER that names an executable;
// empty when none does or the variable is not set.
std::string ProgramFromBrowserVariable();

}  // namespace pixdeck::platform
