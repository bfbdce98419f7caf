// What every offscreen GUI suite sets for itself before the QApplication
// exists, whatever the caller's environment holds: Qt's offscreen platform
// (no display needed, none used even when one is there) and a private
// runtime folder (Qt wants one, and the browser's DDE services live there).
#pragma once

#include "scratch_dir.h"

namespace pixdeck::test {

class GuiTestEnvironment {
 public:
  GuiTestEnvironment();
  GuiTestEnvironment(const GuiTestEnvironment&) = delete;
  GuiTestEnvironment& operator=(const GuiTestEnvironment&) = delete;

 private:
  ScratchDir runtime_;
};

}  // namespace pixdeck::test
