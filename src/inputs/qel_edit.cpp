#include "inputs/qel_edit.h"

#include <QEvent>

#include "inputs/edit_keys.h"

namespace pixdeck {

TQelEdit::TQelEdit(QWidget* parent) : LineEditBox(parent) {}

void TQelEdit::SetInitialText(const QString& text) {
  Model().SetInitialText(edit_keys::ToText(text));
}

void TQelEdit::ReplaceText(const QString& text) {
  Model().ReplaceText(edit_keys::ToText(text));
}

void TQelEdit::SetInternalChange(bool value) {
  Model().SetInternalChange(value);
}

void TQelEdit::ApplyReadOnlyColor(bool readOnly) {
  if (readOnly) {
    if (!readOnlyColored_) {
      savedColor_.emplace(*this, QPalette::Base);
      readOnlyColored_ = true;
    }
    SetRoleColor(*this, QPalette::Base, ButtonFaceColor(*this));
  } else if (readOnlyColored_) {
    if (savedColor_.has_value()) {
      savedColor_->RestoreTo(*this);
    }
    readOnlyColored_ = false;
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

void TQelEdit::InitAfterLoad() {
  FSavedFontColor.Loaded(*this);
  savedColor_.emplace(*this, QPalette::Base);
  if (isReadOnly()) {
    ApplyReadOnlyColor(true);
  }
  setCursorPosition(0);
  Model().FinishLoading();
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
