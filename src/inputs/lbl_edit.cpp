#include "inputs/lbl_edit.h"

#include <QEvent>

namespace pixdeck {

TLblEdit::TLblEdit(QWidget* parent) : TQelEdit(parent), FLabel(*this, staticMetaObject) {}

TLblEdit::~TLblEdit() {
  FLabel.FreeLabel();
}

void TLblEdit::ReadLabelText(const QString& text) {
  FLabel.ReadProperty(IsLoaded(), [&] { FLabel.SetLabelText(text); });
}

void TLblEdit::ReadLabelPos(int pos) {
  FLabel.ReadProperty(IsLoaded(), [&] { FLabel.SetLabelPos(static_cast<TLabelPos>(pos)); });
}

void TLblEdit::ReadLabelMargin(int margin) {
  FLabel.ReadProperty(IsLoaded(), [&] { FLabel.SetLabelMargin(margin); });
}

void TLblEdit::ReadLabelColon(bool colon) {
  FLabel.ReadProperty(IsLoaded(), [&] { FLabel.SetLabelColon(colon); });
}

void TLblEdit::ReadLabelRelLeft(int offset) {
  FLabel.ReadProperty(IsLoaded(), [&] { FLabel.SetLabelRelLeft(offset); });
}

void TLblEdit::ReadLabelRelTop(int offset) {
  FLabel.ReadProperty(IsLoaded(), [&] { FLabel.SetLabelRelTop(offset); });
}

void TLblEdit::InitAfterLoad() {
  TQelEdit::InitAfterLoad();
  FLabel.BoxLoaded();
}

void TLblEdit::setVisible(bool visible) {
  FLabel.BoxVisibleChanging(visible);
  TQelEdit::setVisible(visible);
}

void TLblEdit::moveEvent(QMoveEvent* event) {
  TQelEdit::moveEvent(event);
  FLabel.BoxBoundsChanged();
}

void TLblEdit::resizeEvent(QResizeEvent* event) {
  TQelEdit::resizeEvent(event);
  FLabel.BoxBoundsChanged();
}

void TLblEdit::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    FLabel.BoxEnabledChanged(isEnabled());
  }
  TQelEdit::changeEvent(event);
}

}  // namespace pixdeck
