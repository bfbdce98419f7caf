// Native key messages as the editing model takes them.
#pragma once

#include <windows.h>

#include "editing/edit_control.h"

namespace pixdeck::wininputs {

// The key of a WM_KEYDOWN or WM_KEYUP and the modifiers held with it at the
// time of the message (GetKeyState).
editing::KeyStroke StrokeOf(WPARAM virtualKey);

}  // namespace pixdeck::wininputs
