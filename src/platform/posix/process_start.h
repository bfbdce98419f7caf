// Starting programs without a shell: a helper whose answer we read, and a
// program that goes its own way (the browser).
#pragma once

#include <string>
#include <vector>

#include "text/expected.h"

namespace pixdeck::platform {

// Runs program with arguments, its output captured and its input and errors
// on the null device. Fails when it cannot be run, ends with an exit code
// other than 0 or takes longer than timeoutMs (it is then killed).
Expected<std::string> RunAndCapture(const std::string& program,
                                    const std::vector<std::string>& arguments, int timeoutMs);

// Starts arguments[0] (a bare name looked up on PATH) with the rest as its
// arguments, in its own session, with standard input, output and error on the
// null device; nobody waits for it. Fails when the program cannot be executed.
Expected<void> StartDetached(std::vector<std::string> arguments);

}  // namespace pixdeck::platform
