// The undo text of an input box: the text it was loaded with or that the
// program last set. An empty text may be kept as none or as an empty copy;
// both read back as empty text.
#pragma once

#include <QString>
#include <optional>

namespace pixdeck {

class TUndoBuffer {
 public:
  void Clear() {
    FText.clear();
    FHasText = false;
  }
  // Keeps a non-empty text; an empty one leaves none.
  void SetText(const QString& text);
  // Keeps a copy of the characters, even an empty one; none leaves none.
  void AssignChars(const std::optional<QString>& chars);
  QString GetText() const { return FText; }
  bool HasText() const { return FHasText; }

 private:
  // A text and a flag rather than std::optional<QString>: GCC 12 warns
  // falsely about an uninitialised QString inside the optional when it
  // optimises.
  QString FText;
  bool FHasText = false;
};

}  // namespace pixdeck
