#include "inputs/label_keeper.h"

#include <QFontMetrics>

#include "inputs/edit_keys.h"
#include "inputs/enh_label.h"
#include "inputs/show_error.h"

namespace pixdeck {

namespace {

const QString kLabelPrefix = QStringLiteral("lbl_");

}  // namespace

bool VisibleFlag(const QWidget& widget) {
  return !widget.isHidden() || !widget.testAttribute(Qt::WA_WState_ExplicitShowHide);
}

LabelKeeper::LabelKeeper(QWidget& box, const QMetaObject& boxClass)
    : box_(box), boxClass_(boxClass), boxName_(box.objectName()) {
  renameLink_ = QObject::connect(&box, &QObject::objectNameChanged, &box,
                                 [this](const QString& name) { BoxRenamed(name); });
}

LabelKeeper::~LabelKeeper() {
  QObject::disconnect(renameLink_);
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
  return edit_keys::FromText(
      editing::TextOfCaption(edit_keys::ToText(FLabel->text()), FLabelColon));
}

int LabelKeeper::TextWidth(const QString& text) const {
  const QWidget* measured = box_.parentWidget() != nullptr ? box_.parentWidget() : &box_;
  return QFontMetrics(measured->font()).horizontalAdvance(text);
}

void LabelKeeper::SetLabelText(const QString& text) {
  if (loading_) {
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
  const QString caption =
      edit_keys::FromText(editing::CaptionWithColon(edit_keys::ToText(text), FLabelColon));
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
  if (loading_) {
    FLabelPos = pos;
    return;
  }
  if (!FLabel.isNull() && FLabel->parentWidget() != box_.parentWidget()) {
    throw EShowError(1, box_.objectName());
  }
  FLabelPos = pos;
  PlaceLabel();
}

void LabelKeeper::SetLabelMargin(int margin) {
  if (margin == FLabelMargin) {
    return;
  }
  FLabelMargin = margin;
  if (!loading_) {
    PlaceLabel();
  }
}

void LabelKeeper::SetLabelRelLeft(int offset) {
  if (offset == FLabelRelLeft) {
    return;
  }
  FLabelRelLeft = offset;
  if (loading_) {
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
  if (loading_) {
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
  const editing::LabelOffsets offsets =
      editing::OffsetsFor(FLabelPos, {FLabelRelLeft, FLabelRelTop}, {box_.width(), box_.height()},
                          {label->width(), label->height()}, FLabelMargin);
  FLabelRelLeft = offsets.relLeft;
  FLabelRelTop = offsets.relTop;
  FTrackLabel = false;
  const int left = box_.x() + FLabelRelLeft;
  const int top = box_.y() + FLabelRelTop;
  if (auto* enhLabel = qobject_cast<TEnhLabel*>(label)) {
    enhLabel->SetBounds(left, top, label->width(), label->height());
  } else {
    label->setGeometry(left, top, label->width(), label->height());
  }
  FTrackLabel = true;
  // A label made after its window was shown is hidden until shown on purpose.
  if (VisibleFlag(box_)) {
    if (label->isHidden()) {
      label->show();
    }
  } else if (VisibleFlag(*label)) {
    label->hide();
  }
}

void LabelKeeper::SetLabelOffsets(bool fromWidth, int width) {
  if (fromWidth) {
    const editing::LabelOffsets offsets = editing::SideOffsets(width, box_.width(), FLabelMargin);
    FLabelRelLeft = offsets.relLeft;
    FLabelRelTop = offsets.relTop;
  } else if (!FLabel.isNull()) {
    FLabelRelLeft = FLabel->x() - box_.x();
    FLabelRelTop = FLabel->y() - box_.y();
  }
}

void LabelKeeper::LabelChanged() {
  if (!FTrackLabel) {
    return;
  }
  if (FLabelPos == lpCustom) {
    // Where the label was moved to becomes its custom place.
    SetLabelOffsets(false);
  } else if (!loading_) {
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
  if (servedBox != nullptr && servedBox != &box_ && servedBox->metaObject()->inherits(&boxClass_)) {
    // The label already serves another box of this kind.
    forgetLabel();
    return;
  }
  if (loading_) {
    FLabel = label;
    InstallBoundsHandler(label);
    return;
  }
  if (label->window() != box_.window()) {
    throw EShowError(2, box_.objectName());
  }
  FreeLabel();
  FLabelPos = lpCustom;
  FLabel = label;
  if (label->objectName().isEmpty()) {
    label->setObjectName(OwnLabelName(box_.objectName()));
  }
  label->setBuddy(&box_);
  SetLabelOffsets(false);
  InstallBoundsHandler(label);
  FLabelColon = editing::CaptionHasColon(edit_keys::ToText(label->text()));
}

void LabelKeeper::CreateLabel() {
  if (!FLabel.isNull()) {
    return;
  }
  auto* label = new TEnhLabel(box_.parentWidget());
  label->setObjectName(OwnLabelName(box_.objectName()));
  label->SetFocusControl(&box_);
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
  const QString oldName = boxName_;
  boxName_ = newName;
  if (loading_ || FLabel.isNull()) {
    return;
  }
  if (FLabel->objectName() == OwnLabelName(oldName)) {
    FLabel->setObjectName(OwnLabelName(newName));
  }
}

void LabelKeeper::BoxBoundsChanged() {
  if (!FLabel.isNull() && !loading_) {
    PlaceLabel();
  }
}

void LabelKeeper::BoxVisibleChanging(bool visible) {
  if (FLabel.isNull() || visible == VisibleFlag(box_)) {
    return;
  }
  if (!visible) {
    FLabel->hide();
  } else {
    if (!loading_) {
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
    const QWidget* window = box_.window();
    for (QLabel* label : window->findChildren<QLabel*>()) {
      if (label->buddy() == &box_) {
        const bool loading = loading_;
        loading_ = true;
        SetLabelComponent(label);
        loading_ = loading;
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
    BoxEnabledChanged(box_.isEnabled());
  }
}

}  // namespace pixdeck
