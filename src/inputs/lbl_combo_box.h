// The combo box that carries its caption label (see LabelledBox).
#pragma once

#include "inputs/labelled_box.h"
#include "inputs/qel_combo_box.h"

namespace pixdeck {

class TLblComboBox : public LabelledBox<TQelComboBox> {
  Q_OBJECT
  Q_PROPERTY(QString LabelText READ LabelText WRITE ReadLabelText STORED false)
  Q_PROPERTY(int LabelPos READ LabelPosValue WRITE ReadLabelPos)
  Q_PROPERTY(int LabelMargin READ LabelMargin WRITE ReadLabelMargin)
  Q_PROPERTY(bool LabelColon READ LabelColon WRITE ReadLabelColon)
  Q_PROPERTY(int LabelRelLeft READ LabelRelLeft WRITE ReadLabelRelLeft)
  Q_PROPERTY(int LabelRelTop READ LabelRelTop WRITE ReadLabelRelTop)

 public:
  explicit TLblComboBox(QWidget* parent = nullptr) : LabelledBox(parent, staticMetaObject) {}
};

}  // namespace pixdeck
