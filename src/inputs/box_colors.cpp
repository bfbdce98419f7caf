#include "inputs/box_colors.h"

#include <QWidget>

namespace pixdeck {

SavedRole::SavedRole(const QWidget& widget, QPalette::ColorRole role) : FRole(role) {
  const QPalette& palette = widget.palette();
  for (int group = 0; group < QPalette::NColorGroups; ++group) {
    FColors[group] = palette.color(static_cast<QPalette::ColorGroup>(group), role);
  }
}

void SavedRole::RestoreTo(QWidget& widget) const {
  QPalette palette = widget.palette();
  for (int group = 0; group < QPalette::NColorGroups; ++group) {
    palette.setColor(static_cast<QPalette::ColorGroup>(group), FRole, FColors[group]);
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
    FSaved.reset();
    return;
  }
  FSaved.emplace(box, QPalette::Text);
  SetRoleColor(box, QPalette::Text, ButtonFaceColor(box));
}

void DisabledAtLoadColor::EnabledChanged(QWidget& box) {
  if (box.isEnabled() && FSaved.has_value()) {
    FSaved->RestoreTo(box);
    FSaved.reset();
  }
}

}  // namespace pixdeck
