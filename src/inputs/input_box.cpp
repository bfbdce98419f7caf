#include "inputs/input_box.h"

#include <QEvent>
#include <QWidget>

#include "inputs/popup_menu.h"

namespace pixdeck {

InputBoxMaster* InputBox::Master() const {
  return masterObject_.isNull() ? nullptr : FMaster;
}

void InputBox::SetMaster(InputBoxMaster* master) {
  FMaster = master;
  masterObject_ = master != nullptr ? master->MasterObject() : nullptr;
}

void InputBox::FollowParent(const QEvent& event, const QWidget& widget) {
  if (event.type() == QEvent::ParentChange && widget.parentWidget() != nullptr) {
    AttachToMaster();
  }
}

void InputBox::AttachToMaster() {
  QWidget* box = BoxWidget();
  SetMaster(FindInputBoxMaster(OwnerOf(box)));
  InputBoxMaster* master = Master();
  if (master == nullptr) {
    return;
  }
  if (master->UseContextMenu()) {
    SetPopupMenu(box, master->InputBoxMenu());
  }
  SetOverwriteMode(master->OverwriteMode());
}

InputBox* AsInputBox(QObject* object) {
  return dynamic_cast<InputBox*>(object);
}

QWidget* OwnerOf(const QWidget* box) {
  if (box == nullptr || box->parentWidget() == nullptr) {
    return nullptr;
  }
  return box->window();
}

InputBoxMaster* FindInputBoxMaster(const QObject* owner) {
  if (owner == nullptr) {
    return nullptr;
  }
  for (QObject* child : owner->findChildren<QObject*>()) {
    if (auto* master = dynamic_cast<InputBoxMaster*>(child)) {
      return master;
    }
  }
  return nullptr;
}

std::vector<InputBox*> InputBoxesOf(const QObject* owner) {
  std::vector<InputBox*> boxes;
  if (owner == nullptr) {
    return boxes;
  }
  for (QObject* child : owner->findChildren<QObject*>()) {
    if (InputBox* box = AsInputBox(child)) {
      boxes.push_back(box);
    }
  }
  return boxes;
}

void LoadInputBoxes(const QObject* owner) {
  for (InputBox* box : InputBoxesOf(owner)) {
    box->Loaded();
  }
}

}  // namespace pixdeck
