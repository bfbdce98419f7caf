// What the user must see from the core goes through this sink: the GUI shows
// message boxes, pixdeck-cli prints to stderr, tests record.
#pragma once

#include <string>
#include <string_view>

namespace pixdeck {

enum class MessageKind { Information, Error };

class Messages {
 public:
  virtual ~Messages() = default;
  // The system's default sound.
  virtual void DefaultBeep() = 0;
  // The system's exclamation sound.
  virtual void WarningBeep() = 0;
  // Shows text modally with the OK button and returns the pressed button's
  // number. Tabs are already replaced by blanks.
  virtual int ShowMessageBox(const std::string& text, MessageKind kind) = 0;
};

// A copy in which every tab is one blank.
std::string TabsToSpaces(std::string_view text);

// Optional default beep, then an information box.
void ShowInfo(Messages& sink, std::string_view text, bool beep);
// Exclamation beep, then an error box.
void ShowError(Messages& sink, std::string_view text);

}  // namespace pixdeck
