// Shows a produced page in the web browser: a running browser is asked over
// DDE first (when allowed), otherwise the browser is started with the URL.
#pragma once

#include <memory>
#include <string>

#include "browser/browser_dde.h"
#include "util/messages.h"

namespace pixdeck {

class PageViewer {
 public:
  // Reports go to messages; ddeTimeoutMs bounds each DDE request.
  explicit PageViewer(Messages& messages, int ddeTimeoutMs = platform::kDdeTimeoutMs);

  // Shows the page name (expanded against the current directory when it has
  // no folder). True when a browser took the URL or was started.
  bool ViewFile(const std::string& name);
  // Opens any URL in the browser; true when a browser took it or was started.
  bool OpenUrlInBrowser(const std::string& url);
  // Starts BrowserPath with url as its argument; a failure is reported and
  // forgets the browser, so that the next view detects it again.
  bool LaunchBrowser(const std::string& url);

  // The conversation object, made at the first DDE attempt; null before.
  const TBrowserDDE* BrowserConv() const { return browserConv_.get(); }

 private:
  Messages& messages_;
  int ddeTimeoutMs_;
  std::unique_ptr<TBrowserDDE> browserConv_;
};

// Starts program with argument as its one argument; true when it was started.
bool ExecCommand(const std::string& program, const std::string& argument);

}  // namespace pixdeck
