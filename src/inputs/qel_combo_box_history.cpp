// The combo box's history and validation as the shared combo flow keeps
// them (editing/combo_model.h): the Qt box's calls, the window's handlers
// and the items' objects.
#include "inputs/edit_keys.h"
#include "inputs/qel_combo_box.h"

namespace pixdeck {

using edit_keys::FromText;
using edit_keys::ToText;

int TQelComboBox::IndexOfText(const QString& text) const {
  return combo_.IndexOfText(ToText(text));
}

void TQelComboBox::AddItem(const QString& text, const QVariant& object) {
  pendingObject_ = object;
  combo_.AddItem(ToText(text));
}

void TQelComboBox::AddNewItem(const QString& text) {
  combo_.AddNewItem(ToText(text));
}

void TQelComboBox::DoListPick() {
  if (FOnListPick) {
    FOnListPick(this);
  }
}

void TQelComboBox::DoEdited() {
  if (FOnEdited) {
    FOnEdited(this);
  }
}

void TQelComboBox::ApplyText(const QString& text) {
  combo_.ApplyText(ToText(text));
}

void TQelComboBox::SetInitialText(const QString& text) {
  combo_.SetInitialText(ToText(text));
}

bool TQelComboBox::ValidateText(bool refocus) {
  return combo_.ValidateText(refocus);
}

bool TQelComboBox::CommitText() {
  return combo_.CommitText();
}

void TQelComboBox::ValidateBeforeAction() {
  combo_.ValidateBeforeAction();
}

// --- the box as the flow's control ---------------------------------------------

editing::Text TQelComboBox::ComboPart::ItemText(int index) const {
  return ToText(box_.itemText(index));
}

editing::Text TQelComboBox::ComboPart::GetText() const {
  return ToText(box_.Text());
}

void TQelComboBox::ComboPart::SetText(const editing::Text& text) {
  box_.SetText(FromText(text));
}

void TQelComboBox::ComboPart::InsertItem(int index, const editing::Text& text) {
  box_.InsertItemAt(index, FromText(text), std::exchange(box_.pendingObject_, QVariant()));
}

bool TQelComboBox::ComboPart::AskNotInList(editing::Text& text, bool acceptByDefault) {
  QString newText = FromText(text);
  QVariant newObject;
  bool accept = acceptByDefault;
  box_.FOnNotInList(&box_, newText, newObject, accept);
  text = ToText(newText);
  box_.pendingObject_ = accept ? newObject : QVariant();
  return accept;
}

void TQelComboBox::ComboPart::Changed() {
  if (box_.FOnChange) {
    box_.FOnChange(&box_);
  }
}

}  // namespace pixdeck
