#include "editing/combo_model.h"

#include <algorithm>

namespace pixdeck::editing {

void ComboModel::SetAddNewToList(bool value) {
  Options().addNewToList = value;
  if (value) {
    Options().limitToList = false;
  }
}

void ComboModel::SetLimitToList(bool value) {
  Options().limitToList = value;
  if (value) {
    Options().addNewToList = false;
  }
}

void ComboModel::Loaded() {
  if (!Options().allowNull && control_.Count() > 0 && control_.CurrentIndex() == -1) {
    SelectItem(0);
  }
}

void ComboModel::AddItem(const Text& text) {
  const int place = history_.NewItemPlace(text);
  control_.InsertItem(place, text);
  SetListIndex(place);
}

void ComboModel::AddNewItem(const Text& text) {
  if (!control_.HasNotInList()) {
    return;
  }
  Text newText = text;
  if (control_.AskNotInList(newText, true)) {
    AddItem(newText);
  }
}

void ComboModel::NotInList(Text& newText, bool& accept) {
  if (control_.HasNotInList()) {
    accept = control_.AskNotInList(newText, accept);
  }
  if (accept) {
    AddItem(newText);
    ListPick();
  }
}

void ComboModel::ListPick() {
  if (pickGuard_) {
    return;
  }
  {
    // The move to the start reports no pick of its own.
    pickGuard_ = true;
    history_.MovePickToStart();
    pickGuard_ = false;
  }
  control_.ListPicked();
}

void ComboModel::SelectItem(int index) {
  if (!forceSelect_ && index == control_.CurrentIndex()) {
    return;
  }
  SetListIndex(index);
  ListPick();
  selecting_ = true;
  modified_ = true;
  Change();
  selecting_ = false;
  forceSelect_ = false;
}

void ComboModel::SetIndexKeepText(int index) {
  if (index == control_.CurrentIndex()) {
    return;
  }
  const Text text = control_.GetText();
  const int start = control_.SelStart();
  const int length = control_.SelLength();
  const bool modified = modified_;
  SetListIndex(index);
  ListPick();
  selecting_ = true;
  control_.SetText(text);
  RememberText();
  modified_ = modified;
  control_.SetSelection(start, std::max(length, 0));
  selecting_ = false;
}

void ComboModel::SelectFirstItem() {
  if (!Options().allowNull && !edit_.InternalChange() && control_.CurrentIndex() == -1 &&
      control_.Count() > 0) {
    SelectItem(0);
  }
}

void ComboModel::UserSelected(int index) {
  if (index < 0 || index >= control_.Count()) {
    return;
  }
  const Text item = control_.ItemText(index);
  if (knownText_ != item) {
    control_.SetText(item);
    modified_ = true;
    ListPick();
    selecting_ = true;
    Change();
    selecting_ = false;
  } else {
    Change();
  }
  RememberText();
}

void ComboModel::Change() {
  if (!Options().allowNull && control_.Count() > 0 && control_.GetText().empty()) {
    // An empty text never stands in a box that must have a value.
    if (control_.CurrentIndex() == 0) {
      forceSelect_ = true;
    }
    SelectItem(0);
    return;
  }
  if (!edit_.InternalChange()) {
    modified_ = true;
    if (!selecting_) {
      if (control_.GetText().empty()) {
        SetListIndex(-1);
        ListPick();
      } else if (autoExpand_) {
        if (noAutoExpand_) {
          noAutoExpand_ = false;
        } else {
          ExpandText();
        }
      }
      control_.Edited();
    }
  }
  FireChanged();
}

void ComboModel::TextEdited() {
  Change();
  RememberText();
}

void ComboModel::FireChanged() {
  RememberText();
  control_.Changed();
}

void ComboModel::ExpandText() {
  TextList items;
  items.reserve(control_.Count());
  for (int i = 0; i < control_.Count(); ++i) {
    items.push_back(control_.ItemText(i));
  }
  int index = -1;
  int selStart = control_.SelStart();
  int selLength = -1;
  Text completed;
  CompleteFromList(items, history_.Order(), Options().sorted, control_.GetText(), index, selStart,
                   selLength, completed);
  if (selLength >= 0) {
    if (selLength == 0) {
      selStart = control_.SelStart();
    }
    if (autoPickItem_) {
      SelectItem(index);
    } else {
      SetListIndex(index);
    }
    if (selLength > 0) {
      control_.SetText(completed);
      RememberText();
      modified_ = true;
    }
    control_.SetSelection(selStart, selLength);
  } else if (autoPickItem_) {
    SetIndexKeepText(-1);
  }
}

void ComboModel::ApplyText(const Text& text) {
  const ComboApplyStep step = history_.PlanApply(text, control_.GetText(), edit_.InternalChange());
  switch (step.action) {
    case ComboApply::None:
      break;
    case ComboApply::SelectItem:
      if (step.force) {
        forceSelect_ = true;
      }
      SelectItem(step.index);
      break;
    case ComboApply::SetText:
    case ComboApply::AddSilently:
    case ComboApply::AskToAdd:
      control_.SetText(text);
      RememberText();
      if (step.action == ComboApply::AddSilently) {
        AddItem(text);
      } else if (step.action == ComboApply::AskToAdd) {
        AddNewItem(text);
      }
      modified_ = true;
      Change();
      break;
    case ComboApply::ClearText:
      control_.SetText(Text());
      RememberText();
      modified_ = true;
      Change();
      break;
    case ComboApply::Unselect:
      SelectItem(-1);
      break;
  }
}

void ComboModel::SetInitialText(const Text& text) {
  const bool internal = edit_.InternalChange();
  edit_.SetInternalChange(true);
  ApplyText(text);
  edit_.SetInternalChange(internal);
}

bool ComboModel::ValidateText(bool refocus) {
  int oldIndex = control_.CurrentIndex();
  bool result = false;
  refused_ = false;
  switch (history_.Check(control_.GetText())) {
    case ComboCheck::Empty:
      break;
    case ComboCheck::Accept:
      forceSelect_ = modified_;
      break;
    case ComboCheck::AskEmpty: {
      if (refocus) {
        control_.FocusBox();
      }
      Text newText;
      bool accept = false;
      NotInList(newText, accept);
      if (accept && !newText.empty()) {
        control_.SetText(newText);
        RememberText();
        modified_ = true;
      }
      if (!accept) {
        edit_.Undo();
        refused_ = true;
      }
      result = true;
      break;
    }
    case ComboCheck::AskLimit: {
      if (refocus) {
        control_.FocusBox();
      }
      Text newText = control_.GetText();
      bool accept = false;
      NotInList(newText, accept);
      if (accept) {
        oldIndex = -2;
      } else {
        edit_.Undo();
        refused_ = true;
      }
      result = true;
      break;
    }
    case ComboCheck::AskAdd: {
      oldIndex = -2;
      if (refocus) {
        control_.FocusBox();
      }
      Text newText = control_.GetText();
      bool accept = true;
      NotInList(newText, accept);
      if (accept) {
        forceSelect_ = true;
      } else {
        edit_.Undo();
        refused_ = true;
      }
      result = true;
      break;
    }
  }
  const int found = IndexOfText(control_.GetText());
  if (found != oldIndex) {
    SelectItem(found);
  }
  return result;
}

bool ComboModel::CommitText() {
  return ComboHistory::CommitNeedsCheck(modified_) ? ValidateText(false) : false;
}

void ComboModel::ValidateBeforeAction() {
  if (modified_) {
    ValidateText(control_.HasNotInList());
  }
}

void ComboModel::FocusLeft() {
  if (modified_) {
    ValidateText(control_.HasNotInList());
  }
}

void ComboModel::Rewrite(const Text& text, int caret, bool noAutoExpand) {
  noAutoExpand_ = noAutoExpand;
  control_.SetText(text);
  RememberText();
  control_.SetSelection(caret, 0);
  modified_ = true;
  Change();
}

void ComboModel::DeleteSelection() {
  if (!edit_.CanClear()) {
    return;
  }
  const int start = control_.SelStart();
  Text text = control_.GetText();
  text.erase(std::min<size_t>(start, text.size()), control_.SelLength());
  Rewrite(text, start, true);
}

void ComboModel::ClearText() {
  if (!edit_.CanClear()) {
    return;
  }
  noAutoExpand_ = true;
  control_.SetText(Text());
  RememberText();
  modified_ = true;
  Change();
}

void ComboModel::PasteText(const Text& pasted) {
  if (!edit_.CanPaste()) {
    return;
  }
  const Text text = control_.GetText();
  const auto start = std::min<size_t>(control_.SelStart(), text.size());
  const auto end = std::min<size_t>(start + control_.SelLength(), text.size());
  Rewrite(text.substr(0, start) + pasted + text.substr(end),
          static_cast<int>(start + pasted.size()), false);
}

}  // namespace pixdeck::editing
