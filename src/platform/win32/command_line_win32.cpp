#include <windows.h>

#include <shellapi.h>

#include "platform/command_line.h"
#include "platform/win32/win32_text.h"

namespace pixdeck::platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr)
    return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    arguments.push_back(ToUtf8(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

}  // namespace pixdeck::platform
