// The program's settings: where the settings file lives, and loading and
// saving the options, the main window's folder and its three history lists in
// the fixed layout (section "Options" with eight keys; "Specs", "OutputNames"
// and "Patterns" with lists "Item" of at most ten entries, most recent first).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "settings/program_options.h"
#include "settings/reg_or_ini.h"
#include "util/version.h"

namespace pixdeck {

// The store's version as the program sets it before opening the store: 121
// for version 1.2.1.
inline constexpr std::int32_t kProgramSettingsVersion = kSettingsVersionNumber;
// The most entries a history list keeps in the settings.
inline constexpr int kHistoryMaxCount = 10;

struct SettingsLocation {
  std::string name;               // the settings file
  bool onReadOnlyMedium = false;  // the program's folder cannot hold it
};

// The settings file of programFile: its path with extension "INI", moved by
// name to the per-user folder (WindowsDir) when the program's folder cannot
// hold it: a CD-ROM drive or a folder this user may not write on Windows;
// elsewhere a read-only file system, a folder this user may not write, or an
// installed program (whose colour file lives in <prefix>/share/pixdeck and
// not beside it).
SettingsLocation LocateSettingsFile(const std::string& programFile);

// The settings file of the window program "pixdeck" in the folder of
// programFile: the one that pixdeck-cli shares with the window.
SettingsLocation LocateWindowSettingsFile(const std::string& programFile);

// The running program's settings file name (LocateSettingsFile of the
// program itself), with OnCdRom set to whether it had to move to the
// per-user folder.
std::string OpenSettingsFileName();

// The file that the window's chain falls back to: the window program's own
// INI file beside programFile (pixdeck-cli shares it).
std::string WindowFallbackIniName(const std::string& programFile);

// Sets the store's version to kProgramSettingsVersion and creates the store on
// name (the first INI file of the chain), falling back to fallbackName.
std::unique_ptr<TRegOrIni> OpenSettingsStore(const std::string& name,
                                             const std::string& fallbackName = ProgramIniName());

// What the main window keeps in the settings besides the options. The window
// hands in its current state; loading hands back the state to show.
struct WindowSettings {
  std::string defaultDir;                // the folder list's current folder
  std::vector<std::string> specs;        // the file specifications' history
  std::vector<std::string> outputNames;  // the page names' history
  std::vector<std::string> patterns;     // the background patterns' history

  bool operator==(const WindowSettings&) const = default;
};

// What this run last read from the store or wrote to it. A save that knows
// it writes only what the run changed since and keeps what other runs (a
// second window) wrote meanwhile.
struct SettingsBaseline {
  ProgramOptions options;
  WindowSettings window;
};

// Takes the browser options in force after loading: (browserName,
// useRegSettings). The browser integration's ConfigureBrowser.
using ConfigureBrowserFn = std::function<void(const std::string&, bool)>;

// Reads the options and the window's folder and lists from the store: each
// option is read with its current value as the default,
// "UseRegSettings" is forced on while "BrowserName" is empty, and the browser
// is configured before the other options are read. A stored "DefaultDir" is
// taken only when it names an existing folder; a stored list that is not empty
// replaces the window's list as a whole. Closes the store, also on failure.
// baseline, when given, receives the options and the window's state as
// loaded.
void LoadProgramSettings(TRegOrIni& store, ProgramOptions& options, WindowSettings& window,
                         const ConfigureBrowserFn& configureBrowser,
                         SettingsBaseline* baseline = nullptr);

// Writes the options and the window's folder and lists to the store: nothing
// when the store is not writable (returns false). Otherwise, holding the
// store's save lock from reading the store afresh to replacing it, writes
// the eight options and the three lists (each cut to kHistoryMaxCount, the
// hand comments in their sections kept), then closes the store, which raises
// when the settings cannot be written.
// With a baseline the save merges: an option that equals the baseline's keeps
// the store's current value (it is written only when the store lacks it);
// each list becomes the window's entries that the baseline's list lacks
// (compared as the boxes compare, case ignored in the user's locale),
// followed by the store's current list without what they repeat - or the
// window's whole list while the store has none. The baseline then becomes
// what was saved.
bool SaveProgramSettings(TRegOrIni& store, const ProgramOptions& options,
                         const WindowSettings& window, SettingsBaseline* baseline = nullptr);

// The list a merging save stores: the entries of current that base lacks,
// then stored without them, without duplicates, cut at kHistoryMaxCount;
// current when stored is empty.
std::vector<std::string> MergeHistory(const std::vector<std::string>& current,
                                      const std::vector<std::string>& base,
                                      const std::vector<std::string>& stored);

// The defaults that pixdeck-cli takes from the settings: the browser and its
// DDE switch (read as the load does), page name, URL base, pattern, colour and
// light pages, each read with defaults' value as its default. Reads only;
// closes the store.
ProgramOptions ReadCatalogDefaults(TRegOrIni& store, ProgramOptions defaults);

}  // namespace pixdeck
