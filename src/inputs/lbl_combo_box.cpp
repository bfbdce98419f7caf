#include "inputs/lbl_combo_box.h"

#include <QEvent>

namespace pixdeck {

TLblComboBox::TLblComboBox(QWidget* parent)
    : TQelComboBox(parent), FLabel(*this, staticMetaObject) {}

TLblComboBox::~TLblComboBox() {
  FLabel.FreeLabel();
}

void TLblComboBox::ReadLabelText(const QString& text) {
  FLabel.ReadProperty(FLoaded, [&] { FLabel.SetLabelText(text); });
}

void TLblComboBox::ReadLabelPos(int pos) {
  FLabel.ReadProperty(FLoaded, [&] { FLabel.SetLabelPos(static_cast<TLabelPos>(pos)); });
}

void TLblComboBox::ReadLabelMargin(int margin) {
  FLabel.ReadProperty(FLoaded, [&] { FLabel.SetLabelMargin(margin); });
}

void TLblComboBox::ReadLabelColon(bool colon) {
  FLabel.ReadProperty(FLoaded, [&] { FLabel.SetLabelColon(colon); });
}

void TLblComboBox::ReadLabelRelLeft(int offset) {
  FLabel.ReadProperty(FLoaded, [&] { FLabel.SetLabelRelLeft(offset); });
}

void TLblComboBox::ReadLabelRelTop(int offset) {
  FLabel.ReadProperty(FLoaded, [&] { FLabel.SetLabelRelTop(offset); });
}

void TLblComboBox::InitAfterLoad() {
  TQelComboBox::InitAfterLoad();
  FLoaded = true;
  FLabel.BoxLoaded();
}

void TLblComboBox::setVisible(bool visible) {
  FLabel.BoxVisibleChanging(visible);
  TQelComboBox::setVisible(visible);
}

void TLblComboBox::moveEvent(QMoveEvent* event) {
  TQelComboBox::moveEvent(event);
  FLabel.BoxBoundsChanged();
}

void TLblComboBox::resizeEvent(QResizeEvent* event) {
  TQelComboBox::resizeEvent(event);
  FLabel.BoxBoundsChanged();
}

void TLblComboBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    FLabel.BoxEnabledChanged(isEnabled());
  }
  TQelComboBox::changeEvent(event);
}

}  // namespace pixdeck
