// The combo box's history and validation rules: finding, adding, picking,
// moving and selecting items, completing typed text from the list, the
// program's initial text, and checking the text against the list when the
// box is left or Enter is pressed.
#include <QScopeGuard>

#include "inputs/edit_keys.h"
#include "inputs/list_utils.h"
#include "inputs/qel_combo_box.h"

namespace pixdeck {

int TQelComboBox::IndexOfText(const QString& text) const {
  return history_.IndexOfText(edit_keys::ToText(text));
}

void TQelComboBox::AddItem(const QString& text, const QVariant& object) {
  const int place = history_.NewItemPlace(edit_keys::ToText(text));
  InsertItemAt(place, text, object);
  SetListIndex(place);
}

void TQelComboBox::AddNewItem(const QString& text) {
  QString newText = text;
  QVariant newObject;
  bool accept = true;
  if (FOnNotInList) {
    FOnNotInList(this, newText, newObject, accept);
  } else {
    accept = false;
  }
  if (accept) {
    AddItem(newText, newObject);
  }
}

void TQelComboBox::DoNotInList(QString& newText, bool& accept) {
  QVariant newObject;
  if (FOnNotInList) {
    FOnNotInList(this, newText, newObject, accept);
  }
  if (accept) {
    AddItem(newText, newObject);
    DoListPick();
  }
}

void TQelComboBox::DoListPick() {
  if (!FPickGuard) {
    // The move to the start reports no pick of its own.
    FPickGuard = true;
    auto restore = qScopeGuard([&] { FPickGuard = false; });
    history_.MovePickToStart();
  }
  if (!FPickGuard && FOnListPick) {
    FOnListPick(this);
  }
}

void TQelComboBox::SetListIndex(int index) {
  SetItemIndex(index);
}

void TQelComboBox::SelectItem(int index) {
  if (!FForceSelect && index == ItemIndex()) {
    return;
  }
  SetListIndex(index);
  DoListPick();
  FSelecting = true;
  FModified = true;
  Change();
  FSelecting = false;
  FForceSelect = false;
}

void TQelComboBox::SetIndexKeepText(int index) {
  if (index == ItemIndex()) {
    return;
  }
  const QString text = Text();
  const int start = SelStart();
  const int length = SelLength();
  const bool modified = FModified;
  SetListIndex(index);
  DoListPick();
  FSelecting = true;
  SetText(text);
  FModified = modified;
  SetEditSelection(start, std::max(length, 0));
  FSelecting = false;
}

void TQelComboBox::SelectFirstItem() {
  if (!Opt().allowNull && !edit_.InternalChange() && ItemIndex() == -1 && count() > 0) {
    SelectItem(0);
  }
}

void TQelComboBox::Change() {
  if (!Opt().allowNull && count() > 0 && Text().isEmpty()) {
    // An empty text never stands in a box that must have a value.
    if (ItemIndex() == 0) {
      FForceSelect = true;
    }
    SelectItem(0);
    return;
  }
  if (!edit_.InternalChange()) {
    FModified = true;
    if (!FSelecting) {
      if (Text().isEmpty()) {
        SetListIndex(-1);
        DoListPick();
      } else if (FAutoExpand) {
        if (FNoAutoExpand) {
          FNoAutoExpand = false;
        } else {
          ExpandText();
        }
      }
      DoEdited();
    }
  }
  FireOnChange();
}

void TQelComboBox::FireOnChange() {
  RememberText();
  if (FOnChange) {
    FOnChange(this);
  }
}

void TQelComboBox::DoEdited() {
  if (FOnEdited) {
    FOnEdited(this);
  }
}

void TQelComboBox::ExpandText() {
  int index = -1;
  int selStart = SelStart();
  int selLength = -1;
  QString completed;
  CompleteFromList(Items(), Opt().sorted, Text(), index, selStart, selLength, completed);
  if (selLength >= 0) {
    if (selLength == 0) {
      selStart = SelStart();
    }
    if (FAutoPickItem) {
      SelectItem(index);
    } else {
      SetListIndex(index);
    }
    if (selLength > 0) {
      SetText(completed);
      FModified = true;
    }
    SetEditSelection(selStart, selLength);
  } else if (FAutoPickItem) {
    SetIndexKeepText(-1);
  }
}

void TQelComboBox::ApplyText(const QString& text) {
  const editing::ComboApplyStep step = history_.PlanApply(
      edit_keys::ToText(text), edit_keys::ToText(Text()), edit_.InternalChange());
  switch (step.action) {
    case editing::ComboApply::None:
      break;
    case editing::ComboApply::SelectItem:
      if (step.force) {
        FForceSelect = true;
      }
      SelectItem(step.index);
      break;
    case editing::ComboApply::SetText:
    case editing::ComboApply::AddSilently:
    case editing::ComboApply::AskToAdd:
      SetText(text);
      if (step.action == editing::ComboApply::AddSilently) {
        AddItem(text);
      } else if (step.action == editing::ComboApply::AskToAdd) {
        AddNewItem(text);
      }
      FModified = true;
      Change();
      break;
    case editing::ComboApply::ClearText:
      SetText(QString());
      FModified = true;
      Change();
      break;
    case editing::ComboApply::Unselect:
      SelectItem(-1);
      break;
  }
}

void TQelComboBox::SetInternalChange(bool value) {
  edit_.SetInternalChange(value);
}

void TQelComboBox::SetInitialText(const QString& text) {
  const bool internal = edit_.InternalChange();
  SetInternalChange(true);
  ApplyText(text);
  SetInternalChange(internal);
}

bool TQelComboBox::ValidateText(bool refocus) {
  int oldIndex = ItemIndex();
  bool result = false;
  refused_ = false;
  switch (history_.Check(edit_keys::ToText(Text()))) {
    case editing::ComboCheck::Empty:
      break;
    case editing::ComboCheck::Accept:
      FForceSelect = FModified;
      break;
    case editing::ComboCheck::AskEmpty: {
      if (refocus) {
        setFocus();
      }
      QString newText;
      bool accept = false;
      DoNotInList(newText, accept);
      if (accept && !newText.isEmpty()) {
        SetText(newText);
        FModified = true;
      }
      if (!accept) {
        Undo();
        refused_ = true;
      }
      result = true;
      break;
    }
    case editing::ComboCheck::AskLimit: {
      if (refocus) {
        setFocus();
      }
      QString newText = Text();
      bool accept = false;
      DoNotInList(newText, accept);
      if (accept) {
        oldIndex = -2;
      } else {
        Undo();
        refused_ = true;
      }
      result = true;
      break;
    }
    case editing::ComboCheck::AskAdd: {
      oldIndex = -2;
      if (refocus) {
        setFocus();
      }
      QString newText = Text();
      bool accept = true;
      DoNotInList(newText, accept);
      if (accept) {
        FForceSelect = true;
      } else {
        Undo();
        refused_ = true;
      }
      result = true;
      break;
    }
  }
  const int found = IndexOfText(Text());
  if (found != oldIndex) {
    SelectItem(found);
  }
  return result;
}

bool TQelComboBox::CommitText() {
  return editing::ComboHistory::CommitNeedsCheck(FModified) ? ValidateText(false) : false;
}

void TQelComboBox::ValidateBeforeAction() {
  if (FModified) {
    ValidateText(static_cast<bool>(FOnNotInList));
  }
}

void TQelComboBox::UserSelected(int index) {
  if (index < 0 || index >= count()) {
    return;
  }
  // Qt already shows the item; the text before the pick tells whether the
  // pick changed it.
  const QString item = itemText(index);
  if (knownText_ != item) {
    SetText(item);
    FModified = true;
    DoListPick();
    FSelecting = true;
    Change();
    FSelecting = false;
  } else {
    Change();
  }
  RememberText();
}

}  // namespace pixdeck
