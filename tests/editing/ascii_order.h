// A plain ASCII order of texts for the list rules' tests (the locale's own
// order is the input layer's, tested there).
#pragma once

#include "editing/list_search.h"

namespace pixdeck::editing::test_support {

class AsciiOrder : public TextOrder {
 public:
  int CompareStr(const Text& a, const Text& b) const override { return a.compare(b); }
  int CompareText(const Text& a, const Text& b) const override {
    return Upper(a).compare(Upper(b));
  }

 private:
  static Text Upper(Text text) {
    for (char16_t& c : text) {
      if (c >= u'a' && c <= u'z') {
        c = static_cast<char16_t>(c - 32);
      }
    }
    return text;
  }
};

inline const AsciiOrder kOrder;

}  // namespace pixdeck::editing::test_support
