#include "catalog/sort_key.h"

#include <cwchar>

#include "util/utf8.h"

namespace pixdeck {

#ifdef _WIN32

// CompareStringW has no key of the same order in the standard library.
bool HaveSortKeys() {
  return false;
}

std::wstring SortKeyOf(std::string_view) {
  return {};
}

#else

bool HaveSortKeys() {
  return true;
}

std::wstring SortKeyOf(std::string_view name) {
  // The same folding as the locale comparison, then wcsxfrm, whose results
  // compare with wcscmp as the originals compare with wcscoll.
  std::wstring folded;
  folded.reserve(name.size());
  for (const char32_t c : DecodeUtf8(name)) {
    folded.push_back(static_cast<wchar_t>(FoldCase(c)));
  }
  std::wstring key(folded.size() + 1, L'\0');
  std::size_t length = std::wcsxfrm(key.data(), folded.c_str(), key.size());
  if (length >= key.size()) {
    key.assign(length + 1, L'\0');
    length = std::wcsxfrm(key.data(), folded.c_str(), key.size());
  }
  key.resize(length);
  return key;
}

#endif

}  // namespace pixdeck
