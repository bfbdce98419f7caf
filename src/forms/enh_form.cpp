#include "forms/enh_form.h"

#include <QEvent>
#include <QMoveEvent>

namespace pixdeck {

TEnhForm::TEnhForm(QWidget* parent, Qt::WindowFlags flags) : TFixForm(parent, flags) {}

TEnhForm::TEnhForm(QWidget* parent, NotMainForm tag, Qt::WindowFlags flags)
    : TFixForm(parent, tag, flags) {}

void TEnhForm::Loaded() {
  loaded_ = true;
  FDesignWidth = width();
  FDesignHeight = height();
  ApplySizeLimits();
}

void TEnhForm::SetFixedSize(bool value) {
  if (value == FFixedSize) {
    return;
  }
  FFixedSize = value;
  ApplySizeLimits();
}

void TEnhForm::ApplySizeLimits() {
  if (Pinned()) {
    if (!FLimitsApplied) {
      FFreeMinimum = minimumSize();
      FFreeMaximum = maximumSize();
      FLimitsApplied = true;
    }
    const QSize design(FDesignWidth, FDesignHeight);
    setMinimumSize(design);
    setMaximumSize(design);
  } else if (FLimitsApplied) {
    setMinimumSize(FFreeMinimum);
    setMaximumSize(FFreeMaximum);
    FLimitsApplied = false;
  }
}

bool TEnhForm::event(QEvent* event) {
  const bool handled = TFixForm::event(event);
  if (event->type() == QEvent::WindowActivate && !FActivated) {
    FActivated = true;
    // A form that was never loaded from a description keeps the size it had
    // when it was first activated.
    if (!loaded_) {
      FDesignWidth = width();
      FDesignHeight = height();
    }
    ApplySizeLimits();
  }
  return handled;
}

void TEnhForm::moveEvent(QMoveEvent* event) {
  TFixForm::moveEvent(event);
  if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
    FNormalPos = pos();
  }
}

void TEnhForm::changeEvent(QEvent* event) {
  TFixForm::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && Pinned() &&
      (windowState() & Qt::WindowMaximized)) {
    // Maximising a pinned form leaves it where it is, at its design size.
    const QPoint place = FNormalPos;
    setWindowState(windowState() & ~Qt::WindowMaximized);
    resize(FDesignWidth, FDesignHeight);
    move(place);
  }
}

}  // namespace pixdeck
