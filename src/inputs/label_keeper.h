// Keeps a caption label beside an input box: places it by TLabelPos with
// offsets relative to the box, follows the box when it moves, resizes, hides
// or is renamed, greys it with the box, adds the trailing colon and makes the
// label focus the box. The labelled edit and combo box share it.
#pragma once

#include <QLabel>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>

#include "editing/label_placement.h"

namespace pixdeck {

class TEnhLabel;

using editing::TLabelPos;
using enum editing::TLabelPos;

class LabelKeeper {
 public:
  static constexpr int kDefaultMargin = 8;

  // boxClass: a label already serving another box of this class (or of a
  // class derived from it) is not taken.
  LabelKeeper(QWidget& box, const QMetaObject& boxClass);
  ~LabelKeeper();
  LabelKeeper(const LabelKeeper&) = delete;
  LabelKeeper& operator=(const LabelKeeper&) = delete;

  // While the box's window is being built from its description, the setters
  // only store their values.
  void SetLoading(bool loading) { loading_ = loading; }
  bool Loading() const { return loading_; }
  // Runs a property write that comes from the window description: until the
  // box is loaded it is made in the loading state.
  template <typename Write>
  void ReadProperty(bool boxLoaded, Write write) {
    const bool loading = loading_;
    loading_ = !boxLoaded;
    write();
    loading_ = loading;
  }

  QString LabelText() const;
  void SetLabelText(const QString& text);
  TLabelPos LabelPos() const { return FLabelPos; }
  void SetLabelPos(TLabelPos pos);
  int LabelMargin() const { return FLabelMargin; }
  void SetLabelMargin(int margin);
  bool LabelColon() const { return FLabelColon; }
  void SetLabelColon(bool colon);
  QLabel* LabelComponent() const { return FLabel.data(); }
  void SetLabelComponent(QLabel* label);
  int LabelRelLeft() const { return FLabelRelLeft; }
  void SetLabelRelLeft(int offset);
  int LabelRelTop() const { return FLabelRelTop; }
  void SetLabelRelTop(int offset);

  // Computes the offsets for LabelPos and moves the label there.
  void PlaceLabel();
  // Sets the offsets from a width (the side default; 0: half the box's
  // width) or from the label's present place.
  void SetLabelOffsets(bool fromWidth, int width = 0);
  // The label moved, was resized or changed its caption.
  void LabelChanged();
  bool HasLabelText() const;

  // What the box reports.
  void BoxBoundsChanged();
  void BoxVisibleChanging(bool visible);
  void BoxEnabledChanged(bool enabled);
  void BoxLoaded();
  // Frees the label; the box calls it when it is destroyed.
  void FreeLabel();

 private:
  void CreateLabel();
  void InstallBoundsHandler(QLabel* label);
  void BoxRenamed(const QString& newName);
  QString OwnLabelName(const QString& boxName) const;
  int TextWidth(const QString& text) const;

  QWidget& box_;
  const QMetaObject& boxClass_;
  QPointer<QLabel> FLabel;
  TLabelPos FLabelPos = lpLeft;
  int FLabelMargin = kDefaultMargin;
  bool FLabelColon = true;
  int FLabelRelLeft = 0;
  int FLabelRelTop = 0;
  bool FTrackLabel = true;
  bool loading_ = false;
  QString boxName_;
  QMetaObject::Connection renameLink_;
};

// True unless the widget was hidden on purpose (a child that is merely not
// shown yet because its window is not shown counts as visible).
bool VisibleFlag(const QWidget& widget);

}  // namespace pixdeck
