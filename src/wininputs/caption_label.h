// A box's caption label that follows it: placed beside the box by
// LabelPos and LabelMargin (the editing layer's arithmetic), moved, shown and
// hidden with the box, shown as disabled with it, its caption carrying the
// trailing colon when LabelColon is on. The labelled boxes (lbl_edit.h,
// lbl_combo_box.h) carry one.
#pragma once

#include <windows.h>

#include <string>

#include "editing/label_placement.h"
#include "wininputs/enh_label.h"
#include "wininputs/window_hook.h"

namespace pixdeck::wininputs {

class CaptionLabel {
 public:
  CaptionLabel() = default;
  ~CaptionLabel() { Detach(); }
  CaptionLabel(const CaptionLabel&) = delete;
  CaptionLabel& operator=(const CaptionLabel&) = delete;

  // Attaches the template's STATIC label to the box where it stands:
  // LabelPos becomes lpCustom with the present offsets, LabelColon follows
  // the caption's trailing colon, and the label shows the box's enabled
  // state. Set LabelPos afterwards to place it.
  void Attach(HWND box, HWND label);
  void Detach();
  TEnhLabel& Label() { return label_; }

  editing::TLabelPos LabelPos() const { return pos_; }
  void SetLabelPos(editing::TLabelPos pos);
  int LabelMargin() const { return margin_; }
  void SetLabelMargin(int margin);
  // The label's place relative to the box's top left corner, in pixels;
  // setting either makes the position lpCustom.
  int LabelRelLeft() const { return offsets_.relLeft; }
  int LabelRelTop() const { return offsets_.relTop; }
  void SetLabelRelLeft(int value);
  void SetLabelRelTop(int value);
  bool LabelColon() const { return colon_; }
  void SetLabelColon(bool value);
  // The caption without its colon.
  std::u16string LabelText() const;
  void SetLabelText(const std::u16string& text);

  // Recomputes the offsets for LabelPos and moves the label there.
  void PlaceLabel();

 private:
  bool HandleBoxMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  RECT BoxRect() const;
  RECT LabelRect() const;

  HWND box_ = nullptr;
  WindowHook boxHook_;
  TEnhLabel label_;
  editing::TLabelPos pos_ = editing::lpLeft;
  int margin_ = 8;
  bool colon_ = true;
  editing::LabelOffsets offsets_;
};

}  // namespace pixdeck::wininputs
