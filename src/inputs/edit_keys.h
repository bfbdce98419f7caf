// Qt's keys, clipboard and strings as the editing model takes them.
#pragma once

#include <QString>

#include "editing/edit_control.h"

class QKeyEvent;

namespace pixdeck::edit_keys {

// The key and the modifiers held with it (the keypad flag is no part of
// them).
editing::KeyStroke StrokeOf(const QKeyEvent& event);

// The clipboard holds plain text.
bool ClipboardHasText();

// QString and the model's text both count UTF-16 code units.
inline editing::Text ToText(const QString& text) {
  return text.toStdU16String();
}
inline QString FromText(const editing::Text& text) {
  return QString::fromStdU16String(text);
}

}  // namespace pixdeck::edit_keys
