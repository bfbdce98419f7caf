#include "util/messages.h"

#include <algorithm>

namespace pixdeck {

std::string TabsToSpaces(std::string_view text) {
  std::string copy(text);
  std::replace(copy.begin(), copy.end(), '\t', ' ');
  return copy;
}

void ShowInfo(Messages& sink, std::string_view text, bool beep) {
  if (beep) {
    sink.DefaultBeep();
  }
  sink.ShowMessageBox(TabsToSpaces(text), MessageKind::Information);
}

void ShowError(Messages& sink, std::string_view text) {
  sink.WarningBeep();
  sink.ShowMessageBox(TabsToSpaces(text), MessageKind::Error);
}

}  // namespace pixdeck
