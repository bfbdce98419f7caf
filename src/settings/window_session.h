// A main window's settings for one run, whatever toolkit draws the window:
// the store opened at the start, the options, folder and histories loaded
// into it, saves that merge with what another window wrote meanwhile, and
// the close step (save, delete the run's temporary pages, close the store).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "settings/program_settings.h"
#include "util/messages.h"

namespace pixdeck {

class WindowSession {
 public:
  WindowSession();
  ~WindowSession();
  WindowSession(const WindowSession&) = delete;
  WindowSession& operator=(const WindowSession&) = delete;

  // Opens the store on name (the program's own settings file when empty).
  // A settings file that cannot be used, or a store that cannot be opened,
  // is told through messages; the program then runs on its defaults.
  void Open(std::string name, Messages& messages);

  // Loads the options into CurrentOptions() and returns the window's state
  // to show: designed is the window as its form made it (its folder and its
  // lists); a list the settings lack stays empty in the result, and the
  // window keeps its designed one. Failures are told through messages.
  WindowSettings Load(const WindowSettings& designed, const ConfigureBrowserFn& configureBrowser,
                      Messages& messages);

  // Writes every option, the window's folder and its three histories,
  // merged with what another window saved since this one read. Raises when
  // the file cannot be written.
  void Save(const WindowSettings& current);

  // Once: saves the window's state, deletes the run's temporary pages (also
  // when the save failed) and closes the store. Returns the first failure's
  // message, empty when none; a second call does nothing.
  std::string Close(const WindowSettings& current);

  bool IsOpen() const { return store_ != nullptr; }
  bool IsClosed() const { return closed_; }
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
  std::unique_ptr<TRegOrIni> store_;
  // What the settings held when loaded or last saved.
  std::unique_ptr<SettingsBaseline> baseline_;
  bool closed_ = false;
};

}  // namespace pixdeck
