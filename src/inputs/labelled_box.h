// An input box that carries its caption label: the label is placed by
// LabelPos, follows the box when it moves, resizes, hides or is renamed,
// greys with it, gets a trailing colon and focuses the box when clicked.
// The labelled edit and combo box are this over their box classes; each
// declares the label properties for its window descriptions.
#pragma once

#include <QEvent>
#include <QLabel>
#include <QMetaObject>
#include <QString>

#include "inputs/label_keeper.h"

class QMoveEvent;
class QResizeEvent;
class QWidget;

namespace pixdeck {

template <typename Box>
class LabelledBox : public Box {
 public:
  QString LabelText() const { return FLabel.LabelText(); }
  void SetLabelText(const QString& text) { FLabel.SetLabelText(text); }
  TLabelPos LabelPos() const { return FLabel.LabelPos(); }
  void SetLabelPos(TLabelPos pos) { FLabel.SetLabelPos(pos); }
  int LabelMargin() const { return FLabel.LabelMargin(); }
  void SetLabelMargin(int margin) { FLabel.SetLabelMargin(margin); }
  bool LabelColon() const { return FLabel.LabelColon(); }
  void SetLabelColon(bool colon) { FLabel.SetLabelColon(colon); }
  QLabel* LabelComponent() const { return FLabel.LabelComponent(); }
  void SetLabelComponent(QLabel* label) { FLabel.SetLabelComponent(label); }
  int LabelRelLeft() const { return FLabel.LabelRelLeft(); }
  void SetLabelRelLeft(int offset) { FLabel.SetLabelRelLeft(offset); }
  int LabelRelTop() const { return FLabel.LabelRelTop(); }
  void SetLabelRelTop(int offset) { FLabel.SetLabelRelTop(offset); }

  void PlaceLabel() { FLabel.PlaceLabel(); }
  void SetLabelOffsets(bool fromWidth, int width = 0) { FLabel.SetLabelOffsets(fromWidth, width); }
  bool HasLabelText() const { return FLabel.HasLabelText(); }

  void setVisible(bool visible) override {
    FLabel.BoxVisibleChanging(visible);
    Box::setVisible(visible);
  }

 protected:
  // boxClass: the labelled class itself, so that a label already serving
  // another box of that class is not taken.
  LabelledBox(QWidget* parent, const QMetaObject& boxClass)
      : Box(parent), FLabel(*this, boxClass) {}
  ~LabelledBox() override { FLabel.FreeLabel(); }

  void InitAfterLoad() override {
    Box::InitAfterLoad();
    loaded_ = true;
    FLabel.BoxLoaded();
  }
  void moveEvent(QMoveEvent* event) override {
    Box::moveEvent(event);
    FLabel.BoxBoundsChanged();
  }
  void resizeEvent(QResizeEvent* event) override {
    Box::resizeEvent(event);
    FLabel.BoxBoundsChanged();
  }
  void changeEvent(QEvent* event) override {
    if (event->type() == QEvent::EnabledChange) {
      FLabel.BoxEnabledChanged(this->isEnabled());
    }
    Box::changeEvent(event);
  }

  // The property accessors. Written through the property system (a window
  // description, with stdset="0"), these only store their values until the
  // box is loaded.
  int LabelPosValue() const { return LabelPos(); }
  void ReadLabelText(const QString& text) {
    FLabel.ReadProperty(loaded_, [&] { FLabel.SetLabelText(text); });
  }
  void ReadLabelPos(int pos) {
    FLabel.ReadProperty(loaded_, [&] { FLabel.SetLabelPos(static_cast<TLabelPos>(pos)); });
  }
  void ReadLabelMargin(int margin) {
    FLabel.ReadProperty(loaded_, [&] { FLabel.SetLabelMargin(margin); });
  }
  void ReadLabelColon(bool colon) {
    FLabel.ReadProperty(loaded_, [&] { FLabel.SetLabelColon(colon); });
  }
  void ReadLabelRelLeft(int offset) {
    FLabel.ReadProperty(loaded_, [&] { FLabel.SetLabelRelLeft(offset); });
  }
  void ReadLabelRelTop(int offset) {
    FLabel.ReadProperty(loaded_, [&] { FLabel.SetLabelRelTop(offset); });
  }

 private:
  LabelKeeper FLabel;
  bool loaded_ = false;
};

}  // namespace pixdeck
