#include "editing/undo_buffer.h"

namespace pixdeck::editing {

void TUndoBuffer::SetText(const std::u16string& text) {
  Clear();
  if (!text.empty()) {
    text_ = text;
    hasText_ = true;
  }
}

void TUndoBuffer::AssignChars(const std::optional<std::u16string>& chars) {
  Clear();
  if (chars.has_value()) {
    text_ = *chars;
    hasText_ = true;
  }
}

}  // namespace pixdeck::editing
