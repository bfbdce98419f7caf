#include "inputs/list_utils.h"

#include <algorithm>

#include "platform/collate.h"

namespace pixdeck {

int CompareStr(const QString& a, const QString& b) {
  const int order = QString::localeAwareCompare(a, b);
  if (order != 0) {
    return order < 0 ? -1 : 1;
  }
  // Texts that the locale ranks alike but that differ are still different.
  const int exact = a.compare(b);
  return exact < 0 ? -1 : (exact > 0 ? 1 : 0);
}

int CompareText(const QString& a, const QString& b) {
  return platform::CompareTextLocale(a.toStdString(), b.toStdString());
}

bool FindSorted(const QStringList& list, bool firstMatch, bool caseSensitive, const QString& text,
                int& index) {
  int lo = 0;
  int hi = static_cast<int>(list.size()) - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const int order = caseSensitive ? CompareStr(list[mid], text) : CompareText(list[mid], text);
    if (order < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (order == 0) {
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

bool FindSortedNoCase(const QStringList& list, const QString& text, int& index) {
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
    const int order = CompareText(text, list[index]);
    if (order == 0) {
      searching = false;
    } else if (order > 0) {
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
  const int order = CompareText(text, list[index]);
  if (order > 0) {
    ++index;
    return false;
  }
  return order == 0;
}

namespace {

bool StartsWithNoCase(const QString& item, const QString& text) {
  return CompareText(item.left(text.size()), text) == 0;
}

}  // namespace

int FindPrefix(const QStringList& list, bool sorted, const QString& text) {
  const int count = static_cast<int>(list.size());
  if (count == 0) {
    return -1;
  }
  if (sorted) {
    int index = 0;
    if (FindSortedNoCase(list, text, index)) {
      return index;
    }
    index = std::min(index, count - 1);
    return StartsWithNoCase(list[index], text) ? index : -1;
  }
  for (int i = 0; i < count; ++i) {
    if (StartsWithNoCase(list[i], text)) {
      return i;
    }
  }
  return -1;
}

void CompleteFromList(const QStringList& list, bool sorted, const QString& text, int& index,
                      int& selStart, int& selLength, QString& completed) {
  completed = text;
  selLength = -1;
  index = text.isEmpty() ? -1 : FindPrefix(list, sorted, text);
  if (index < 0 || index >= list.size()) {
    return;
  }
  const QString& item = list[index];
  const int typed = static_cast<int>(text.size());
  const int full = static_cast<int>(item.size());
  if (typed < full) {
    completed = text + item.mid(typed);
    selLength = full - typed;
  } else if (typed == full) {
    selLength = 0;
  }
  selStart = typed;
}

}  // namespace pixdeck
