// Wildcard matching of file names with the Windows rules.
#pragma once

#include <string_view>

namespace pixdeck {

// True when name matches pattern: "*" matches any run of characters, "?" any
// one character, letters compare without case. As on Windows, "*.*" matches
// every name and a pattern ending in "." also matches a name without any dot
// ("*." finds names without extension). Only the pattern has wildcards: a
// "*" or "?" in the name is a character like any other.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace pixdeck
