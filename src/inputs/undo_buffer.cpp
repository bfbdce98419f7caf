#include "inputs/undo_buffer.h"

namespace pixdeck {

void TUndoBuffer::SetText(const QString& text) {
  Clear();
  if (!text.isEmpty()) {
    FText = text;
    FHasText = true;
  }
}

void TUndoBuffer::AssignChars(const std::optional<QString>& chars) {
  Clear();
  if (chars.has_value()) {
    FText = *chars;
    FHasText = true;
  }
}

}  // namespace pixdeck
