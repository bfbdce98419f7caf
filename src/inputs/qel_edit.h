// The program's single-line edit: the common editing model, SetInitialText
// for the program's own values, and a button-face background while it is
// read-only.
#pragma once

#include <optional>

#include "inputs/box_colors.h"
#include "inputs/line_edit_box.h"

namespace pixdeck {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TQelEdit : public LineEditBox {
  Q_OBJECT
  Q_PROPERTY(int Alignment READ AlignmentValue WRITE SetAlignmentValue)
  Q_PROPERTY(int ScrollBars READ ScrollBarsValue WRITE SetScrollBarsValue)
  Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)

 public:
  explicit TQelEdit(QWidget* parent = nullptr);

  // Writes the text as the program's own: on a loaded edit a different text
  // becomes both the text and the undo text and the edit is not modified.
  void SetInitialText(const QString& text);
  // Sets a different text as a modification, caret at the start.
  void ReplaceText(const QString& text);
  // Leaving internal-change mode with a pending change makes the present
  // text the undo text.
  void SetInternalChange(bool value);

  // A button-face background while read-only; the colour it replaced is put
  // back when the edit becomes writable.
  void ApplyReadOnlyColor(bool readOnly);

  // The text's alignment in the box.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  // Kept for the window descriptions; a line edit shows one line, so they
  // change nothing on screen (multi-line text boxes are memos).
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value) { FScrollBars = value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value) { FWordWrap = value; }

  int AlignmentValue() const { return FAlignment; }
  void SetAlignmentValue(int value) { SetAlignment(static_cast<TAlignment>(value)); }
  int ScrollBarsValue() const { return FScrollBars; }
  void SetScrollBarsValue(int value) { SetScrollBars(static_cast<TScrollStyle>(value)); }

 protected:
  void InitAfterLoad() override;
  void changeEvent(QEvent* event) override;

 private:
  std::optional<SavedRole> savedColor_;
  bool readOnlyColored_ = false;
  TAlignment FAlignment = taLeftJustify;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = false;
};

}  // namespace pixdeck
