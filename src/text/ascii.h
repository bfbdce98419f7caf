// ASCII-only text helpers: the comparisons and trimming that ignore every
// byte above 0x7F, as the INI rules, the folder comparisons on Windows and
// the desktop-entry files want.
#pragma once

#include <string>
#include <string_view>

namespace pixdeck {

// The blanks that trimming removes: space, tab, line feed, vertical tab,
// form feed and carriage return.
inline constexpr std::string_view kAsciiBlanks = " \t\n\v\f\r";

constexpr char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}
constexpr char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c;
}
std::string UpperAscii(std::string_view text);
bool EqualsNoCaseAscii(std::string_view a, std::string_view b);
// True when text begins with prefix, ASCII case ignored.
bool StartsWithNoCaseAscii(std::string_view text, std::string_view prefix);

// text without the kAsciiBlanks at its two ends.
std::string_view TrimAscii(std::string_view text);

}  // namespace pixdeck
