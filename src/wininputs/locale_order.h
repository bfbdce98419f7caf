// The order of texts in the user's locale, as the combo box's list searches
// compare them (CompareStringW, with and without letter case).
#pragma once

#include "editing/list_search.h"

namespace pixdeck::wininputs {

class UserLocaleOrder final : public editing::TextOrder {
 public:
  int CompareStr(const editing::Text& a, const editing::Text& b) const override;
  int CompareText(const editing::Text& a, const editing::Text& b) const override;

  static const UserLocaleOrder& Instance();
};

}  // namespace pixdeck::wininputs
