#include "inputs/label_keeper.h"

#include <QFontMetrics>

#include "inputs/enh_label.h"
#include "inputs/show_error.h"

namespace pixdeck {

namespace {

const QString kLabelPrefix = QStringLiteral("lbl_");
const QChar kColon = QLatin1Char(':');

}  // namespace

bool VisibleFlag(const QWidget& widget) {
  return !widget.isHidden() || !widget.testAttribute(Qt::WA_WState_ExplicitShowHide);
}

LabelKeeper::LabelKeeper(QWidget& box, const QMetaObject& boxClass)
    : FBox(box), FBoxClass(boxClass), FBoxName(box.objectName()) {
  FRenameLink = QObject::connect(&box, &QObject::objectNameChanged, &box,
                                 [this](const QString& name) { BoxRenamed(name); });
}

LabelKeeper::~LabelKeeper() {
  QObject::disconnect(FRenameLink);
  FreeLabel();
}

QString LabelKeeper::OwnLabelName(const QString& boxName) const {
  return kLabelPrefix + boxName;
}

bool LabelKeeper::HasLabelText() const {
  return !FLabel.isNull() && !FLabel->text().isEmpty();
}

QString LabelKeeper::LabelText() const {
  if (!HasLabelText()) {
    return QString();
  }
  QString caption = FLabel->text();
  // Only a colon is taken off: a caption someone set without one stays whole.
  if (FLabelColon && caption.endsWith(kColon)) {
    caption.chop(1);
  }
  return caption;
}

QString LabelKeeper::WithColon(const QString& text) const {
  if (FLabelColon && !text.isEmpty() && !text.endsWith(kColon)) {
    return text + kColon;
  }
  return text;
}

int LabelKeeper::TextWidth(const QString& text) const {
  const QWidget* measured = FBox.parentWidget() != nullptr ? FBox.parentWidget() : &FBox;
  return QFontMetrics(measured->font()).horizontalAdvance(text);
}

void LabelKeeper::SetLabelText(const QString& text) {
  if (FLoading) {
    return;
  }
  if (FLabel.isNull() && !text.isEmpty()) {
    FTrackLabel = false;
    if (FLabelPos == lpCustom && FLabelRelLeft == 0 && FLabelRelTop == 0) {
      SetLabelOffsets(true, TextWidth(text));
    }
    CreateLabel();
  }
  if (FLabel.isNull()) {
    return;
  }
  FTrackLabel = FLabelPos != lpCustom;
  const QString caption = WithColon(text);
  auto* enhLabel = qobject_cast<TEnhLabel*>(FLabel.data());
  if (enhLabel != nullptr) {
    // The label reports the change and is placed through LabelChanged.
    enhLabel->setText(caption);
  } else {
    FLabel->setText(caption);
  }
  if (FLabelPos == lpCustom || enhLabel == nullptr) {
    // A plain label reports nothing: it is placed here.
    FTrackLabel = true;
    PlaceLabel();
  }
}

void LabelKeeper::SetLabelColon(bool colon) {
  if (colon == FLabelColon) {
    return;
  }
  const QString text = LabelText();
  FLabelColon = colon;
  if (!text.isEmpty()) {
    SetLabelText(text);
  }
}

void LabelKeeper::SetLabelPos(TLabelPos pos) {
  if (pos == FLabelPos) {
    return;
  }
  if (FLoading) {
    FLabelPos = pos;
    return;
  }
  if (!FLabel.isNull() && FLabel->parentWidget() != FBox.parentWidget()) {
    throw EShowError(1, FBox.objectName());
  }
  FLabelPos = pos;
  PlaceLabel();
}

void LabelKeeper::SetLabelMargin(int margin) {
  if (margin == FLabelMargin) {
    return;
  }
  FLabelMargin = margin;
  if (!FLoading) {
    PlaceLabel();
  }
}

void LabelKeeper::SetLabelRelLeft(int offset) {
  if (offset == FLabelRelLeft) {
    return;
  }
  FLabelRelLeft = offset;
  if (FLoading) {
    return;
  }
  FLabelPos = lpCustom;
  PlaceLabel();
}

void LabelKeeper::SetLabelRelTop(int offset) {
  if (offset == FLabelRelTop) {
    return;
  }
  FLabelRelTop = offset;
  if (FLoading) {
    return;
  }
  FLabelPos = lpCustom;
  PlaceLabel();
}

void LabelKeeper::PlaceLabel() {
  QLabel* label = FLabel.data();
  if (label == nullptr) {
    return;
  }
  switch (FLabelPos) {
    case lpTop:
      FLabelRelLeft = 0;
      FLabelRelTop = -(label->height() + FLabelMargin);
      break;
    case lpLeft:
      FLabelRelLeft = -(label->width() + FLabelMargin);
      FLabelRelTop = SideLabelOffset;
      break;
    case lpBottom:
      FLabelRelLeft = 0;
      FLabelRelTop = FBox.height() + FLabelMargin;
      break;
    case lpRight:
      FLabelRelLeft = FBox.width() + FLabelMargin;
      FLabelRelTop = SideLabelOffset;
      break;
    case lpCustom:
      break;
  }
  FTrackLabel = false;
  const int left = FBox.x() + FLabelRelLeft;
  const int top = FBox.y() + FLabelRelTop;
  if (auto* enhLabel = qobject_cast<TEnhLabel*>(label)) {
    enhLabel->SetBounds(left, top, label->width(), label->height());
  } else {
    label->setGeometry(left, top, label->width(), label->height());
  }
  FTrackLabel = true;
  // A label made after its window was shown is hidden until shown on purpose.
  if (VisibleFlag(FBox)) {
    if (label->isHidden()) {
      label->show();
    }
  } else if (VisibleFlag(*label)) {
    label->hide();
  }
}

void LabelKeeper::SetLabelOffsets(bool fromWidth, int width) {
  if (fromWidth) {
    if (width == 0) {
      width = FBox.width() / 2;
    }
    FLabelRelLeft = -(width + FLabelMargin);
    FLabelRelTop = SideLabelOffset;
  } else if (!FLabel.isNull()) {
    FLabelRelLeft = FLabel->x() - FBox.x();
    FLabelRelTop = FLabel->y() - FBox.y();
  }
}

void LabelKeeper::LabelChanged() {
  if (!FTrackLabel) {
    return;
  }
  if (FLabelPos == lpCustom) {
    // Where the label was moved to becomes its custom place.
    SetLabelOffsets(false);
  } else if (!FLoading) {
    // Pulled back to its computed place, e.g. after its caption changed width.
    PlaceLabel();
  }
}

void LabelKeeper::InstallBoundsHandler(QLabel* label) {
  if (auto* enhLabel = qobject_cast<TEnhLabel*>(label)) {
    enhLabel->SetOnBoundsChange([this](QObject*) { LabelChanged(); });
  }
}

void LabelKeeper::SetLabelComponent(QLabel* label) {
  if (label == FLabel.data()) {
    return;
  }
  auto forgetLabel = [this] {
    if (auto* enhLabel = qobject_cast<TEnhLabel*>(FLabel.data())) {
      enhLabel->SetOnBoundsChange(nullptr);
    }
    FLabel = nullptr;
  };
  if (label == nullptr) {
    forgetLabel();
    return;
  }
  const QWidget* servedBox = label->buddy();
  if (servedBox != nullptr && servedBox != &FBox && servedBox->metaObject()->inherits(&FBoxClass)) {
    // The label already serves another box of this kind.
    forgetLabel();
    return;
  }
  if (FLoading) {
    FLabel = label;
    InstallBoundsHandler(label);
    return;
  }
  if (label->window() != FBox.window()) {
    throw EShowError(2, FBox.objectName());
  }
  FreeLabel();
  FLabelPos = lpCustom;
  FLabel = label;
  if (label->objectName().isEmpty()) {
    label->setObjectName(OwnLabelName(FBox.objectName()));
  }
  label->setBuddy(&FBox);
  SetLabelOffsets(false);
  InstallBoundsHandler(label);
  FLabelColon = !label->text().isEmpty() && label->text().endsWith(kColon);
}

void LabelKeeper::CreateLabel() {
  if (!FLabel.isNull()) {
    return;
  }
  auto* label = new TEnhLabel(FBox.parentWidget());
  label->setObjectName(OwnLabelName(FBox.objectName()));
  label->SetFocusControl(&FBox);
  label->setVisible(false);
  InstallBoundsHandler(label);
  FLabel = label;
}

void LabelKeeper::FreeLabel() {
  QLabel* label = FLabel.data();
  if (label == nullptr) {
    return;
  }
  if (auto* enhLabel = qobject_cast<TEnhLabel*>(label)) {
    enhLabel->SetOnBoundsChange(nullptr);
  }
  FLabel = nullptr;
  // Safe even while the window deletes its children: Qt lets a child delete
  // a sibling then.
  delete label;
}

void LabelKeeper::BoxRenamed(const QString& newName) {
  const QString oldName = FBoxName;
  FBoxName = newName;
  if (FLoading || FLabel.isNull()) {
    return;
  }
  if (FLabel->objectName() == OwnLabelName(oldName)) {
    FLabel->setObjectName(OwnLabelName(newName));
  }
}

void LabelKeeper::BoxBoundsChanged() {
  if (!FLabel.isNull() && !FLoading) {
    PlaceLabel();
  }
}

void LabelKeeper::BoxVisibleChanging(bool visible) {
  if (FLabel.isNull() || visible == VisibleFlag(FBox)) {
    return;
  }
  if (!visible) {
    FLabel->hide();
  } else {
    if (!FLoading) {
      PlaceLabel();
    }
    FLabel->show();
  }
}

void LabelKeeper::BoxEnabledChanged(bool enabled) {
  if (FLabel.isNull()) {
    return;
  }
  if (auto* enhLabel = qobject_cast<TEnhLabel*>(FLabel.data())) {
    enhLabel->SetLabelDisabled(!enabled);
  } else {
    FLabel->setEnabled(enabled);
  }
}

void LabelKeeper::BoxLoaded() {
  if (FLabel.isNull()) {
    // A window description names a box's label by making the box its buddy.
    const QWidget* window = FBox.window();
    for (QLabel* label : window->findChildren<QLabel*>()) {
      if (label->buddy() == &FBox) {
        const bool loading = FLoading;
        FLoading = true;
        SetLabelComponent(label);
        FLoading = loading;
        break;
      }
    }
  }
  if (auto* enhLabel = qobject_cast<TEnhLabel*>(FLabel.data());
      enhLabel != nullptr && HasLabelText() && enhLabel->AutoSize()) {
    // Measures the caption again in the font the label has now.
    enhLabel->SetAutoSize(false);
    enhLabel->SetAutoSize(true);
  }
  PlaceLabel();
  if (!FLabel.isNull()) {
    BoxEnabledChanged(FBox.isEnabled());
  }
}

}  // namespace pixdeck
