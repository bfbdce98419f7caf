// A private desktop for the browser tests: PATH, $BROWSER, the XDG folders and
// the DDE socket folder all point into a scratch folder, so nothing real is
// looked up, asked over DDE or started.
#pragma once

#include <sys/types.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scratch_dir.h"

namespace pixdeck::test {

// Sets (or unsets) an environment variable and restores it when it goes.
class EnvOverride {
 public:
  EnvOverride(const char* name, const std::optional<std::string>& value);
  ~EnvOverride();
  EnvOverride(const EnvOverride&) = delete;
  EnvOverride& operator=(const EnvOverride&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

class BrowserTestEnv {
 public:
  BrowserTestEnv();
  ~BrowserTestEnv();

  const ScratchDir& scratch() const { return scratch_; }
  // The only folder on PATH.
  std::string binDir() const { return scratch_.file("bin"); }

  // An executable script at relPath (inside the scratch folder) that records
  // its arguments; returns its full path.
  std::string AddFakeBrowser(const std::string& relPath);
  // The arguments of each completed start of a fake browser, in order.
  std::vector<std::vector<std::string>> Launches(const std::string& browser) const;
  // The arguments of the number-th start (from 1), waiting a while for it;
  // nullopt when it does not happen.
  std::optional<std::vector<std::string>> WaitForLaunch(const std::string& browser,
                                                        std::size_t number = 1) const;
  // True when the fake browser has not been started (checked after a pause).
  bool NeverLaunched(const std::string& browser) const;

  // An xdg-mime on PATH that answers "query default" with desktopId and logs
  // each call; when watchFile is given it also logs whether that file exists
  // at the time of the call.
  void AddXdgMime(const std::string& desktopId, const std::string& watchFile = {});
  std::vector<std::string> XdgMimeCalls() const;
  // A desktop entry in the user's applications folder.
  void AddDesktopEntry(const std::string& id, const std::string& execLine);

  // Where the probe "~.HTM" goes while the program counts as on read-only media.
  static std::string ProbeInConfigDir();

 private:
  ScratchDir scratch_;
  std::vector<std::unique_ptr<EnvOverride>> env_;
};

// A running test peer that listens as a browser's DDE service.
class DdePeer {
 public:
  // answers: topic -> how (see dde_test_peer.cpp).
  DdePeer(const BrowserTestEnv& env, const std::string& service,
          const std::map<std::string, std::string>& answers);
  ~DdePeer();
  DdePeer(const DdePeer&) = delete;
  DdePeer& operator=(const DdePeer&) = delete;

  // True once the peer accepts connections.
  bool Ready() const { return ready_; }
  // Each request so far as "topic<TAB>item".
  std::vector<std::string> Requests() const;

 private:
  std::string log_;
  bool ready_ = false;
  pid_t pid_ = -1;
};

std::vector<std::string> ReadLines(const std::string& path);

}  // namespace pixdeck::test
