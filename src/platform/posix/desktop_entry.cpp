#include "platform/posix/desktop_entry.h"

#include <fstream>

#include "platform/posix/exec_line.h"
#include "platform/posix/program_path.h"
#include "text/ascii.h"
#include "text/path_names.h"

namespace pixdeck::platform {

namespace {

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

}  // namespace

std::vector<std::string> ApplicationDirs() {
  std::vector<std::string> dirs;
  std::string dataHome = EnvironmentValue("XDG_DATA_HOME");
  if (dataHome.empty() && !EnvironmentValue("HOME").empty()) {
    dataHome = EnvironmentValue("HOME") + "/.local/share";
  }
  if (!dataHome.empty()) {
    dirs.push_back(dataHome + "/applications");
  }
  std::string dataDirs = EnvironmentValue("XDG_DATA_DIRS");
  if (dataDirs.empty()) {
    dataDirs = "/usr/local/share:/usr/share";
  }
  for (const std::string& dir : SplitList(dataDirs, ':')) {
    if (!dir.empty()) {
      dirs.push_back(dir + "/applications");
    }
  }
  return dirs;
}

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

std::string FirstExecWord(const std::string& command) {
  const std::vector<std::string> words = ExecWords(command);
  if (words.empty()) {
    return {};
  }
  const std::string& first = words.front();
  if (first != "env" && NameOf(first, PathStyle::Posix) != "env") {
    return first;
  }
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    // These options take the next word as their value.
    if (word == "-u" || word == "--unset" || word == "-C" || word == "--chdir") {
      ++i;
      continue;
    }
    if (word.empty() || word.front() == '-' || word.find('=') != std::string::npos) {
      continue;
    }
    return word;
  }
  return {};
}

std::string ExecLineOf(const std::string& desktopFile) {
  std::ifstream in(desktopFile);
  if (!in) {
    return {};
  }
  std::string line;
  bool inMainGroup = false;
  while (std::getline(in, line)) {
    line = std::string(TrimAscii(line));
    if (line.empty() || line.front() == '#') {
      continue;
    }
    if (line.front() == '[') {
      inMainGroup = (line == "[Desktop Entry]");
      continue;
    }
    if (!inMainGroup || line.compare(0, 4, "Exec") != 0) {
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || !TrimAscii(line.substr(4, equals - 4)).empty()) {
      continue;
    }
    return UnescapeValue(std::string(TrimAscii(std::string_view(line).substr(equals + 1))));
  }
  return {};
}

std::string StartCommandOf(const std::string& execLine) {
  const std::vector<ExecWord> words = SplitExecLine(execLine);
  if (words.empty() || ResolveProgram(FirstExecWord(execLine)).empty()) {
    return {};
  }
  std::string program = ResolveProgram(words.front().text);
  if (program.empty()) {
    return {};
  }
  bool onlyFieldCodes = true;
  for (std::size_t i = 1; i < words.size(); ++i) {
    const ExecWord& word = words[i];
    onlyFieldCodes =
        onlyFieldCodes && word.text.size() == 2 && word.fieldCodeAt[0] && word.text[1] != '%';
  }
  if (onlyFieldCodes) {
    return program;
  }
  return QuoteExecWord(program) + execLine.substr(words.front().end);
}

}  // namespace pixdeck::platform
