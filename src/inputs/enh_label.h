// The caption label of the input boxes: a label that shows its box as
// disabled in a colour of its own (its text stays crisp), focuses its box when
// clicked, and tells the box when its size, place or caption changed.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QRect>
#include <functional>

namespace pixdeck {

class TEnhLabel : public QLabel {
  Q_OBJECT
  Q_PROPERTY(QColor DisabledColor READ DisabledColor WRITE SetDisabledColor)
  Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
  // Redeclared so that property writes reach this class's caption handling.
  Q_PROPERTY(QString text READ text WRITE setText)

 public:
  using NotifyEvent = std::function<void(QObject* sender)>;

  explicit TEnhLabel(QWidget* parent = nullptr);
  explicit TEnhLabel(const QString& text, QWidget* parent = nullptr);

  QColor DisabledColor() const { return FDisabledColor; }
  void SetDisabledColor(const QColor& color);

  // Shows the label's control as disabled (or enabled again). The label
  // itself stays enabled, so its text is drawn normally in the chosen colour.
  void SetLabelDisabled(bool disabled);
  bool ShowDisabled() const { return FShowDisabled; }

  // The text colour (the palette's window text).
  QColor FontColor() const;
  void SetFontColor(const QColor& color);

  // The control that a click on the label focuses (the label's buddy).
  QWidget* FocusControl() const { return buddy(); }
  void SetFocusControl(QWidget* control) { setBuddy(control); }

  // With AutoSize, a caption change fits the width to the text (keeping the
  // height) and a font change fits both.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);

  // The caption. Hides QLabel::setText so that a change is measured and
  // reported; uic-generated code calls it through this class.
  void setText(const QString& text);

  // Moves and sizes the label and reports it at once, even while the label
  // is hidden (Qt reports a hidden widget's moves only when it is shown).
  void SetBounds(int left, int top, int width, int height);

  NotifyEvent OnBoundsChange() const { return FOnBoundsChange; }
  void SetOnBoundsChange(NotifyEvent handler) { FOnBoundsChange = std::move(handler); }
  NotifyEvent OnClick() const { return FOnClick; }
  void SetOnClick(NotifyEvent handler) { FOnClick = std::move(handler); }

 protected:
  // Tells the labelled box that the label's size, place or caption changed.
  virtual void DoBoundsChange();
  // A click: ignored while the label shows its control as disabled.
  virtual void Click();

  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void FitToText(bool keepHeight);
  // Reports a geometry that differs from the one reported last.
  void ReportBounds();

  QColor FDisabledColor;
  bool FShowDisabled = false;
  bool textChanging_ = false;
  bool FAutoSize = true;
  bool pressed_ = false;
  QRect reportedBounds_;
  QColor enabledColor_;
  // The palette to return to when shown enabled again, and whether the label
  // had a palette of its own then (otherwise it inherits its parent's again).
  QPalette enabledPalette_;
  bool hadOwnPalette_ = false;
  NotifyEvent FOnBoundsChange;
  NotifyEvent FOnClick;
};

}  // namespace pixdeck
