#include "inputs/input_box_master.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include "inputs/input_box_menu.h"
#include "inputs/popup_menu.h"
#include "inputs/show_error.h"
#include "inputs/window_of.h"

namespace pixdeck {

namespace {

const QString kMenuName = QStringLiteral("qx_InputBoxMenu");

// An edit that is part of another control (a combo box's or spin box's edit).
bool IsPartOfAnotherControl(const QWidget& edit) {
  const QWidget* parent = edit.parentWidget();
  return qobject_cast<const QComboBox*>(parent) != nullptr ||
         qobject_cast<const QAbstractSpinBox*>(parent) != nullptr;
}

}  // namespace

TInputBoxMaster* TInputBoxMaster::OfWindow(const QWidget* window) {
  if (window == nullptr) {
    return nullptr;
  }
  for (TInputBoxMaster* master : window->findChildren<TInputBoxMaster*>()) {
    if (master->OwnerWindow() == window) {
      return master;
    }
  }
  return nullptr;
}

QObject* TInputBoxMaster::RefuseSecondMaster(QObject* parent) {
  // Checked before this master joins the window, so the first one always
  // succeeds; a master without a window is never refused.
  if (TInputBoxMaster* present = OfWindow(WindowOf(parent))) {
    throw EShowError(3, present->objectName());
  }
  return parent;
}

TInputBoxMaster::TInputBoxMaster(QObject* parent) : QObject(RefuseSecondMaster(parent)) {}

TInputBoxMaster::~TInputBoxMaster() {
  disconnect(menuLink_);
}

QWidget* TInputBoxMaster::OwnerWindow() const {
  return WindowOf(parent());
}

QMenu* TInputBoxMaster::InputBoxMenu() const {
  return FInputBoxMenu.data();
}

std::vector<InputBox*> TInputBoxMaster::WindowBoxes() const {
  std::vector<InputBox*> boxes;
  QWidget* window = OwnerWindow();
  for (InputBox* box : InputBoxesOf(window)) {
    if (box->BoxWidget()->window() == window) {
      boxes.push_back(box);
    }
  }
  return boxes;
}

std::vector<QWidget*> TInputBoxMaster::EditLikeControls() const {
  std::vector<QWidget*> controls;
  QWidget* window = OwnerWindow();
  if (window == nullptr) {
    return controls;
  }
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (w->window() != window) {
      continue;
    }
    const bool ours = AsInputBox(w) != nullptr;
    const bool platformEdit =
        (qobject_cast<QLineEdit*>(w) != nullptr && !IsPartOfAnotherControl(*w)) ||
        qobject_cast<QPlainTextEdit*>(w) != nullptr;
    if (ours || platformEdit) {
      controls.push_back(w);
    }
  }
  return controls;
}

void TInputBoxMaster::Loaded() {
  AttachInputBoxes();
}

void TInputBoxMaster::AttachInputBoxes() {
  for (InputBox* box : WindowBoxes()) {
    box->SetMaster(this);
  }
}

void TInputBoxMaster::SetOverwriteMode(bool value) {
  if (value == FOverwriteMode) {
    return;
  }
  FOverwriteMode = value;
  for (InputBox* box : WindowBoxes()) {
    box->SetOverwriteMode(value);
  }
  DoModeChange();
}

void TInputBoxMaster::DoModeChange() {
  if (FOnModeChange) {
    FOnModeChange(this);
  }
}

void TInputBoxMaster::ObtainMenu() {
  QWidget* window = OwnerWindow();
  TInputBoxMenu* menu = nullptr;
  if (window != nullptr) {
    // The window's own menu, not that of a dialog it owns.
    for (TInputBoxMenu* candidate : window->findChildren<TInputBoxMenu*>(kMenuName)) {
      if (candidate->Owner() == window) {
        menu = candidate;
        break;
      }
    }
  }
  if (menu == nullptr) {
    menu = new TInputBoxMenu(window);
    menu->setObjectName(kMenuName);
  }
  FInputBoxMenu = menu;
  disconnect(menuLink_);
  menuLink_ = connect(menu, &QObject::destroyed, this, &TInputBoxMaster::MenuDestroyed);
}

void TInputBoxMaster::SetUseContextMenu(bool value) {
  if (value == FUseContextMenu) {
    return;
  }
  FUseContextMenu = value;
  if (FInputBoxMenu.isNull()) {
    ObtainMenu();
  }
  SpreadMenu();
}

void TInputBoxMaster::SpreadMenu() {
  for (QWidget* control : EditLikeControls()) {
    QMenu* own = PopupMenuOf(control);
    if (FUseContextMenu) {
      // A control with a menu of its own keeps it.
      if (own == nullptr) {
        SetPopupMenu(control, FInputBoxMenu.data());
      }
    } else if (qobject_cast<TInputBoxMenu*>(own) != nullptr) {
      // Every shared menu goes, even one the program gave by hand.
      SetPopupMenu(control, nullptr);
    }
  }
}

void TInputBoxMaster::SetInputBoxMenu(TInputBoxMenu* menu) {
  if (menu == FInputBoxMenu.data()) {
    return;
  }
  disconnect(menuLink_);
  FInputBoxMenu = menu;
  if (menu != nullptr) {
    menuLink_ = connect(menu, &QObject::destroyed, this, &TInputBoxMaster::MenuDestroyed);
  }
  SetUseContextMenu(menu != nullptr);
}

void TInputBoxMaster::MenuDestroyed() {
  // Every control forgets a freed menu by itself, so the window's controls
  // are not walked here (they may be half destroyed with the window). The
  // switch goes off without obtaining another menu.
  FUseContextMenu = false;
  FInputBoxMenu = nullptr;
}

}  // namespace pixdeck
