// Sort keys for catalog names, so that a large catalog folds and collates each
// name once instead of once per comparison.
#pragma once

#include <string>
#include <string_view>

namespace pixdeck {

// True when this system has sort keys that order exactly like
// platform::CompareTextLocale; elsewhere the catalog compares names directly.
bool HaveSortKeys();

// Makes the keys of names under the locale that is current when it is made:
// comparing two keys byte by byte (memcmp, then the shorter first) gives the
// order of platform::CompareTextLocale on the names (case folded, then the
// user's LC_COLLATE).
class SortKeyMaker {
 public:
  SortKeyMaker();

  // Appends the key of name to out.
  void Append(std::string& out, std::string_view name);

 private:
  bool codePointOrder_ = false;  // the locale collates by code point
  std::wstring folded_;          // scratch, reused from name to name
  std::wstring transformed_;
};

// The key of one name under the current locale.
std::string SortKeyOf(std::string_view name);

}  // namespace pixdeck
