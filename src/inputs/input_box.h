// What the shared context menu and the window's master need from every input
// box (edit, masked edit, memo and combo box), and how boxes and master find
// each other on a window.
#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

#include "editing/edit_control.h"
#include "editing/menu_entries.h"

class QMenu;
class QWidget;

namespace pixdeck {

class InputBoxMaster;

// Every box of the family implements this next to its Qt base class; the
// shared menu's queries and commands are the editing layer's MenuTarget.
class InputBox : public editing::MenuTarget {
 public:
  virtual ~InputBox() = default;

  // The box as a widget (the combo box itself, not its edit part).
  virtual QWidget* BoxWidget() = 0;

  // The one-time set-up once the window's description has been applied
  // (right after setupUi): takes the undo text and starts tracking edits.
  virtual void Loaded() = 0;

  // Insert/overwrite mode. SetOverwriteMode is what the master calls on
  // every box; ToggleOverwriteMode is the Insert key and the menu's entry
  // (through the master when DispatchInsMode is on).
  virtual void SetOverwriteMode(bool value) = 0;
  virtual bool DispatchInsMode() const = 0;

  // Whether the keyboard focus is in the box's edit part; the menu focuses
  // the box before it opens when this is false.
  virtual bool HasEditFocus() const = 0;

  // A button is about to act while the box has the focus: the box checks its
  // text as if it were left (the combo box against its list). Edits have
  // nothing to check.
  virtual void ValidateBeforeAction() {}

  // The master of the box's window, or none. The master sets it on every
  // box when it is loaded; a box also finds it itself when it gets a parent.
  InputBoxMaster* Master() const;
  void SetMaster(InputBoxMaster* master);

 protected:
  // Looks for the master of the box's window and takes its menu (when the
  // master shares one) and its overwrite mode. Boxes call it when they get
  // a parent.
  void AttachToMaster();

 private:
  QPointer<QObject> masterObject_;  // forgets a master that is destroyed
  InputBoxMaster* FMaster = nullptr;
};

// The window-wide coordinator of the boxes' mode and menu, at most one per
// window: a QObject child of the window that implements this. The boxes'
// editing model reaches it as the keeper of the window's mode.
class InputBoxMaster : public editing::ModeMaster {
 public:
  virtual ~InputBoxMaster() = default;

  // The master as a QObject, so that boxes notice when it is destroyed.
  virtual QObject* MasterObject() = 0;

  // ModeMaster: sets the mode of every box of the window and reports the
  // change.
  bool OverwriteMode() const override = 0;
  void SetOverwriteMode(bool value) override = 0;

  // The menu that the window's edit-like controls share, when it is used.
  virtual bool UseContextMenu() const = 0;
  virtual QMenu* InputBoxMenu() const = 0;
};

// The box as an input box of the family, or none.
InputBox* AsInputBox(QObject* object);

// The window that a box belongs to: none for a box without a parent.
QWidget* OwnerOf(const QWidget* box);

// The first master among the owner's descendants (in child order), or none;
// none for no owner.
InputBoxMaster* FindInputBoxMaster(const QObject* owner);

// Every input box among the owner's descendants, in child order.
std::vector<InputBox*> InputBoxesOf(const QObject* owner);

// Runs Loaded on every input box of the window (after setupUi).
void LoadInputBoxes(const QObject* owner);

}  // namespace pixdeck
