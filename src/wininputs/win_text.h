// Text at the boundary of the native boxes: the controls and the editing
// models count UTF-16 units (wchar_t is 16 bits on Windows), the core above
// them speaks UTF-8.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "editing/edit_control.h"

namespace pixdeck::wininputs {

// UTF-8 to the models' UTF-16; malformed bytes become U+FFFD.
editing::Text FromUtf8(std::string_view utf8);
// The models' UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string ToUtf8(const editing::Text& text);

// A window's whole text (WM_GETTEXT), as the control holds it.
editing::Text WindowText(HWND window);

// The models' text as the W functions take it, and back.
inline const wchar_t* Wide(const editing::Text& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline editing::Text FromWide(std::wstring_view wide) {
  return {reinterpret_cast<const char16_t*>(wide.data()), wide.size()};
}

}  // namespace pixdeck::wininputs
