#include "editing/label_placement.h"

namespace pixdeck::editing {

LabelOffsets OffsetsFor(TLabelPos pos, LabelOffsets present, Size box, Size label, int margin) {
  switch (pos) {
    case lpTop:
      return {0, -(label.height + margin)};
    case lpLeft:
      return {-(label.width + margin), SideLabelOffset};
    case lpBottom:
      return {0, box.height + margin};
    case lpRight:
      return {box.width + margin, SideLabelOffset};
    case lpCustom:
      break;
  }
  return present;
}

LabelOffsets SideOffsets(int width, int boxWidth, int margin) {
  if (width == 0) {
    width = boxWidth / 2;
  }
  return {-(width + margin), SideLabelOffset};
}

std::u16string CaptionWithColon(const std::u16string& text, bool colon) {
  if (colon && !text.empty() && text.back() != u':') {
    return text + u':';
  }
  return text;
}

std::u16string TextOfCaption(const std::u16string& caption, bool colon) {
  if (colon && !caption.empty() && caption.back() == u':') {
    return caption.substr(0, caption.size() - 1);
  }
  return caption;
}

bool CaptionHasColon(const std::u16string& caption) {
  return !caption.empty() && caption.back() == u':';
}

}  // namespace pixdeck::editing
