// The context menu that a control shows on a right click, for any kind of
// control: our input boxes, the platform's edits and everything else. The
// menu learns which control opened it (its popup component).
#pragma once

class QMenu;
class QWidget;

namespace pixdeck {

// The menu given to the control, or none.
QMenu* PopupMenuOf(const QWidget* control);

// Gives the control a menu of its own (none: the control's usual menu again).
// The menu is not owned by the control; a menu that is freed is forgotten.
void SetPopupMenu(QWidget* control, QMenu* menu);

}  // namespace pixdeck
