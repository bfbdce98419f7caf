// The desktop's program for a document, and starting programs, on POSIX.
//
// The program for an HTML document is the desktop's default for text/html
// (xdg-mime names a desktop entry, whose Exec line names the program), else
// $BROWSER, else the first of x-www-browser, sensible-browser and xdg-open on
// PATH. Every answer is an executable's full path, or, for a desktop entry
// whose Exec line has more than the program and its URL code, that whole line
// with the program's full path in front.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/exec_line.h"
#include "platform/shell.h"
#include "util/paths.h"

extern char** environ;

namespace pixdeck::platform {

namespace {

// How long the desktop's helper (xdg-mime) may take to answer.
constexpr int kHelperTimeoutMs = 5000;

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos)
      return parts;
    start = end + 1;
  }
}

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos)
    return {};
  const std::size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

// The full path of a program: a name with a "/" is taken as a path (made
// absolute), a bare name is looked up on PATH. Empty when no executable file
// answers.
std::string ResolveProgram(const std::string& program) {
  if (program.empty())
    return {};
  if (program.find('/') != std::string::npos) {
    if (!IsExecutableFile(program))
      return {};
    if (program.front() == '/')
      return program;
    char* cwd = ::getcwd(nullptr, 0);
    if (cwd == nullptr)
      return {};
    std::string full = JoinPath(cwd, program, PathStyle::Posix);
    std::free(cwd);
    return full;
  }
  for (const std::string& dir : Split(Env("PATH"), ':')) {
    // An empty PATH entry is the current directory.
    std::string candidate = JoinPath(dir.empty() ? "." : dir, program, PathStyle::Posix);
    if (IsExecutableFile(candidate))
      return ResolveProgram(candidate);
  }
  return {};
}

// Runs a helper program with its output captured; nullopt when it cannot be
// run, fails or takes too long.
std::optional<std::string> RunAndCapture(const std::string& program,
                                         const std::vector<std::string>& arguments) {
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0)
    return std::nullopt;

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  if (spawned != 0) {
    ::close(pipeFds[0]);
    return std::nullopt;
  }

  std::string output;
  bool finished = false;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kHelperTimeoutMs);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0)
      break;
    pollfd entry{pipeFds[0], POLLIN, 0};
    const int ready = ::poll(&entry, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR)
      continue;
    if (ready <= 0)
      break;
    char buffer[1024];
    const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      finished = (n == 0);
      break;
    }
    output.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(pipeFds[0]);
  if (!finished)
    ::kill(pid, SIGKILL);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!finished || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return std::nullopt;
  return output;
}

// Asks xdg-mime; the first line of its answer, or empty.
std::string QueryXdgMime(const std::vector<std::string>& arguments) {
  const std::string xdgMime = ResolveProgram("xdg-mime");
  if (xdgMime.empty())
    return {};
  const std::optional<std::string> output = RunAndCapture(xdgMime, arguments);
  if (!output)
    return {};
  return Trim(output->substr(0, output->find('\n')));
}

// The folders that hold desktop entries, most important first.
std::vector<std::string> ApplicationDirs() {
  std::vector<std::string> dirs;
  std::string dataHome = Env("XDG_DATA_HOME");
  if (dataHome.empty() && !Env("HOME").empty())
    dataHome = Env("HOME") + "/.local/share";
  if (!dataHome.empty())
    dirs.push_back(dataHome + "/applications");
  std::string dataDirs = Env("XDG_DATA_DIRS");
  if (dataDirs.empty())
    dataDirs = "/usr/local/share:/usr/share";
  for (const std::string& dir : Split(dataDirs, ':')) {
    if (!dir.empty())
      dirs.push_back(dir + "/applications");
  }
  return dirs;
}

// A desktop file id "a-b.desktop" may also live at "a/b.desktop".
std::vector<std::string> DesktopFileCandidates(const std::string& id) {
  std::vector<std::string> candidates{id};
  std::string nested = id;
  for (std::size_t dash = nested.find('-'); dash != std::string::npos;
       dash = nested.find('-', dash + 1)) {
    nested[dash] = '/';
    candidates.push_back(nested);
  }
  return candidates;
}

// Undoes the escapes of a desktop-entry string value.
std::string UnescapeValue(const std::string& value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    const char next = value[++i];
    switch (next) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case '\\':
        out += '\\';
        break;
      default:
        out += '\\';
        out += next;
    }
  }
  return out;
}

// The program of an Exec command line: its first word, or, when that is
// "env", the first word after env's options and variable settings.
std::string FirstExecWord(const std::string& command) {
  const std::vector<std::string> words = ExecWords(command);
  if (words.empty())
    return {};
  const std::string& first = words.front();
  if (first != "env" && NameOf(first, PathStyle::Posix) != "env")
    return first;
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    // These options take the next word as their value.
    if (word == "-u" || word == "--unset" || word == "-C" || word == "--chdir") {
      ++i;
      continue;
    }
    if (word.empty() || word.front() == '-' || word.find('=') != std::string::npos)
      continue;
    return word;
  }
  return {};
}

