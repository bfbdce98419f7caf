#include "editing/show_error_text.h"

namespace pixdeck::editing {

Text ShowErrorMessage(std::uint16_t code, const Text& text) {
  switch (code) {
    case 1:
      return u"Cannot set label position. Label parent is different from " + text + u" parent.";
    case 2:
      return u"Cannot attach label to " + text + u". Label and control must be on the same form!";
    case 3:
      return u"There can only be one instance of this component. The current one is called " +
             text + u".";
    case 4:
      return u"Incorrect tab values assigned to " + text + u".";
    case 5:
      return u"Cannot sort list; too many items in " + text + u".";
    case 6:
      return u"Insufficient memory; procedure canceled.";
    case 7:
      return u"\"" + text + u"\" is not in the list!";
    default:
      return text.empty() ? Text(u"Undefined exception (?)") : text;
  }
}

}  // namespace pixdeck::editing
