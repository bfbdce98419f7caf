// DDE conversations through DDEML, with a DDE server on a thread of this
// suite standing in for a running browser.
#include <windows.h>
// after windows.h, which it builds on
#include <ddeml.h>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "browser/browser_dde.h"
#include "platform/dde.h"
#include "win32_test_support.h"

namespace pixdeck {
namespace {

using test::Narrow;
using test::Wide;

// One request as the server received it.
struct Received {
  std::string topic;
  std::string item;
  UINT format = 0;
};

// A DDEML server for one service on its own thread with its own message loop;
// it accepts every topic and answers every request with the same bytes.
class DdeTestServer {
 public:
  DdeTestServer(std::string service, std::string reply, DWORD delayMs = 0)
      : service_(std::move(service)), reply_(std::move(reply)), delayMs_(delayMs) {
    current_ = this;
    thread_ = std::thread([this] { Run(); });
    std::unique_lock<std::mutex> lock(mutex_);
    ready_.wait(lock, [this] { return started_; });
  }
  ~DdeTestServer() {
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    current_ = nullptr;
  }

  bool Registered() const { return registered_; }
  std::vector<Received> Requests() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }

 private:
  static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV, HSZ topic, HSZ item, HDDEDATA,
                                    ULONG_PTR, ULONG_PTR) {
    DdeTestServer* self = current_;
    if (self == nullptr)
      return nullptr;
    switch (type) {
      case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(TRUE);
      case XTYP_REQUEST: {
        {
          std::lock_guard<std::mutex> lock(self->mutex_);
          self->requests_.push_back({self->Text(topic), self->Text(item), format});
        }
        if (self->delayMs_ > 0)
          ::Sleep(self->delayMs_);
        if (self->reply_.empty())
          return nullptr;  // no data
        return ::DdeCreateDataHandle(
            self->instance_, reinterpret_cast<BYTE*>(const_cast<char*>(self->reply_.data())),
            static_cast<DWORD>(self->reply_.size()), 0, item, format, 0);
      }
      default:
        return nullptr;
    }
  }

  std::string Text(HSZ handle) const {
    wchar_t buffer[512] = {};
    ::DdeQueryStringW(instance_, handle, buffer, 512, CP_WINUNICODE);
    return Narrow(buffer);
  }

  void Run() {
    threadId_ = ::GetCurrentThreadId();
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue
    HSZ serviceName = nullptr;
    if (::DdeInitializeW(&instance_, Callback,
                         APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES | CBF_FAIL_EXECUTES |
                             CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS,
                         0) == DMLERR_NO_ERROR) {
      serviceName = ::DdeCreateStringHandleW(instance_, Wide(service_).c_str(), CP_WINUNICODE);
      registered_ = ::DdeNameService(instance_, serviceName, nullptr, DNS_REGISTER) != nullptr;
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      started_ = true;
    }
    ready_.notify_all();
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    if (instance_ != 0) {
      ::DdeNameService(instance_, serviceName, nullptr, DNS_UNREGISTER);
      ::DdeFreeStringHandle(instance_, serviceName);
      ::DdeUninitialize(instance_);
    }
  }

  static inline DdeTestServer* current_ = nullptr;
  std::string service_;
  std::string reply_;
  DWORD delayMs_;
  DWORD instance_ = 0;
  DWORD threadId_ = 0;
  bool registered_ = false;
  bool started_ = false;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::vector<Received> requests_;
  std::thread thread_;
};

const std::string kUrl = "file:///C|\\PICS\\images.htm";

