// Which web browser the program uses: its path, its kind (for DDE) and whether
// a running browser is offered the page over DDE before one is started.
#pragma once

#include <string>

#include "browser/browser_dde.h"
#include "util/messages.h"

namespace pixdeck {

// Program-wide browser state. The path is the executable's full name (on
// POSIX it may be a desktop entry's whole command line, when that starts the
// browser through a wrapper); empty until a browser has been named or found.
const std::string& BrowserPath();
void SetBrowserPath(const std::string& path);  // no reclassification
bool UseDde();                                 // true at start
void SetUseDde(bool useDde);
TBrowser BrowserKind();  // brUnknown at start
void SetBrowserKind(TBrowser kind);
// Back to the start-up values (empty path, DDE on, kind unknown).
void ResetBrowserState();

// Takes path as the browser and reads its kind from the name (case ignored):
// "NETSCAPE" or "IEXPLORE"; a path naming neither keeps the earlier kind.
void SetBrowser(const std::string& path);

// The start-up configuration from the options "BrowserName" and
// "UseRegSettings": a named browser is taken as is; with no name and DDE on,
// the registered browser is detected at once (its error goes to messages).
void ConfigureBrowser(const std::string& name, bool useDdeFlag, Messages& messages);

// After the Options dialog closed with OK: a browser chosen by name replaces
// the path (an empty name makes the next view detect again), and the DDE
// switch follows "UseRegSettings". The kind is not read again.
void ApplyBrowserOptions(const std::string& browserName, bool useRegSettings);

// True when a browser path is known afterwards. Looks up the program that
// opens fileName (or the probe "~.HTM" for a name that is no HTML page) only
// when no path is known yet; shows "Error: Could not detect a Web browser!"
// when none is found.
bool DetectBrowser(const std::string& fileName, Messages& messages);

// True when the extension, cut to four characters, contains "HTM" (any case).
bool IsHtmlName(const std::string& name);

// The program registered for a document; empty when none.
std::string FindExecutableFor(const std::string& documentPath);

// The program registered for probeName. Where the system knows the program
// by the name alone, no file is touched. Otherwise a missing probe is created
// for the question (only when nothing of that name exists, never through a
// symbolic link) and deleted afterwards; an existing one is left alone.
// Failures give an empty result.
std::string FindExecutableViaProbe(const std::string& probeName);

}  // namespace pixdeck
