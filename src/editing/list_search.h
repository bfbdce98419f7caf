// The searches over a combo box's list and the type-ahead completion from
// it, over a plain list of texts. The order of two texts is the caller's
// (the user's locale, as the toolkit or the system compares them).
// Positions count UTF-16 code units (see edit_control.h).
#pragma once

#include <vector>

#include "editing/edit_control.h"

namespace pixdeck::editing {

using TextList = std::vector<Text>;

// The order of two texts: negative, zero or positive.
class TextOrder {
 public:
  virtual int CompareStr(const Text& a, const Text& b) const = 0;   // letter case counts
  virtual int CompareText(const Text& a, const Text& b) const = 0;  // letter case ignored

 protected:
  ~TextOrder() = default;
};

// Binary search over a list sorted in the same order. On return index is the
// equal item met (the first of the equal items with firstMatch), or where the
// text would be inserted.
bool FindSorted(const TextList& list, const TextOrder& order, bool firstMatch, bool caseSensitive,
                const Text& text, int& index);

// Case-insensitive binary search that halves from both sides; index is an
// equal item's position or the insertion position (0 for an empty list).
bool FindSortedNoCase(const TextList& list, const TextOrder& order, const Text& text, int& index);

// The index of an item that starts with the text, ignoring case, or -1.
int FindPrefix(const TextList& list, const TextOrder& order, bool sorted, const Text& text);

// Type-ahead completion of the typed text from the list. On a match,
// completed is the typed text (its letter case kept) followed by the rest of
// the item, selStart the typed length and selLength the number of added
// units (0 when the text equals the item). Without a match index and
// selLength are -1 and selStart keeps the caller's value.
void CompleteFromList(const TextList& list, const TextOrder& order, bool sorted, const Text& text,
                      int& index, int& selStart, int& selLength, Text& completed);

}  // namespace pixdeck::editing
