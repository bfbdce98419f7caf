#include <cwchar>
#include <string>

#include "platform/collate.h"
#include "text/utf8.h"

namespace pixdeck::platform {

int CompareTextLocale(std::string_view a, std::string_view b) {
  // Fold case first, then let the user's LC_COLLATE order the letters.
  auto fold = [](std::string_view text) {
    std::u32string folded = DecodeUtf8(text);
    std::wstring wide;
    wide.reserve(folded.size());
    for (char32_t c : folded) {
      wide.push_back(static_cast<wchar_t>(FoldCase(c)));
    }
    return wide;
  };
  const std::wstring wa = fold(a);
  const std::wstring wb = fold(b);
  const int order = std::wcscoll(wa.c_str(), wb.c_str());
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}  // namespace pixdeck::platform
