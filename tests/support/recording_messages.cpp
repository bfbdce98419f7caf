#include "recording_messages.h"

namespace pixdeck::test {

int RecordingMessages::ShowMessageBox(const std::string& text, MessageKind kind) {
  shown.push_back({text, kind});
  return 1;  // OK
}

}  // namespace pixdeck::test
