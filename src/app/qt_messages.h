// The window side of the message sink: beeps through the application and
// modal message boxes captioned with the kind's name.
#pragma once

#include <functional>

#include "util/messages.h"

class QWidget;

namespace pixdeck {

class QtMessages : public Messages {
 public:
  void DefaultBeep() override;
  void WarningBeep() override;
  // Shows the text in a modal box over the active window (stay-on-top
  // windows are lowered meanwhile so they cannot cover it); returns the
  // number of the pressed button (1 for OK).
  int ShowMessageBox(const std::string& text, MessageKind kind) override;

  // Tests replace the box with a recorder; an empty function restores it.
  using BoxRunner = std::function<int(const std::string& text, MessageKind kind)>;
  static void SetBoxRunner(BoxRunner runner);
};

// The program's one sink for its windows.
QtMessages& AppMessages();

// Sets the control's enabled state only when it differs, so an unchanged
// state causes no update.
void SetButtonEnabled(QWidget* control, bool state);

}  // namespace pixdeck
