// The DDE request transport: one request to a running program's DDE service.
//
// Windows: a DDEML client conversation (DdeConnect on service and topic, one
// XTYP_REQUEST transaction in CF_TEXT, DdeDisconnect).
//
// POSIX: a local stream socket per service, at
//   $XDG_RUNTIME_DIR/pixdeck-dde/<service>   (else /tmp/pixdeck-dde-<uid>/<service>)
// One connection carries one conversation with exactly one request:
//   client -> service: the topic, a zero byte, the item, a zero byte; then the
//                      client shuts down its sending side.
//   service -> client: the reply data, every byte up to the service closing the
//                      connection (the bytes may hold zeros or lack a final zero).
// A service that closes without sending anything has given no data. The
// folder must belong to the user and be writable by nobody else; otherwise no
// conversation is opened.
#pragma once

#include <cstddef>
#include <string>

namespace pixdeck::platform {

// How long a browser may take to answer one request.
inline constexpr int kDdeTimeoutMs = 10000;
// The most of a reply that is taken: a browser's answer is a short text, and
// a peer must not make the program hold whatever it cares to send.
inline constexpr std::size_t kDdeMaxReplyBytes = 4096;

// Opens a conversation with service on topic, requests item, closes the
// conversation and returns the reply's data exactly as sent (all of its bytes,
// zero bytes included, up to kDdeMaxReplyBytes; the caller cuts the text at the
// first zero). Empty when
// the service name is empty, nobody listens as that service, the service gives
// no data, or the whole exchange does not finish within timeoutMs. Blocks the
// caller; never throws.
std::string DdeRequest(const std::string& service, const std::string& topic,
                       const std::string& item, int timeoutMs = kDdeTimeoutMs);

// DdeRequest's reply, and whether the service took the whole request but
// gave no answer within timeoutMs: a browser that is slow to answer may
// still open the page.
struct DdeReply {
  std::string data;
  bool unanswered = false;
};
DdeReply DdeExchange(const std::string& service, const std::string& topic, const std::string& item,
                     int timeoutMs = kDdeTimeoutMs);

}  // namespace pixdeck::platform
