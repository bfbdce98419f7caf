#include "browser/page_viewer.h"

#include <chrono>
#include <filesystem>

#include "browser/browser_detection.h"
#include "platform/file_system.h"
#include "platform/shell.h"
#include "text/ascii.h"
#include "text/utf8_path.h"
#include "util/paths.h"
#include "util/program_dirs.h"
#include "util/url.h"

namespace pixdeck {

namespace {

// The page's full name: a name without a folder is taken from the current
// directory. On POSIX so is any relative name, normalised, since a file URL
// needs the absolute path.
std::string FullPageName(const std::string& name) {
  if (kNativeStyle == PathStyle::Posix && !name.empty() && name[0] != '/') {
    return Utf8FromPath(std::filesystem::absolute(PathFromUtf8(name)).lexically_normal());
  }
  if (!DirOf(name).empty()) {
    return name;
  }
  return JoinPath(CurrentDir(), name);
}

bool IsMailto(const std::string& url) {
  return url.size() >= 7 && EqualsNoCaseAscii(std::string_view(url).substr(0, 7), "mailto:");
}

}  // namespace

PageViewer::PageViewer(Messages& messages, int ddeTimeoutMs)
    : messages_(messages), ddeTimeoutMs_(ddeTimeoutMs) {}

bool PageViewer::ViewFile(const std::string& name) {
  const std::string full = FullPageName(name);
  if (!platform::FileExists(full)) {
    ShowError(messages_, "File \"" + full + "\" not found!");
    return false;
  }
  if (!DetectBrowser(full, messages_)) {
    return false;
  }
  // A page's attributes keep blanks inside a name, but a command line or a
  // DDE item is no attribute: there every blank is encoded.
  std::string url;
  for (const char c : PathToUrl(full, "file:///")) {
    if (c == ' ') {
      url += "%20";
    } else {
      url += c;
    }
  }
  return OpenUrlInBrowser(url);
}

bool PageViewer::OpenUrlInBrowser(const std::string& url) {
  if (BrowserPath().empty()) {
    ConfigureBrowser({}, true, messages_);
  }
  if (UseDde() && BrowserKind() != brUnknown) {
    if (!browserConv_) {
      browserConv_ = std::make_unique<TBrowserDDE>(ddeTimeoutMs_);
    }
    browserConv_->SetBrowser(BrowserKind());
    // One deadline for the whole conversation, so that a slow browser holds
    // the window for at most that long.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(ddeTimeoutMs_);
    const platform::DdeReply reply = browserConv_->OpenUrlWithin(url, ddeTimeoutMs_);
    if (!reply.data.empty()) {
      // A running browser took the URL: bring it to the front (a mail link
      // opens a mail window of its own).
      if (!IsMailto(url)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        browserConv_->ActivateWithin(static_cast<int>(left.count()));
      }
      return true;
    }
    // It has the page and is slow to say so: a second browser would show it
    // twice.
    if (reply.unanswered) {
      return true;
    }
  }
  // With no browser the detection error has been shown already.
  if (BrowserPath().empty()) {
    return false;
  }
  return LaunchBrowser(url);
}

bool PageViewer::LaunchBrowser(const std::string& url) {
  const std::string& browser = BrowserPath();
  if (ExecCommand(browser, url)) {
    return true;
  }
  ShowInfo(messages_, "Could not execute \"" + browser + "\"!", true);
  SetBrowserPath({});
  return false;
}

bool ExecCommand(const std::string& program, const std::string& argument) {
  return platform::StartProgram(program, argument).has_value();
}

}  // namespace pixdeck
