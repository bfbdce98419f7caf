#include "gui_test_environment.h"

#include <stdlib.h>

namespace pixdeck::test {

GuiTestEnvironment::GuiTestEnvironment() {
  namespace fs = std::filesystem;
  // Qt accepts a runtime folder only when it is the user's alone.
  fs::permissions(runtime_.path(), fs::perms::owner_all, fs::perm_options::replace);
  ::setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The suites take the locale from the environment as the program does; one
  // fixed UTF-8 locale keeps their results the same whatever the caller has.
  ::setenv("LC_ALL", "C.UTF-8", 1);
  ::unsetenv("LANGUAGE");
}

}  // namespace pixdeck::test
