// Small helpers the program's windows share.
#pragma once

class QWidget;

namespace pixdeck {

// Moves a top-level window to the middle of the screen it is on.
void CenterOnScreen(QWidget* window);

}  // namespace pixdeck
