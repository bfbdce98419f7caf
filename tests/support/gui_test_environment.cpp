#include "gui_test_environment.h"

#include <stdlib.h>

namespace pixdeck::test {

GuiTestEnvironment::GuiTestEnvironment() {
  namespace fs = std::filesystem;
  // Qt accepts a runtime folder only when it is the user's alone.
  fs::permissions(runtime_.path(), fs::perms::owner_all, fs::perm_options::replace);
  ::setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

}  // namespace pixdeck::test
