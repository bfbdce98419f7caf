// Messages for a terminal program: every box becomes one line on a stream.
#pragma once

#include <ostream>
#include <string>

#include "util/messages.h"

namespace pixdeck::cli {

class StreamMessages : public Messages {
 public:
  explicit StreamMessages(std::ostream& stream) : stream_(stream) {}
  void DefaultBeep() override {}
  void WarningBeep() override {}
  int ShowMessageBox(const std::string& text, MessageKind /*kind*/) override {
    stream_ << text << '\n';
    return 1;  // OK
  }

 private:
  std::ostream& stream_;
};

}  // namespace pixdeck::cli
