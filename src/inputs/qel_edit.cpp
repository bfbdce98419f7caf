#include "inputs/qel_edit.h"

#include <QEvent>

namespace pixdeck {

TQelEdit::TQelEdit(QWidget* parent) : LineEditBox(parent) {}

void TQelEdit::SetInitialText(const QString& text) {
  // The present text changes nothing: a pending change of the user's stays,
  // and so does the undo text.
  if (this->text() == text) {
    return;
  }
  const bool internal = FInternalChange;
  SetInternalChange(true);
  ReplaceText(text);
  SetInternalChange(internal);
}

void TQelEdit::ReplaceText(const QString& text) {
  if (this->text() == text) {
    return;
  }
  WriteText(text);
  setModified(true);
  setCursorPosition(0);
  Change();
}

void TQelEdit::SetInternalChange(bool value) {
  if (value == FInternalChange) {
    return;
  }
  if (FInternalChange && isModified()) {
    FUndoBuffer.SetText(text());
    setModified(false);
  }
  FInternalChange = value;
}

void TQelEdit::ApplyReadOnlyColor(bool readOnly) {
  if (readOnly) {
    if (!FReadOnlyColored) {
      FSavedColor.emplace(*this, QPalette::Base);
      FReadOnlyColored = true;
    }
    SetRoleColor(*this, QPalette::Base, ButtonFaceColor(*this));
  } else if (FReadOnlyColored) {
    if (FSavedColor.has_value()) {
      FSavedColor->RestoreTo(*this);
    }
    FReadOnlyColored = false;
  }
}

void TQelEdit::SetAlignment(TAlignment value) {
  FAlignment = value;
  switch (value) {
    case taRightJustify:
      setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      break;
    case taCenter:
      setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
      break;
    default:
      setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      break;
  }
}

void TQelEdit::ClearAll() {
  if (!CanClear()) {
    return;
  }
  clear();
  setModified(!FInternalChange);
}

void TQelEdit::InitAfterLoad() {
  FSavedFontColor.Loaded(*this);
  FSavedColor.emplace(*this, QPalette::Base);
  if (isReadOnly()) {
    ApplyReadOnlyColor(true);
  }
  FUndoBuffer.SetText(text());
  setCursorPosition(0);
  FInternalChange = false;
}

void TQelEdit::changeEvent(QEvent* event) {
  // The colour follows every change of the read-only state after loading;
  // while loading, InitAfterLoad applies it once.
  if (event->type() == QEvent::ReadOnlyChange && IsLoaded()) {
    ApplyReadOnlyColor(isReadOnly());
  }
  LineEditBox::changeEvent(event);
}

}  // namespace pixdeck
