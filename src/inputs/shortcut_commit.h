// A button pressed by its mnemonic (Alt+letter) acts without taking the
// focus, so the box being typed in is never left and never checks its text.
// The window's buttons then have the focused box check it first, as leaving
// the box would: a list-bound box cannot carry an unlisted text into what the
// button does, and a history box records the new text.
#pragma once

class QWidget;

namespace pixdeck {

// Has the focused input box of window validate its text (as when it is left)
// before any button of the window answers its shortcut. Buttons created
// later are not covered.
void CommitFocusedBoxOnShortcuts(QWidget* window);

// Validates the text of window's focused input box as leaving it would.
void CommitFocusedBox(const QWidget* window);

}  // namespace pixdeck
