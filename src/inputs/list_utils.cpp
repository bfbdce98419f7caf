#include "inputs/list_utils.h"

#include "editing/list_search.h"
#include "inputs/edit_keys.h"
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

namespace {

// The user's locale order for the editing layer's searches.
class LocaleOrder : public editing::TextOrder {
 public:
  int CompareStr(const editing::Text& a, const editing::Text& b) const override {
    return pixdeck::CompareStr(edit_keys::FromText(a), edit_keys::FromText(b));
  }
  int CompareText(const editing::Text& a, const editing::Text& b) const override {
    return pixdeck::CompareText(edit_keys::FromText(a), edit_keys::FromText(b));
  }
};

const LocaleOrder kLocaleOrder;

editing::TextList TextsOf(const QStringList& list) {
  editing::TextList texts;
  texts.reserve(list.size());
  for (const QString& item : list) {
    texts.push_back(edit_keys::ToText(item));
  }
  return texts;
}

}  // namespace

const editing::TextOrder& LocaleTextOrder() {
  return kLocaleOrder;
}

bool FindSorted(const QStringList& list, bool firstMatch, bool caseSensitive, const QString& text,
                int& index) {
  return editing::FindSorted(TextsOf(list), kLocaleOrder, firstMatch, caseSensitive,
                             edit_keys::ToText(text), index);
}

bool FindSortedNoCase(const QStringList& list, const QString& text, int& index) {
  return editing::FindSortedNoCase(TextsOf(list), kLocaleOrder, edit_keys::ToText(text), index);
}

int FindPrefix(const QStringList& list, bool sorted, const QString& text) {
  return editing::FindPrefix(TextsOf(list), kLocaleOrder, sorted, edit_keys::ToText(text));
}

void CompleteFromList(const QStringList& list, bool sorted, const QString& text, int& index,
                      int& selStart, int& selLength, QString& completed) {
  editing::Text done;
  editing::CompleteFromList(TextsOf(list), kLocaleOrder, sorted, edit_keys::ToText(text), index,
                            selStart, selLength, done);
  completed = edit_keys::FromText(done);
}

}  // namespace pixdeck
