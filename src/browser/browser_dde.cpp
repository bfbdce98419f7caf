#include "browser/browser_dde.h"

#include <algorithm>

namespace pixdeck {

namespace {
constexpr const char* kOpenUrlTopic = "WWW_OpenURL";
constexpr const char* kActivateTopic = "WWW_Activate";
// Every window of the browser, and no flags.
constexpr const char* kAnyWindow = "0xFFFFFFFF";
}  // namespace

std::string TBrowserDDE::ServiceName() const {
  switch (browser_) {
    case brNetscape:
      return "NETSCAPE";
    case brExplorer:
      return "IExplore";
    case brUnknown:
      break;
  }
  return {};
}

std::string TBrowserDDE::RequestText(const std::string& topic, const std::string& item) const {
  const std::string service = ServiceName();
  if (service.empty()) {
    return {};
  }
  const std::string data = platform::DdeRequest(service, topic, item, timeoutMs_);
  // The data may lack its terminating zero or hold one early: the text ends at
  // the first zero or with the data.
  return data.substr(0, data.find('\0'));
}

platform::DdeReply TBrowserDDE::OpenUrlWithin(const std::string& url, int timeoutMs) const {
  const std::string service = ServiceName();
  if (service.empty()) {
    return {};
  }
  platform::DdeReply reply =
      platform::DdeExchange(service, kOpenUrlTopic, OpenUrlItem(url), timeoutMs);
  reply.data.resize(std::min(reply.data.size(), reply.data.find('\0')));
  return reply;
}

std::string TBrowserDDE::ActivateWithin(int timeoutMs) const {
  const std::string service = ServiceName();
  if (service.empty() || timeoutMs <= 0) {
    return {};
  }
  const std::string data =
      platform::DdeRequest(service, kActivateTopic, ActivateItem({}), timeoutMs);
  return data.substr(0, data.find('\0'));
}

std::string TBrowserDDE::OpenURL(const std::string& url) const {
  return RequestText(kOpenUrlTopic, OpenUrlItem(url));
}

std::string TBrowserDDE::ActivateWindow(const std::string& windowId) const {
  return RequestText(kActivateTopic, ActivateItem(windowId));
}

std::string TBrowserDDE::OpenUrlItem(const std::string& url) {
  std::string quoted = "\"";
  for (const char c : url) {
    if (c == '"') {
      quoted += "%22";
    } else {
      quoted += c;
    }
  }
  return quoted + "\",," + kAnyWindow + ",0x0,,,,";
}

std::string TBrowserDDE::ActivateItem(const std::string& windowId) {
  return (windowId.empty() ? std::string(kAnyWindow) : windowId) + ",0x0";
}

}  // namespace pixdeck
