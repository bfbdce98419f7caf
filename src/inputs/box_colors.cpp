#include "inputs/box_colors.h"

#include <QWidget>

namespace pixdeck {

SavedRole::SavedRole(const QWidget& widget, QPalette::ColorRole role) : role_(role) {
  const QPalette& palette = widget.palette();
  for (int group = 0; group < QPalette::NColorGroups; ++group) {
    colors_[group] = palette.color(static_cast<QPalette::ColorGroup>(group), role);
  }
}

void SavedRole::RestoreTo(QWidget& widget) const {
  QPalette palette = widget.palette();
  for (int group = 0; group < QPalette::NColorGroups; ++group) {
    palette.setColor(static_cast<QPalette::ColorGroup>(group), role_, colors_[group]);
  }
  widget.setPalette(palette);
}

QColor ButtonFaceColor(const QWidget& widget) {
  return widget.palette().color(QPalette::Active, QPalette::Button);
}

void SetRoleColor(QWidget& widget, QPalette::ColorRole role, const QColor& color) {
  QPalette palette = widget.palette();
  palette.setColor(role, color);
  widget.setPalette(palette);
}

void DisabledAtLoadColor::Loaded(QWidget& box) {
  if (box.isEnabled()) {
    saved_.reset();
    return;
  }
  saved_.emplace(box, QPalette::Text);
  SetRoleColor(box, QPalette::Text, ButtonFaceColor(box));
}

void DisabledAtLoadColor::EnabledChanged(QWidget& box) {
  if (box.isEnabled() && saved_.has_value()) {
    saved_->RestoreTo(box);
    saved_.reset();
  }
}

}  // namespace pixdeck
