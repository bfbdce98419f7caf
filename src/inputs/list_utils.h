// The user's locale order of two texts, and the editing layer's list
// searches and completion (editing/list_search.h) over Qt's string lists in
// that order.
#pragma once

#include <QString>
#include <QStringList>

#include "editing/list_search.h"

namespace pixdeck {

// Locale order of two texts: negative, zero or positive.
int CompareStr(const QString& a, const QString& b);   // letter case counts
int CompareText(const QString& a, const QString& b);  // letter case ignored
// The same order for the editing layer's list rules.
const editing::TextOrder& LocaleTextOrder();

// Binary search over a list sorted in the same comparison order. On return
// index is the equal item met (the first of the equal items with firstMatch),
// or where the text would be inserted.
bool FindSorted(const QStringList& list, bool firstMatch, bool caseSensitive, const QString& text,
                int& index);

// Case-insensitive binary search; index is an equal item's position or the
// insertion position (0 for an empty list).
bool FindSortedNoCase(const QStringList& list, const QString& text, int& index);

// The index of an item that starts with the text, ignoring case, or -1.
int FindPrefix(const QStringList& list, bool sorted, const QString& text);

// Type-ahead completion of the typed text from the list. On a match,
// completed is the typed text (its letter case kept) followed by the rest of
// the item, selStart the typed length and selLength the number of added
// characters (0 when the text equals the item). Without a match index and
// selLength are -1 and selStart keeps the caller's value.
void CompleteFromList(const QStringList& list, bool sorted, const QString& text, int& index,
                      int& selStart, int& selLength, QString& completed);

}  // namespace pixdeck
