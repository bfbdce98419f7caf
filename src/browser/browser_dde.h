// Asking a running web browser, over DDE, to open a URL and to come to the front.
#pragma once

#include <string>

#include "platform/dde.h"

namespace pixdeck {

// The browsers whose DDE services the program knows.
enum TBrowser { brUnknown = 0, brNetscape = 1, brExplorer = 2 };

class TBrowserDDE {
 public:
  // timeoutMs bounds each request of OpenURL and ActivateWindow; the browser
  // gets ten seconds.
  explicit TBrowserDDE(int timeoutMs = platform::kDdeTimeoutMs) : timeoutMs_(timeoutMs) {}

  TBrowser Browser() const { return browser_; }
  void SetBrowser(TBrowser browser) { browser_ = browser; }

  // "NETSCAPE", "IExplore", or empty for brUnknown (no conversation can open).
  std::string ServiceName() const;

  // One conversation on topic with one request for item. The reply is cut at
  // its first zero byte; empty when nobody answered in time or gave no data.
  std::string RequestText(const std::string& topic, const std::string& item) const;

  // The browser's reply to "WWW_OpenURL"; empty means refused or not answered.
  std::string OpenURL(const std::string& url) const;
  // The reply to "WWW_Activate"; an empty windowId means "0xFFFFFFFF".
  std::string ActivateWindow(const std::string& windowId) const;

  // "WWW_OpenURL" within timeoutMs: the reply's text, and whether the browser
  // took the request without answering in time.
  platform::DdeReply OpenUrlWithin(const std::string& url, int timeoutMs) const;
  // "WWW_Activate" for every window within timeoutMs; the reply's text.
  std::string ActivateWithin(int timeoutMs) const;

  // The request items exactly as the browsers expect them. A double quote in
  // the URL is sent as %22, so that it cannot end the URL's field and add
  // fields of its own.
  static std::string OpenUrlItem(const std::string& url);
  static std::string ActivateItem(const std::string& windowId);

 private:
  TBrowser browser_ = brNetscape;
  int timeoutMs_;
};

}  // namespace pixdeck
