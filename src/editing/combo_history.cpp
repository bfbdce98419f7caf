#include "editing/combo_history.h"

namespace pixdeck::editing {

int ComboHistory::IndexOfText(const Text& text) const {
  const int count = list_.Count();
  if (!options_.sorted) {
    for (int i = 0; i < count; ++i) {
      const Text item = list_.ItemText(i);
      const int diff =
          options_.caseSensitive ? order_.CompareStr(item, text) : order_.CompareText(item, text);
      if (diff == 0) {
        return i;
      }
    }
    return -1;
  }
  TextList items;
  items.reserve(count);
  for (int i = 0; i < count; ++i) {
    items.push_back(list_.ItemText(i));
  }
  int index = -1;
  return FindSorted(items, order_, false, options_.caseSensitive, text, index) ? index : -1;
}

int ComboHistory::SortedPlace(const Text& text) const {
  int place = 0;
  while (place < list_.Count() && order_.CompareText(list_.ItemText(place), text) <= 0) {
    ++place;
  }
  return place;
}

int ComboHistory::NewItemPlace(const Text& text) const {
  if (options_.addNewToStart && !options_.sorted && list_.Count() > 0) {
    return 0;
  }
  return options_.sorted ? SortedPlace(text) : list_.Count();
}

bool ComboHistory::MovePickToStart() {
  const int index = list_.CurrentIndex();
  if (!options_.addNewToStart || index <= 0) {
    return false;
  }
  list_.MoveItem(index, 0);
  list_.SetCurrentIndex(0);
  return true;
}

ComboCheck ComboHistory::Check(const Text& text) const {
  if (text.empty()) {
    return options_.allowNull ? ComboCheck::Empty : ComboCheck::AskEmpty;
  }
  if (!options_.limitToList && !options_.addNewToList) {
    return ComboCheck::Accept;
  }
  if (IndexOfText(text) != -1) {
    return ComboCheck::Accept;
  }
  return options_.limitToList ? ComboCheck::AskLimit : ComboCheck::AskAdd;
}

ComboApplyStep ComboHistory::PlanApply(const Text& text, const Text& shown,
                                       bool programValue) const {
  ComboApplyStep step;
  if (text.empty()) {
    if (!shown.empty()) {
      step.action = list_.CurrentIndex() == -1 ? ComboApply::ClearText : ComboApply::Unselect;
    }
    return step;
  }
  const int index = IndexOfText(text);
  if (index >= 0) {
    step.action = ComboApply::SelectItem;
    step.index = index;
    // The item is shown again when it is the selected one but its text was
    // edited.
    step.force = index == list_.CurrentIndex() && shown != list_.ItemText(index);
    return step;
  }
  if (!options_.addNewToList) {
    step.action = ComboApply::SetText;
  } else {
    step.action = programValue ? ComboApply::AddSilently : ComboApply::AskToAdd;
  }
  return step;
}

}  // namespace pixdeck::editing
