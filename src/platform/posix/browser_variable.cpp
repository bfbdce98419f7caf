#include "platform/posix/browser_variable.h"

#include <vector>

#include "platform/posix/desktop_entry.h"
#include "platform/posix/program_path.h"
#include "text/ascii.h"

namespace pixdeck::platform {

std::string ProgramFromBrowserVariable() {
  for (const std::string& entry : SplitList(EnvironmentValue("BROWSER"), ':')) {
    const std::string command(TrimAscii(entry));
    if (command.empty()) {
      continue;
    }
    std::string program = ResolveProgram(command);  // a path with blanks
    if (program.empty()) {
      program = ResolveProgram(FirstExecWord(command));
    }
    if (!program.empty()) {
      return program;
    }
  }
  return {};
}

}  // namespace pixdeck::platform
