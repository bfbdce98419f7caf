// The undo text of an input box: the text it was loaded with or that the
// program last set. An empty text may be kept as none or as an empty copy;
// both read back as empty text.
#pragma once

#include <optional>
#include <string>

namespace pixdeck::editing {

class TUndoBuffer {
 public:
  void Clear() {
    text_.clear();
    hasText_ = false;
  }
  // Keeps a non-empty text; an empty one leaves none.
  void SetText(const std::u16string& text);
  // Keeps a copy of the characters, even an empty one; none leaves none.
  void AssignChars(const std::optional<std::u16string>& chars);
  std::u16string GetText() const { return text_; }
  bool HasText() const { return hasText_; }

 private:
  std::u16string text_;
  bool hasText_ = false;
};

}  // namespace pixdeck::editing
