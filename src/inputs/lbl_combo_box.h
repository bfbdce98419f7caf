// The combo box that carries its caption label: the label is placed by LabelPos,
// follows the box when it moves, resizes, hides or is renamed, greys with
// it, gets a trailing colon and focuses the box when clicked.
#pragma once

#include "inputs/label_keeper.h"
#include "inputs/qel_combo_box.h"

namespace pixdeck {

class TLblComboBox : public TQelComboBox {
  Q_OBJECT
  // Written through the property system (a window description, with
  // stdset="0"), these only store their values until the box is loaded.
  Q_PROPERTY(QString LabelText READ LabelText WRITE ReadLabelText STORED false)
  Q_PROPERTY(int LabelPos READ LabelPosValue WRITE ReadLabelPos)
  Q_PROPERTY(int LabelMargin READ LabelMargin WRITE ReadLabelMargin)
  Q_PROPERTY(bool LabelColon READ LabelColon WRITE ReadLabelColon)
  Q_PROPERTY(int LabelRelLeft READ LabelRelLeft WRITE ReadLabelRelLeft)
  Q_PROPERTY(int LabelRelTop READ LabelRelTop WRITE ReadLabelRelTop)

 public:
  explicit TLblComboBox(QWidget* parent = nullptr);
  ~TLblComboBox() override;

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

  void setVisible(bool visible) override;

 protected:
  void InitAfterLoad() override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  int LabelPosValue() const { return LabelPos(); }
  void ReadLabelText(const QString& text);
  void ReadLabelPos(int pos);
  void ReadLabelMargin(int margin);
  void ReadLabelColon(bool colon);
  void ReadLabelRelLeft(int offset);
  void ReadLabelRelTop(int offset);

  LabelKeeper FLabel;
  bool FLoaded = false;
};

}  // namespace pixdeck
