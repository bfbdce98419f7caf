// DDE requests over a local stream socket, one connection per conversation.
#include "platform/posix/dde_socket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/dde.h"

namespace pixdeck::platform {

namespace {

using Clock = std::chrono::steady_clock;

class SocketHandle {
 public:
  explicit SocketHandle(int fd) : fd_(fd) {}
  ~SocketHandle() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  SocketHandle(const SocketHandle&) = delete;
  SocketHandle& operator=(const SocketHandle&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Milliseconds left until the deadline, at least 0.
int RemainingMs(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Waits until fd is ready for events or the deadline passes; false on time-out
// or error.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    pollfd entry{fd, events, 0};
    const int ready = ::poll(&entry, 1, RemainingMs(deadline));
    if (ready > 0) {
      return true;
    }
    if (ready == 0) {
      return false;
    }
    if (errno != EINTR) {
      return false;
    }
  }
}

bool ConnectBefore(int fd, const sockaddr_un& address, Clock::time_point deadline) {
  for (;;) {
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
      return true;
    }
    if (errno == EINTR) {
      continue;
    }
    if (errno == EINPROGRESS) {
      if (!WaitFor(fd, POLLOUT, deadline)) {
        return false;
      }
      int error = 0;
      socklen_t size = sizeof error;
      return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
    // A full backlog: the service is busy, try again shortly.
    if (errno == EAGAIN && RemainingMs(deadline) > 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      continue;
    }
    return false;  // nobody listens (no socket, refused) or another failure
  }
}

bool SendAllBefore(int fd, const std::string& data, Clock::time_point deadline) {
  std::size_t sent = 0;
  while (sent < data.size()) {
    const ssize_t n = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!WaitFor(fd, POLLOUT, deadline)) {
        return false;
      }
    } else {
      return false;
    }
  }
  return true;
}

// Reads until the peer closes or the reply has reached its largest size;
// false on time-out or error.
bool ReceiveAllBefore(int fd, std::string& reply, Clock::time_point deadline) {
  char buffer[1024];
  for (;;) {
    const std::size_t room = kDdeMaxReplyBytes - reply.size();
    if (room == 0) {
      return true;  // the rest is not read: the connection closes on it
    }
    const ssize_t n = ::recv(fd, buffer, std::min(room, sizeof buffer), 0);
    if (n > 0) {
      reply.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0) {
      return true;
    } else if (errno == EINTR) {
      continue;
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      if (!WaitFor(fd, POLLIN, deadline)) {
        return false;
      }
    } else {
      return false;
    }
  }
}

// Only a folder of our own that nobody else can write to is trusted: another
// user must not be able to take the page's URL or answer for the browser.
bool IsPrivateFolder(const std::string& dir) {
  struct stat info {};
  return ::lstat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
         (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// DDE strings end at their first zero byte.
std::string UpToZero(const std::string& text) {
  return text.substr(0, text.find('\0'));
}

}  // namespace

std::string DdeSocketDirectory() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat info {};
  if (runtime != nullptr && runtime[0] == '/' && ::stat(runtime, &info) == 0 &&
      S_ISDIR(info.st_mode)) {
    std::string dir = runtime;
    if (dir.back() != '/') {
      dir += '/';
    }
    return dir + "pixdeck-dde";
  }
  return "/tmp/pixdeck-dde-" + std::to_string(::getuid());
}

std::string DdeSocketPath(const std::string& service) {
  if (service.empty() || service == "." || service == ".." ||
      service.find_first_of(std::string("/\0", 2)) != std::string::npos) {
    return {};
  }
  return DdeSocketDirectory() + "/" + service;
}

std::string DdeRequest(const std::string& service, const std::string& topic,
                       const std::string& item, int timeoutMs) {
  return DdeExchange(service, topic, item, timeoutMs).data;
}

DdeReply DdeExchange(const std::string& service, const std::string& topic, const std::string& item,
                     int timeoutMs) {
  const std::string path = DdeSocketPath(service);
  sockaddr_un address{};
  if (path.empty() || path.size() >= sizeof address.sun_path ||
      !IsPrivateFolder(DdeSocketDirectory())) {
    return {};
  }
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  SocketHandle socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (socket.get() < 0) {
    return {};
  }
  if (!ConnectBefore(socket.get(), address, deadline)) {
    return {};
  }

  std::string request = UpToZero(topic);
  request += '\0';
  request += UpToZero(item);
  request += '\0';
  if (!SendAllBefore(socket.get(), request, deadline)) {
    return {};
  }
  ::shutdown(socket.get(), SHUT_WR);

  DdeReply reply;
  if (!ReceiveAllBefore(socket.get(), reply.data, deadline)) {
    // Taken but not answered in time (or the connection broke): the browser
    // may still act on it.
    reply.unanswered = reply.data.empty() && RemainingMs(deadline) == 0;
    reply.data.clear();
  }
  return reply;
}

}  // namespace pixdeck::platform
