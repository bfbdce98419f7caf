// The user locale's case-insensitive order, as the system sorts.
#include <windows.h>

#include <string>

#include "platform/collate.h"
#include "platform/win32/win32_text.h"

namespace pixdeck::platform {

int CompareTextLocale(std::string_view a, std::string_view b) {
  const std::wstring wa = ToWide(a);
  const std::wstring wb = ToWide(b);
  const int order =
      ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wa.data(), static_cast<int>(wa.size()),
                       wb.data(), static_cast<int>(wb.size()));
  if (order == 0)  // the system could not compare: keep a stable order all the same
    return wa < wb ? -1 : (wb < wa ? 1 : 0);
  return order - CSTR_EQUAL;
}

}  // namespace pixdeck::platform
