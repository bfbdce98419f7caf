// How each kind of control answers the shared context menu: which entries it
// enables (and whether Overwrite Mode is checked) and what a chosen entry does.
#pragma once

#include <QPointer>
#include <array>

#include "inputs/show_menu.h"

class QAction;
class QWidget;

namespace pixdeck::menu_targets {

using EntryItems = std::array<QPointer<QAction>, kShowMenuCount>;

// Focuses the control if needed and sets the entries for it. Controls of
// other kinds leave the entries as they were.
void UpdateEntries(QWidget& control, const EntryItems& items);

// Carries out the entry's command on the control; other controls get nothing.
void RunEntry(QWidget& control, TShowMenu entry);

}  // namespace pixdeck::menu_targets
