// The browse dialogs' filters for the files both windows ask for.
#pragma once

namespace pixdeck {

inline constexpr const char* kHtmlFilter = "HTML (*.htm,*.html)|*.htm;*.html|All Files (*.*)|*.*";
inline constexpr const char* kPatternFilter =
    "Pattern (*.gif,*.jpg)|*.gif;*.jpg|All Files (*.*)|*.*";

}  // namespace pixdeck
