// The shared menu's entries, which the editing layer defines for every
// toolkit, under the names the Qt boxes use.
#pragma once

#include "editing/show_menu.h"

namespace pixdeck {

using editing::kShowMenuCount;
using editing::TShowMenu;
using editing::TShowMenuSet;
using enum editing::TShowMenu;

}  // namespace pixdeck
