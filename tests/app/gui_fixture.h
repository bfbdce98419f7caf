// Shared set-up of the window tests: message boxes and file dialogs are
// replaced by recorders, and every test gets its own scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <deque>
#include <string>
#include <vector>

#include "app/file_dialogs.h"
#include "scratch_dir.h"
#include "util/messages.h"

namespace pixdeck::test {

struct ShownBox {
  std::string text;
  MessageKind kind;
};

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The dialog answers the next browse will give; each browse takes one.
  void AnswerNextDialog(const std::string& path, bool accepted = true);

  ScratchDir scratch;
  std::vector<ShownBox> boxes;
  std::vector<FileDialogRequest> dialogRequests;
  std::deque<FileDialogAnswer> dialogAnswers;
};

}  // namespace pixdeck::test
