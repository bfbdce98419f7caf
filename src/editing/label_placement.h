// Where a caption label goes beside its input box, and how its caption
// carries the trailing colon: plain arithmetic on pixels and text, for every
// toolkit's labelled boxes.
#pragma once

#include <string>

namespace pixdeck::editing {

enum TLabelPos { lpCustom, lpTop, lpLeft, lpBottom, lpRight };

// The label's top lies this far below the box's top beside the box.
inline constexpr int SideLabelOffset = 3;

struct Size {
  int width = 0;
  int height = 0;
};

// The label's place relative to the box's top left corner (LabelRelLeft,
// LabelRelTop).
struct LabelOffsets {
  int relLeft = 0;
  int relTop = 0;
  bool operator==(const LabelOffsets&) const = default;
};

// The offsets for a position; lpCustom keeps the present ones.
LabelOffsets OffsetsFor(TLabelPos pos, LabelOffsets present, Size box, Size label, int margin);

// The side default of offsets from a width (0: half the box's width,
// truncated).
LabelOffsets SideOffsets(int width, int boxWidth, int margin);

// The caption for a label text: with a colon appended when asked for, the
// text is not empty and does not end with one already.
std::u16string CaptionWithColon(const std::u16string& text, bool colon);

// The label text of a caption: its trailing colon taken off when colons are
// on (a caption set without one stays whole).
std::u16string TextOfCaption(const std::u16string& caption, bool colon);

// Whether a label attached with this caption keeps the colon on: its caption
// ends with one.
bool CaptionHasColon(const std::u16string& caption);

}  // namespace pixdeck::editing
