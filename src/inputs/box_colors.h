// The colours an input box changes: its text shown in the button-face colour
// when it was disabled at load, and a read-only edit's button-face
// background. Each keeps what it replaced so that it can be put back.
#pragma once

#include <QColor>
#include <QPalette>
#include <array>
#include <optional>

class QWidget;

namespace pixdeck {

// One palette role's colour in each colour group.
class SavedRole {
 public:
  SavedRole(const QWidget& widget, QPalette::ColorRole role);
  void RestoreTo(QWidget& widget) const;

 private:
  QPalette::ColorRole role_;
  std::array<QColor, QPalette::NColorGroups> colors_;
};

// The colour of button faces on this widget.
QColor ButtonFaceColor(const QWidget& widget);

// Sets the role to one colour in every group.
void SetRoleColor(QWidget& widget, QPalette::ColorRole role, const QColor& color);

// The font colour of a box that is disabled at load: saved and replaced by
// the button-face colour; put back the first time the box is enabled.
class DisabledAtLoadColor {
 public:
  // At the end of loading.
  void Loaded(QWidget& box);
  // Whenever the box's enabled state changed.
  void EnabledChanged(QWidget& box);
  bool Saved() const { return saved_.has_value(); }

 private:
  std::optional<SavedRole> saved_;
};

}  // namespace pixdeck
