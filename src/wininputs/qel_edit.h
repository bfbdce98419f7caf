// The single-line input box on a native EDIT control (ES_AUTOHSCROLL) that a
// dialog template created: single-level undo to its undo text, Escape as
// undo (UndoWhenEsc), overwrite mode switched by the Insert key for the whole
// window through the master, the modified flag and OnEdited, the shared
// context menu. See EditBox for the interface.
//
//   TQelEdit edtOutputName;
//   edtOutputName.SetUndoWhenEsc(true);
//   edtOutputName.Attach(GetDlgItem(dialog, IDC_OUTPUT_NAME));
//   edtOutputName.SetInitialTextUtf8(settings.outputName);
#pragma once

#include "wininputs/edit_box.h"

namespace pixdeck::wininputs {

class TQelEdit : public EditBox {
 public:
  TQelEdit() : EditBox(editing::EditPolicy::SingleLine()) {}
};

}  // namespace pixdeck::wininputs
