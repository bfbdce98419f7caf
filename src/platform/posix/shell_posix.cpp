// The desktop's program for a document, and starting programs, on POSIX.
//
// The program for an HTML document is the desktop's default for text/html
// (xdg-mime names a desktop entry, whose Exec line names the program), else
// $BROWSER, else the first of x-www-browser, sensible-browser and xdg-open on
// PATH. Every answer is an executable's full path, or, for a desktop entry
// whose Exec line has more than the program and its URL code, that whole line
// with the program's full path in front.
#include <sys/stat.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/posix/browser_variable.h"
#include "platform/posix/exec_line.h"
#include "platform/posix/process_start.h"
#include "platform/posix/program_path.h"
#include "platform/posix/xdg_mime.h"
#include "platform/shell.h"
#include "text/ascii.h"
#include "text/path_names.h"

namespace pixdeck::platform {

namespace {

std::string WebBrowserProgram() {
  std::string program = DefaultProgramFor("text/html");
  if (program.empty()) {
    program = ProgramFromBrowserVariable();
  }
  for (const char* name : {"x-www-browser", "sensible-browser", "xdg-open"}) {
    if (!program.empty()) {
      break;
    }
    program = ResolveProgram(name);
  }
  return program;
}

bool IsHtmlExtension(const std::string& documentPath) {
  const std::string ext = UpperAscii(ExtOf(documentPath, PathStyle::Posix));
  return ext == "HTM" || ext == "HTML" || ext == "SHTML" || ext == "XHTML";
}

}  // namespace

std::string FindExecutable(const std::string& documentPath) {
  // Like the Windows shell, the question needs an existing document.
  struct stat info {};
  if (documentPath.empty() || ::stat(documentPath.c_str(), &info) != 0) {
    return {};
  }
  if (IsHtmlExtension(documentPath)) {
    return WebBrowserProgram();
  }
  const std::string mimeType = QueryXdgMime({"query", "filetype", documentPath});
  if (mimeType.empty()) {
    return {};
  }
  if (mimeType == "text/html" || mimeType == "application/xhtml+xml") {
    return WebBrowserProgram();
  }
  return DefaultProgramFor(mimeType);
}

std::optional<std::string> FindExecutableByName(const std::string& documentName) {
  if (!IsHtmlExtension(documentName)) {
    return std::nullopt;
  }
  return WebBrowserProgram();
}

Expected<void> StartProgram(const std::string& program, const std::string& argument) {
  if (program.empty()) {
    return Unexpected("No program to start");
  }
  // A program file is started as it is named, blanks and all; anything else
  // is a command line in the desktop-entry form (a wrapper with arguments).
  std::vector<std::string> arguments{program, argument};
  if (!IsExecutableFile(program) && ExecWords(program).size() > 1) {
    arguments = ExecArguments(program, argument);
  }
  return StartDetached(std::move(arguments));
}

}  // namespace pixdeck::platform
