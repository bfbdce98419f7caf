// The open and save dialogs behind every browse button: the system's common
// dialogs (GetOpenFileNameW, GetSaveFileNameW), started where the shared
// browse rules say (util/browse_start.h).
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <functional>
#include <string>

namespace pixdeck {

// Both return true when the user confirmed a non-empty name, which then
// replaces fileName (and readOnly, when it was true on entry). With
// useFileDir the dialog starts in the proposed name's folder.
bool BrowseOpenFile(HWND owner, std::string& fileName, bool& readOnly, bool useFileDir,
                    const std::string& defaultExt, const std::string& filter,
                    const std::string& title);
bool BrowseSaveFile(HWND owner, std::string& fileName, bool useFileDir,
                    const std::string& defaultExt, const std::string& filter,
                    const std::string& title);

// "HTML (*.htm)|*.htm|All Files (*.*)|*.*" as the dialogs read it: pairs
// separated by NUL characters, the list ended by two.
std::wstring DialogFilter(const std::string& filter);

// Tests answer the dialog themselves: the runner gets the filled structure,
// may write the chosen name into its buffer and returns what the dialog
// would. An empty runner restores the system's dialogs.
enum class DialogKind { Open, Save };
using DialogRunner = std::function<bool(OPENFILENAMEW& request, DialogKind kind)>;
void SetDialogRunner(DialogRunner runner);

}  // namespace pixdeck