// The Exec line of a desktop entry file, its string escapes undone; empty
// when the file cannot be read or has none.
std::string ExecLineOf(const std::string& desktopFile) {
  std::ifstream in(desktopFile);
  if (!in)
    return {};
  std::string line;
  bool inMainGroup = false;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty() || line.front() == '#')
      continue;
    if (line.front() == '[') {
      inMainGroup = (line == "[Desktop Entry]");
      continue;
    }
    if (!inMainGroup || line.compare(0, 4, "Exec") != 0)
      continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || Trim(line.substr(4, equals - 4)) != "")
      continue;
    return UnescapeValue(Trim(line.substr(equals + 1)));
  }
  return {};
}

// What starts the program of an Exec line: the program's full path when the
// line is the program and at most its field codes; otherwise the whole line
// with the program's full path in front (a wrapper such as "flatpak run ..."
// or "env VAR=x browser %u", or a browser with options of its own). Empty when
// the program, or the browser that env starts, is not installed.
std::string StartCommandOf(const std::string& execLine) {
  const std::vector<ExecWord> words = SplitExecLine(execLine);
  if (words.empty() || ResolveProgram(FirstExecWord(execLine)).empty())
    return {};
  const std::string program = ResolveProgram(words.front().text);
  if (program.empty())
    return {};
  bool onlyFieldCodes = true;
  for (std::size_t i = 1; i < words.size(); ++i) {
    const ExecWord& word = words[i];
    onlyFieldCodes =
        onlyFieldCodes && word.text.size() == 2 && word.fieldCodeAt[0] && word.text[1] != '%';
  }
  if (onlyFieldCodes)
    return program;
  return QuoteExecWord(program) + execLine.substr(words.front().end);
}

// The program of the desktop's default application for a MIME type.
std::string DefaultProgramFor(const std::string& mimeType) {
  std::string id = QueryXdgMime({"query", "default", mimeType});
  id = Trim(id.substr(0, id.find(';')));
  if (id.empty() || id.find("..") != std::string::npos)
    return {};
  for (const std::string& dir : ApplicationDirs()) {
    for (const std::string& candidate : DesktopFileCandidates(id)) {
      const std::string file = dir + "/" + candidate;
      if (::access(file.c_str(), R_OK) != 0)
        continue;
      // The first entry found is the one the desktop uses, usable or not.
      return StartCommandOf(ExecLineOf(file));
    }
  }
  return {};
}

// $BROWSER: a list of commands separated by ":", each possibly with "%s" and
// further arguments; the first that names an executable wins.
std::string ProgramFromBrowserVariable() {
  for (const std::string& entry : Split(Env("BROWSER"), ':')) {
    const std::string command = Trim(entry);
    if (command.empty())
      continue;
    std::string program = ResolveProgram(command);  // a path with blanks
    if (program.empty())
      program = ResolveProgram(FirstExecWord(command));
    if (!program.empty())
      return program;
  }
  return {};
}

std::string WebBrowserProgram() {
  std::string program = DefaultProgramFor("text/html");
  if (program.empty())
    program = ProgramFromBrowserVariable();
  for (const char* name : {"x-www-browser", "sensible-browser", "xdg-open"}) {
    if (!program.empty())
      break;
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
  if (documentPath.empty() || ::stat(documentPath.c_str(), &info) != 0)
    return {};
  if (IsHtmlExtension(documentPath))
    return WebBrowserProgram();
  const std::string mimeType = QueryXdgMime({"query", "filetype", documentPath});
  if (mimeType.empty())
    return {};
  if (mimeType == "text/html" || mimeType == "application/xhtml+xml")
    return WebBrowserProgram();
  return DefaultProgramFor(mimeType);
}

std::optional<std::string> FindExecutableByName(const std::string& documentName) {
  if (!IsHtmlExtension(documentName))
    return std::nullopt;
  return WebBrowserProgram();
}

bool StartProgram(const std::string& program, const std::string& argument) {
  if (program.empty())
    return false;
  // A program file is started as it is named, blanks and all; anything else
  // is a command line in the desktop-entry form (a wrapper with arguments).
  std::vector<std::string> arguments{program, argument};
  if (!IsExecutableFile(program) && ExecWords(program).size() > 1)
    arguments = ExecArguments(program, argument);
  std::vector<char*> argv;
  for (std::string& word : arguments)
    argv.push_back(word.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // Nothing of ours is the browser's: it reads no input and its chatter
  // reaches no terminal, and a caller reading our output is not kept waiting
  // for the browser to close.
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
#ifdef POSIX_SPAWN_SETSID
  // The browser outlives us and our terminal.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
#endif
  pid_t pid = 0;
  // A bare name is looked up on PATH, as the Windows launcher does.
  const int result = ::posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (result != 0)
    return false;
  // Nobody waits for the browser; collect its exit status so it leaves no zombie.
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return true;
}

}  // namespace pixdeck::platform
