#include "inputs/enh_label.h"

#include <QEvent>
#include <QMouseEvent>

namespace pixdeck {

TEnhLabel::TEnhLabel(QWidget* parent) : TEnhLabel(QString(), parent) {}

TEnhLabel::TEnhLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  // The shadow colour of buttons, as the platform's own greyed text is hard
  // to read on some backgrounds.
  FDisabledColor = palette().color(QPalette::Active, QPalette::Dark);
  enabledColor_ = palette().color(QPalette::Active, QPalette::WindowText);
}

QColor TEnhLabel::FontColor() const {
  return palette().color(QPalette::Active, foregroundRole());
}

void TEnhLabel::SetFontColor(const QColor& color) {
  QPalette p = palette();
  p.setColor(QPalette::Active, foregroundRole(), color);
  p.setColor(QPalette::Inactive, foregroundRole(), color);
  setPalette(p);
}

void TEnhLabel::SetDisabledColor(const QColor& color) {
  if (color == FDisabledColor) {
    return;
  }
  FDisabledColor = color;
  if (FShowDisabled) {
    SetFontColor(FDisabledColor);
  }
}

void TEnhLabel::SetLabelDisabled(bool disabled) {
  if (disabled == FShowDisabled) {
    return;
  }
  FShowDisabled = disabled;
  if (disabled) {
    enabledColor_ = FontColor();
    enabledPalette_ = palette();
    hadOwnPalette_ = testAttribute(Qt::WA_SetPalette);
    SetFontColor(FDisabledColor);
  } else if (hadOwnPalette_) {
    setPalette(enabledPalette_);
    SetFontColor(enabledColor_);
  } else {
    setPalette(QPalette());
  }
  update();
}

void TEnhLabel::SetAutoSize(bool value) {
  if (value == FAutoSize) {
    return;
  }
  FAutoSize = value;
  if (FAutoSize) {
    FitToText(false);
  }
}

void TEnhLabel::FitToText(bool keepHeight) {
  const QSize hint = sizeHint();
  const int newHeight = keepHeight ? height() : hint.height();
  int newLeft = x();
  // A right-aligned label grows and shrinks to the left.
  if (alignment() & Qt::AlignRight) {
    newLeft = x() + width() - hint.width();
  }
  SetBounds(newLeft, y(), hint.width(), newHeight);
}

void TEnhLabel::SetBounds(int left, int top, int width, int height) {
  if (textChanging_) {
    height = this->height();
  }
  setGeometry(left, top, width, height);
  ReportBounds();
}

void TEnhLabel::ReportBounds() {
  if (geometry() == reportedBounds_) {
    return;
  }
  reportedBounds_ = geometry();
  DoBoundsChange();
}

void TEnhLabel::setText(const QString& text) {
  if (text == this->text()) {
    return;
  }
  textChanging_ = true;
  QLabel::setText(text);
  if (FAutoSize) {
    // A caption change may widen or narrow the label, never change its height.
    FitToText(true);
  }
  textChanging_ = false;
  if (!FAutoSize) {
    DoBoundsChange();
  }
}

void TEnhLabel::DoBoundsChange() {
  if (FOnBoundsChange) {
    FOnBoundsChange(this);
  }
}

void TEnhLabel::Click() {
  if (FShowDisabled) {
    return;
  }
  if (FOnClick) {
    FOnClick(this);
  }
  if (QWidget* control = FocusControl()) {
    control->setFocus(Qt::MouseFocusReason);
  }
}

void TEnhLabel::mousePressEvent(QMouseEvent* event) {
  QLabel::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) {
    pressed_ = true;
  }
}

void TEnhLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  const bool wasPressed = pressed_;
  pressed_ = false;
  if (event->button() == Qt::LeftButton && wasPressed &&
      rect().contains(event->position().toPoint())) {
    Click();
  }
}

void TEnhLabel::moveEvent(QMoveEvent* event) {
  QLabel::moveEvent(event);
  ReportBounds();
}

void TEnhLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  ReportBounds();
}

void TEnhLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    if (FAutoSize) {
      FitToText(false);
    } else {
      DoBoundsChange();
    }
  }
}

}  // namespace pixdeck
