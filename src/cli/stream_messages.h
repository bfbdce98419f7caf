// Messages for a terminal program: every box becomes one line on standard
// error, after the program's name.
#pragma once

#include <ostream>
#include <string>

#include "cli/error_line.h"
#include "cli/progress_line.h"
#include "util/messages.h"

namespace pixdeck::cli {

class StreamMessages : public Messages {
 public:
  // A progress line, when given, is taken away before each message.
  explicit StreamMessages(std::ostream& stream, ProgressLine* progress = nullptr)
      : stream_(stream), progress_(progress) {}
  void DefaultBeep() override {}
  void WarningBeep() override {}
  int ShowMessageBox(const std::string& text, MessageKind /*kind*/) override {
    if (progress_ != nullptr) {
      progress_->Clear();
    }
    PrintError(stream_, text);
    return 1;  // OK
  }

 private:
  std::ostream& stream_;
  ProgressLine* progress_;
};

}  // namespace pixdeck::cli
