// Texts of windows and controls as the core's UTF-8, through the wide (W)
// functions.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace pixdeck {

std::string WindowText(HWND window);
void SetWindowTextUtf8(HWND window, std::string_view text);
std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, std::string_view text);

}  // namespace pixdeck
