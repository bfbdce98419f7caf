// Locale-aware text comparison.
#pragma once

#include <string>
#include <string_view>

namespace pixdeck::platform {

// Compares two UTF-8 texts ignoring case in the user's locale: negative, zero
// or positive like strcmp. Windows: CompareStringW with NORM_IGNORECASE;
// elsewhere: case-fold, then wcscoll under LC_COLLATE.
int CompareTextLocale(std::string_view a, std::string_view b);

}  // namespace pixdeck::platform
