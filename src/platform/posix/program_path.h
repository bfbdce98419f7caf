// Finding programs as the shell does: on PATH, or by a path with a "/".
#pragma once

#include <string>
#include <vector>

namespace pixdeck::platform {

// The environment variable's value; empty when it is not set.
std::string EnvironmentValue(const char* name);
// text cut at every separator; an empty text gives one empty part.
std::vector<std::string> SplitList(const std::string& text, char separator);
// A regular file that this user may execute.
bool IsExecutableFile(const std::string& path);
// The full path of a program: a name with a "/" is taken as a path (made
// absolute), a bare name is looked up on PATH. Empty when no executable file
// answers.
std::string ResolveProgram(const std::string& program);

}  // namespace pixdeck::platform
