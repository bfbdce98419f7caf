// A Messages sink that records what would have been shown.
#pragma once

#include <string>
#include <vector>

#include "util/messages.h"

namespace pixdeck::test {

struct RecordedMessage {
  std::string text;
  MessageKind kind;
};

class RecordingMessages : public Messages {
 public:
  void DefaultBeep() override { ++defaultBeeps; }
  void WarningBeep() override { ++warningBeeps; }
  int ShowMessageBox(const std::string& text, MessageKind kind) override;

  std::vector<RecordedMessage> shown;
  int defaultBeeps = 0;
  int warningBeeps = 0;
};

}  // namespace pixdeck::test
