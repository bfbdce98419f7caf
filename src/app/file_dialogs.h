// The open and save dialogs behind every browse button. The last folder a
// dialog confirmed is remembered for the run and shared by all buttons.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "util/browse_start.h"

class QWidget;

namespace pixdeck {

// What a browse asks of the dialog; tests inspect it through the runner seam.
struct FileDialogRequest {
  enum class Kind { Open, Save };
  Kind kind = Kind::Open;
  QWidget* owner = nullptr;
  std::string title;
  std::string defaultExt;  // without dot, as the caller gave it ("HTM")
  std::string filter;      // "description|patterns|description|patterns"
  std::string startDir;
  std::string proposedName;   // empty, a bare name or a path
  bool showReadOnly = false;  // open dialog: the read-only check box is offered
  bool readOnly = false;      // its initial state
  // The filter (counted from 0) that lists executable files only; -1: none.
  int executablesFilter = -1;
};

struct FileDialogAnswer {
  bool accepted = false;
  std::string chosenPath;  // full path
  bool readOnly = false;   // state of the read-only check box
};

using FileDialogRunner = std::function<FileDialogAnswer(const FileDialogRequest&)>;
// Replaces the real dialog (tests); an empty runner restores it.
void SetFileDialogRunner(FileDialogRunner runner);

// Both return true when the user confirmed a non-empty name, which then
// replaces fileName (and readOnly, when it was true on entry). With
// useFileDir the dialog starts in the proposed name's folder. An empty
// defaultExt adds nothing to a typed name; executablesFilter names the filter
// that lists only executable files (for programs without an extension).
bool BrowseOpenFile(QWidget* owner, std::string& fileName, bool& readOnly, bool useFileDir,
                    const std::string& defaultExt, const std::string& filter,
                    const std::string& title, int executablesFilter = -1);
bool BrowseSaveFile(QWidget* owner, std::string& fileName, bool useFileDir,
                    const std::string& defaultExt, const std::string& filter,
                    const std::string& title);

// "HTML (*.htm,*.html)|*.htm;*.html|All Files (*.*)|*.*" as Qt name filters:
// "HTML (*.htm *.html)", "All Files (*)".
QStringList QtNameFilters(const std::string& filter);

}  // namespace pixdeck