TEST(DdeRoundTrip, OpenUrlAndActivateReachTheBrowsersServiceWithTheirExactItems) {
  DdeTestServer server("NETSCAPE", std::string("12345\0", 6));
  ASSERT_TRUE(server.Registered());
  TBrowserDDE conv;
  conv.SetBrowser(brNetscape);
  EXPECT_EQ(conv.OpenURL(kUrl), "12345");
  EXPECT_EQ(conv.ActivateWindow(""), "12345");

  const std::vector<Received> requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].topic, "WWW_OpenURL");
  EXPECT_EQ(requests[0].item, "\"file:///C|\\PICS\\images.htm\",,0xFFFFFFFF,0x0,,,,");
  EXPECT_EQ(requests[0].format, static_cast<UINT>(CF_TEXT));
  EXPECT_EQ(requests[1].topic, "WWW_Activate");
  EXPECT_EQ(requests[1].item, "0xFFFFFFFF,0x0");
  EXPECT_EQ(requests[1].format, static_cast<UINT>(CF_TEXT));
}

TEST(DdeRoundTrip, ExplorerIsAskedAsIExplore) {
  DdeTestServer server("IExplore", "ok");
  ASSERT_TRUE(server.Registered());
  TBrowserDDE conv;
  conv.SetBrowser(brExplorer);
  EXPECT_EQ(conv.OpenURL(kUrl), "ok");
  conv.SetBrowser(brUnknown);
  EXPECT_EQ(conv.OpenURL(kUrl), "") << "no service, no conversation";
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(DdeRoundTrip, ReplyBytesAreKeptWholeAndCutAtTheFirstZeroByTheClient) {
  {
    DdeTestServer server("NETSCAPE", "no zero at the end");
    EXPECT_EQ(platform::DdeRequest("NETSCAPE", "WWW_OpenURL", "x"), "no zero at the end");
  }
  {
    DdeTestServer server("NETSCAPE", std::string("first\0second", 12));
    EXPECT_EQ(platform::DdeRequest("NETSCAPE", "WWW_OpenURL", "x"),
              std::string("first\0second", 12));
    TBrowserDDE conv;
    EXPECT_EQ(conv.OpenURL(kUrl), "first");
  }
}

TEST(DdeRoundTrip, EachRequestHasItsOwnConversation) {
  DdeTestServer server("NETSCAPE", "1");
  TBrowserDDE conv;
  EXPECT_EQ(conv.OpenURL(kUrl), "1");
  EXPECT_EQ(conv.OpenURL(kUrl + "2"), "1");
  EXPECT_EQ(server.Requests().size(), 2u);
}

TEST(DdeRoundTrip, NoServerNoDataOrNoAnswerInTimeGiveAnEmptyReply) {
  EXPECT_EQ(platform::DdeRequest("PIXDECK_NOBODY", "WWW_OpenURL", "x"), "");
  EXPECT_EQ(platform::DdeRequest("", "WWW_OpenURL", "x"), "");
  {
    DdeTestServer server("NETSCAPE", "");
    EXPECT_EQ(platform::DdeRequest("NETSCAPE", "WWW_OpenURL", "x"), "");
    EXPECT_EQ(server.Requests().size(), 1u) << "asked, but it gave no data";
  }
  {
    // A browser that answers after 1.5 s: in time for the usual ten seconds,
    // too late for a tenth of that.
    DdeTestServer server("NETSCAPE", "late", 1500);
    EXPECT_EQ(platform::DdeRequest("NETSCAPE", "WWW_OpenURL", "x"), "late");
    EXPECT_EQ(platform::DdeRequest("NETSCAPE", "WWW_OpenURL", "x", 1000), "");
    EXPECT_EQ(server.Requests().size(), 2u);
  }
}

TEST(DdeRoundTrip, NonAsciiUrlsTravelAsTheSystemsAnsiText) {
  DdeTestServer server("NETSCAPE", "1");
  TBrowserDDE conv;
  EXPECT_EQ(conv.OpenURL("file:///C|\\PICS\\caf\xc3\xa9.htm"), "1");
  const std::vector<Received> requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].item, "\"file:///C|\\PICS\\caf\xc3\xa9.htm\",,0xFFFFFFFF,0x0,,,,");
}

}  // namespace
}  // namespace pixdeck
