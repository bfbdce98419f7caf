// The shell's program for a document, and starting programs.
#include <windows.h>
// after windows.h, which it builds on
#include <shellapi.h>
// shellapi.h maps FindExecutable to FindExecutableW; ours is another function.
#undef FindExecutable

#include <string>

#include "platform/shell.h"
#include "platform/win32/win32_text.h"

namespace pixdeck::platform {

namespace {

// One argument as the C runtime's command-line parser reads it back: quoted
// when it holds blanks, tabs or quotes (or is empty), with the backslashes
// before a quote doubled.
std::wstring QuoteArgument(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
    return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"')
      quoted.append(backslashes * 2 + 1, L'\\');
    else
      quoted.append(backslashes, L'\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(backslashes * 2, L'\\');
  quoted.push_back(L'"');
  return quoted;
}

}  // namespace

std::string FindExecutable(const std::string& documentPath) {
  if (documentPath.empty())
    return {};
  // The shell writes at most MAX_PATH characters and the terminating zero.
  wchar_t result[MAX_PATH + 1] = {};
  const HINSTANCE answer = ::FindExecutableW(ToWide(documentPath).c_str(), nullptr, result);
  if (reinterpret_cast<INT_PTR>(answer) <= 32)
    return {};
  return ToUtf8(result);
}

std::optional<std::string> FindExecutableByName(const std::string& /*documentName*/) {
  // The shell answers only for an existing document.
  return std::nullopt;
}

Expected<void> StartProgram(const std::string& program, const std::string& argument) {
  if (program.empty())
    return Unexpected("No program to start");
  // The program's path is quoted, so that a path with blanks names one program.
  std::wstring commandLine = L"\"" + ToWide(program) + L"\" " + QuoteArgument(ToWide(argument));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
    return LastErrorFailure("Cannot start " + program);
  // The browser runs on its own; nothing waits for it.
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return {};
}

}  // namespace pixdeck::platform
