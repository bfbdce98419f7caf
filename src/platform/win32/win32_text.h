// Text at the Win32 boundary: UTF-8 inside the program, UTF-16 for the W
// functions.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "text/expected.h"

namespace pixdeck::platform {

// UTF-8 to UTF-16; malformed bytes become U+FFFD.
std::wstring ToWide(std::string_view utf8);
// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string ToUtf8(std::wstring_view wide);
// Bytes in the given code page (CP_ACP for CF_TEXT data) to UTF-8. Zero bytes
// stay where they are.
std::string CodePageToUtf8(std::string_view bytes, UINT codePage);
// The system's text for an error code, without the trailing line break.
std::string SystemErrorText(DWORD code);
// "<what>: <the system's text for code>"
std::string ErrorText(const std::string& what, DWORD code);
// The failure of the call that just set the last-error code.
Unexpected<std::string> LastErrorFailure(const std::string& what);

}  // namespace pixdeck::platform
