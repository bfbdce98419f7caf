// Sort keys for catalog names, so that a large catalog folds and collates each
// name once instead of once per comparison.
#pragma once

#include <string>
#include <string_view>

namespace pixdeck {

// True when this system has sort keys that order exactly like
// platform::CompareTextLocale; elsewhere the catalog compares names directly.
bool HaveSortKeys();

// The key of a name: comparing two keys as plain wide strings gives the order
// of platform::CompareTextLocale on the names (case folded, then the user's
// LC_COLLATE).
std::wstring SortKeyOf(std::string_view name);

}  // namespace pixdeck
