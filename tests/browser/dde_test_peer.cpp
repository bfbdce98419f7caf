// Stands in for a running browser's DDE service in the tests: listens on the
// service's socket, appends each request to a log and answers as told.
//
//   dde_test_peer --service NAME --log FILE --ready FILE [--answer TOPIC=HOW]...
//
// HOW is one of
//   text:T      T followed by a zero byte
//   raw:T       T with no terminating zero
//   hex:HHHH    exactly these bytes (zeros anywhere)
//   empty       no data at all
//   silent:MS   says nothing for MS milliseconds, then hangs up
//   late:MS:T   says nothing for MS milliseconds, then T and a zero byte
//   flood:T     T over and over until the client hangs up
// A topic without an answer gets "empty". Each log line is the topic, a tab
// and the item. The ready file appears once the socket accepts connections.
// The peer runs until it is terminated.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <thread>

#include "platform/posix/dde_socket.h"

namespace {

struct Options {
  std::string service;
  std::string log;
  std::string ready;
  std::map<std::string, std::string> answers;  // topic -> HOW
};

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "dde_test_peer: %s\n", why.c_str());
  std::exit(2);
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i];
    const std::string value = argv[i + 1];
    if (flag == "--service") {
      options.service = value;
    } else if (flag == "--log") {
      options.log = value;
    } else if (flag == "--ready") {
      options.ready = value;
    } else if (flag == "--answer") {
      const std::size_t equals = value.find('=');
      if (equals == std::string::npos) {
        Fail("bad answer " + value);
      }
      options.answers[value.substr(0, equals)] = value.substr(equals + 1);
    } else {
      Fail("unknown option " + flag);
    }
  }
  if (options.service.empty() || options.log.empty() || options.ready.empty()) {
    Fail("--service, --log and --ready are required");
  }
  return options;
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

// Reads the whole request: the client hangs up its sending side after it.
std::string ReadRequest(int fd) {
  std::string request;
  char buffer[1024];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) {
      return request;
    }
    request.append(buffer, static_cast<std::size_t>(n));
  }
}

// False when the client has gone.
bool WriteAll(int fd, const std::string& data) {
  std::size_t sent = 0;
  while (sent < data.size()) {
    const ssize_t n = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) {
      return false;
    }
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

void Answer(int fd, const std::string& how) {
  const std::string kind = how.substr(0, how.find(':'));
  const std::string rest = how.find(':') == std::string::npos ? "" : how.substr(how.find(':') + 1);
  if (kind == "text") {
    WriteAll(fd, rest + std::string(1, '\0'));
  } else if (kind == "raw") {
    WriteAll(fd, rest);
  } else if (kind == "hex") {
    WriteAll(fd, FromHex(rest));
  } else if (kind == "flood") {
    std::string block;
    while (block.size() < 65536) {
      block += rest;
    }
    while (WriteAll(fd, block)) {
    }
  } else if (kind == "late") {
    const std::size_t colon = rest.find(':');
    std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(rest.substr(0, colon))));
    WriteAll(fd, rest.substr(colon + 1) + std::string(1, '\0'));
  } else if (kind == "silent") {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(rest)));
  }
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  const std::string dir = pixdeck::platform::DdeSocketDirectory();
  const std::string path = pixdeck::platform::DdeSocketPath(options.service);
  ::mkdir(dir.c_str(), 0700);
  ::unlink(path.c_str());

  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (listener < 0 || path.size() >= sizeof address.sun_path) {
    Fail("no socket for " + path);
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener, 16) != 0) {
    Fail("cannot listen on " + path);
  }
  std::ofstream(options.ready) << "ready\n";

  for (;;) {
    const int connection = ::accept(listener, nullptr, nullptr);
    if (connection < 0) {
      continue;
    }
    const std::string request = ReadRequest(connection);
    // A well-formed request is the topic, a zero, the item and a zero.
    const std::size_t zero = request.find('\0');
    const bool wellFormed = zero != std::string::npos && request.size() > zero + 1 &&
                            request.find('\0', zero + 1) == request.size() - 1;
    const std::string topic = wellFormed ? request.substr(0, zero) : "MALFORMED";
    const std::string item = wellFormed ? request.substr(zero + 1, request.size() - zero - 2) : "";
    {
      std::ofstream log(options.log, std::ios::app | std::ios::binary);
      log << topic << '\t' << item << '\n';
    }
    const auto answer = options.answers.find(topic);
    Answer(connection, answer == options.answers.end() ? "empty" : answer->second);
    ::close(connection);
  }
}
