// One DDE request through the DDE management library (DDEML): connect to the
// service on the topic, one XTYP_REQUEST transaction in CF_TEXT, disconnect.
#include <windows.h>
// after windows.h, which it builds on
#include <ddeml.h>

#include <algorithm>
#include <string>

#include "platform/dde.h"
#include "platform/win32/win32_text.h"

namespace pixdeck::platform {

namespace {

HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;  // a client that only asks has nothing to answer
}

// A DDEML client instance for this thread, with its string handles; all of it
// is released again on the way out.
class DdeClient {
 public:
  DdeClient() {
    if (::DdeInitializeW(&instance_, ClientCallback, APPCMD_CLIENTONLY | CBF_SKIP_ALLNOTIFICATIONS,
                         0) != DMLERR_NO_ERROR)
      instance_ = 0;
  }
  ~DdeClient() {
    if (instance_ != 0)
      ::DdeUninitialize(instance_);
  }
  DdeClient(const DdeClient&) = delete;
  DdeClient& operator=(const DdeClient&) = delete;

  DWORD Instance() const { return instance_; }

 private:
  DWORD instance_ = 0;
};

class StringHandle {
 public:
  StringHandle(DWORD instance, const std::string& text)
      : instance_(instance),
        handle_(::DdeCreateStringHandleW(instance, ToWide(text).c_str(), CP_WINUNICODE)) {}
  ~StringHandle() {
    if (handle_ != nullptr)
      ::DdeFreeStringHandle(instance_, handle_);
  }
  StringHandle(const StringHandle&) = delete;
  StringHandle& operator=(const StringHandle&) = delete;

  HSZ Get() const { return handle_; }

 private:
  DWORD instance_;
  HSZ handle_;
};

class Conversation {
 public:
  Conversation(DWORD instance, HSZ service, HSZ topic)
      : conversation_(::DdeConnect(instance, service, topic, nullptr)) {}
  ~Conversation() {
    if (conversation_ != nullptr)
      ::DdeDisconnect(conversation_);
  }
  Conversation(const Conversation&) = delete;
  Conversation& operator=(const Conversation&) = delete;

  HCONV Get() const { return conversation_; }

 private:
  HCONV conversation_;
};

// The reply's bytes: CF_TEXT in the system's ANSI code page, as UTF-8. Every
// byte is kept, zeros included, up to the largest reply taken; the caller ends
// the text at the first zero.
std::string ReplyText(HDDEDATA data) {
  DWORD length = 0;
  const BYTE* bytes = ::DdeAccessData(data, &length);
  std::string raw;
  if (bytes != nullptr) {
    raw.assign(reinterpret_cast<const char*>(bytes),
               std::min<std::size_t>(length, kDdeMaxReplyBytes));
    ::DdeUnaccessData(data);
  }
  ::DdeFreeDataHandle(data);
  return CodePageToUtf8(raw, CP_ACP);
}

}  // namespace

std::string DdeRequest(const std::string& service, const std::string& topic,
                       const std::string& item, int timeoutMs) {
  return DdeExchange(service, topic, item, timeoutMs).data;
}

DdeReply DdeExchange(const std::string& service, const std::string& topic, const std::string& item,
                     int timeoutMs) {
  if (service.empty())
    return {};
  DdeClient client;
  if (client.Instance() == 0)
    return {};
  const StringHandle serviceName(client.Instance(), service);
  const StringHandle topicName(client.Instance(), topic);
  const StringHandle itemName(client.Instance(), item);
  if (serviceName.Get() == nullptr || topicName.Get() == nullptr || itemName.Get() == nullptr)
    return {};
  const Conversation conversation(client.Instance(), serviceName.Get(), topicName.Get());
  if (conversation.Get() == nullptr)
    return {};  // nobody serves that service and topic
  const HDDEDATA reply =
      ::DdeClientTransaction(nullptr, 0, conversation.Get(), itemName.Get(), CF_TEXT, XTYP_REQUEST,
                             static_cast<DWORD>(timeoutMs > 0 ? timeoutMs : 0), nullptr);
  if (reply == nullptr) {
    // Refused or no data; or taken and not answered in time.
    DdeReply none;
    none.unanswered = ::DdeGetLastError(client.Instance()) == DMLERR_DATAACKTIMEOUT;
    return none;
  }
  return DdeReply{ReplyText(reply), false};
}

}  // namespace pixdeck::platform
