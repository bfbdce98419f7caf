// What every window of the program does for its input boxes once its form
// is read: one shared context menu ("qx_InputBoxMenu") and one master
// ("InputBoxMaster1", insert mode, context menu on) for all of its boxes,
// every box loaded, and the focused box committed before a shortcut acts.
#pragma once

class QWidget;

namespace pixdeck {

// The menu and the master become children of the window.
void SetUpInputBoxes(QWidget& window);

}  // namespace pixdeck
