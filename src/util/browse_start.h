// Where the open and save dialogs behind the browse buttons start and what
// they propose, and the folder that the browses of a run remember, shared by
// every button of every window. The dialogs themselves belong to the windows.
#pragma once

#include <functional>
#include <string>

namespace pixdeck {

struct BrowseStart {
  std::string startDir;      // the folder the dialog opens in
  std::string proposedName;  // empty, a bare name or a path
};

// Where a browse for fileName starts: in the name's own folder when
// useFileDir is set and the name has one (proposing the bare name), else in
// the remembered folder (proposing the name, shortened when it lies there).
// A name with a wildcard is not proposed. The remembered folder starts as the
// program's current one.
BrowseStart PlaceBrowse(const std::string& fileName, bool useFileDir);

enum class BrowseKind { Open, Save };
// A confirmed choice: an open dialog always remembers the chosen file's
// folder, a save dialog only when it started from the file's folder.
void RememberBrowse(const std::string& chosenPath, BrowseKind kind, bool useFileDir);

// The program's current directory, where the first browse starts: the main
// window's directory list keeps it. Without a source (or when it answers
// empty), the process's current directory.
void SetCurrentDirSource(std::function<std::string()> source);

// The folder remembered between browses (empty until the first browse).
const std::string& LastBrowseDir();
void SetLastBrowseDir(const std::string& dir);

}  // namespace pixdeck
