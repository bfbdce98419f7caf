// The Windows side of the message sink: the system's sounds and modal
// message boxes captioned with the kind's name, over the active window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "util/messages.h"

namespace pixdeck {

class WinMessages : public Messages {
 public:
  void DefaultBeep() override;
  void WarningBeep() override;
  // Returns the number of the pressed button (IDOK, 1).
  int ShowMessageBox(const std::string& text, MessageKind kind) override;

  // Tests replace the sounds and the box with recorders; an empty function
  // restores the real one.
  using BeepRunner = std::function<void(UINT type)>;
  using BoxRunner = std::function<int(const std::string& text, MessageKind kind)>;
  static void SetBeepRunner(BeepRunner runner);
  static void SetBoxRunner(BoxRunner runner);
};

// The program's one sink for its windows.
WinMessages& AppMessages();

// Sets the control's enabled state only when it differs, so an unchanged
// state causes no update.
void SetButtonEnabled(HWND control, bool state);

}  // namespace pixdeck
