#include "app/window_inputs.h"

#include <QWidget>

#include "inputs/input_box.h"
#include "inputs/input_box_master.h"
#include "inputs/input_box_menu.h"
#include "inputs/shortcut_commit.h"

namespace pixdeck {

void SetUpInputBoxes(QWidget& window) {
  auto* menu = new TInputBoxMenu(&window);
  menu->setObjectName(QStringLiteral("qx_InputBoxMenu"));
  auto* master = new TInputBoxMaster(&window);
  master->setObjectName(QStringLiteral("InputBoxMaster1"));
  master->SetOverwriteMode(false);
  master->SetUseContextMenu(true);
  master->SetInputBoxMenu(menu);
  master->Loaded();
  LoadInputBoxes(&window);
  CommitFocusedBoxOnShortcuts(&window);
}

}  // namespace pixdeck
