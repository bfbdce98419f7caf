#include "editing/list_search.h"

#include <algorithm>

namespace pixdeck::editing {

bool FindSorted(const TextList& list, const TextOrder& order, bool firstMatch, bool caseSensitive,
                const Text& text, int& index) {
  int lo = 0;
  int hi = static_cast<int>(list.size()) - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const int compared =
        caseSensitive ? order.CompareStr(list[mid], text) : order.CompareText(list[mid], text);
    if (compared < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (compared == 0) {
        found = true;
        if (!firstMatch) {
          lo = mid;
        }
      }
    }
  }
  index = lo;
  return found;
}

bool FindSortedNoCase(const TextList& list, const TextOrder& order, const Text& text, int& index) {
  const int count = static_cast<int>(list.size());
  if (count == 0) {
    index = 0;
    return false;
  }
  int lo = 0;
  int hi = count - 1;
  index = (lo + hi) / 2;
  bool searching = true;
  int span = count;
  while (searching && span > 1) {
    const int compared = order.CompareText(text, list[index]);
    if (compared == 0) {
      searching = false;
    } else if (compared > 0) {
      lo = index;
      index = (index + 1 + hi) / 2;
    } else {
      hi = index;
      index = (index - 1 + lo) / 2;
    }
    span = hi - lo;
  }
  if (!searching) {
    return true;
  }
  const int compared = order.CompareText(text, list[index]);
  if (compared > 0) {
    ++index;
    return false;
  }
  return compared == 0;
}

namespace {

bool StartsWithNoCase(const TextOrder& order, const Text& item, const Text& text) {
  return order.CompareText(item.substr(0, text.size()), text) == 0;
}

}  // namespace

int FindPrefix(const TextList& list, const TextOrder& order, bool sorted, const Text& text) {
  const int count = static_cast<int>(list.size());
  if (count == 0) {
    return -1;
  }
  if (sorted) {
    int index = 0;
    if (FindSortedNoCase(list, order, text, index)) {
      return index;
    }
    index = std::min(index, count - 1);
    return StartsWithNoCase(order, list[index], text) ? index : -1;
  }
  for (int i = 0; i < count; ++i) {
    if (StartsWithNoCase(order, list[i], text)) {
      return i;
    }
  }
  return -1;
}

void CompleteFromList(const TextList& list, const TextOrder& order, bool sorted, const Text& text,
                      int& index, int& selStart, int& selLength, Text& completed) {
  completed = text;
  selLength = -1;
  index = text.empty() ? -1 : FindPrefix(list, order, sorted, text);
  if (index < 0 || index >= static_cast<int>(list.size())) {
    return;
  }
  const Text& item = list[index];
  const int typed = static_cast<int>(text.size());
  const int full = static_cast<int>(item.size());
  if (typed < full) {
    completed = text + item.substr(typed);
    selLength = full - typed;
  } else if (typed == full) {
    selLength = 0;
  }
  selStart = typed;
}

}  // namespace pixdeck::editing
