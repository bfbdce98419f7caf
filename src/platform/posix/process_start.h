// Starting programs without a shell: a helper whose answer we read, and a
// program that goes its own way (the browser).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pixdeck::platform {

// Runs program with arguments, its output captured and its input and errors
// on the null device; nullopt when it cannot be run, fails or takes longer
// than timeoutMs (it is then killed).
std::optional<std::string> RunAndCapture(const std::string& program,
                                         const std::vector<std::string>& arguments, int timeoutMs);

// Starts arguments[0] (a bare name looked up on PATH) with the rest as its
// arguments, in its own session, with standard input, output and error on the
// null device; nobody waits for it. True when the program was executed.
bool StartDetached(std::vector<std::string> arguments);

}  // namespace pixdeck::platform
