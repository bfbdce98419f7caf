#include "wininputs/locale_order.h"

#include <windows.h>

#include "wininputs/win_text.h"

namespace pixdeck::wininputs {

namespace {

int Compare(const editing::Text& a, const editing::Text& b, DWORD flags) {
  const int result = CompareStringW(LOCALE_USER_DEFAULT, flags, Wide(a), static_cast<int>(a.size()),
                                    Wide(b), static_cast<int>(b.size()));
  // CSTR_LESS_THAN 1, CSTR_EQUAL 2, CSTR_GREATER_THAN 3; 0 on failure, then
  // the units decide.
  if (result == 0) {
    return a.compare(b);
  }
  return result - CSTR_EQUAL;
}

}  // namespace

int UserLocaleOrder::CompareStr(const editing::Text& a, const editing::Text& b) const {
  return Compare(a, b, 0);
}

int UserLocaleOrder::CompareText(const editing::Text& a, const editing::Text& b) const {
  return Compare(a, b, NORM_IGNORECASE);
}

const UserLocaleOrder& UserLocaleOrder::Instance() {
  static const UserLocaleOrder order;
  return order;
}

}  // namespace pixdeck::wininputs
