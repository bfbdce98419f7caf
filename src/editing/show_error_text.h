// The fixed messages of the input and labelled controls' errors: an error
// code and a text (usually a component's name) made into one sentence, for
// every toolkit's exception.
#pragma once

#include <cstdint>

#include "editing/edit_control.h"

namespace pixdeck::editing {

// The message for a code and a text; an unknown code gives the text itself
// ("Undefined exception (?)" when it is empty).
Text ShowErrorMessage(std::uint16_t code, const Text& text);

}  // namespace pixdeck::editing
