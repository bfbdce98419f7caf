#include "browser_test_env.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <thread>

#include "browser/browser_detection.h"
#include "util/paths.h"
#include "util/program_dirs.h"

// NOLINTNEXTLINE(readability-redundant-declaration): POSIX has programs declare it themselves
extern char** environ;

namespace pixdeck::test {

namespace fs = std::filesystem;

namespace {

// A text as one single-quoted shell word.
std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

void WriteScript(const std::string& path, const std::string& body) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path) << "#!/bin/sh\n" << body;
  fs::permissions(path, fs::perms::owner_all);
}

// The per-user config folder stands in for the Windows directory; the program
// remembers it for the whole run, so every test of this process shares one
// private folder, removed when the process ends.
struct PrivateConfigHome {
  PrivateConfigHome() {
    char pattern[] = "/tmp/pixdeck-browser-config-XXXXXX";
    dir = ::mkdtemp(pattern);
    ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  }
  ~PrivateConfigHome() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  std::string dir;
};

void EnsurePrivateConfigHome() {
  static PrivateConfigHome home;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

std::string RecordOf(const std::string& browser) {
  return browser + ".args";
}

}  // namespace

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

EnvOverride::EnvOverride(const char* name, const std::optional<std::string>& value) : name_(name) {
  if (const char* old = std::getenv(name)) {
    old_ = old;
  }
  if (value) {
    ::setenv(name, value->c_str(), 1);
  } else {
    ::unsetenv(name);
  }
}

EnvOverride::~EnvOverride() {
  if (old_) {
    ::setenv(name_.c_str(), old_->c_str(), 1);
  } else {
    ::unsetenv(name_.c_str());
  }
}

BrowserTestEnv::BrowserTestEnv() {
  EnsurePrivateConfigHome();
  fs::create_directories(scratch_.file("bin"));
  fs::create_directories(scratch_.file("run"));
  fs::permissions(scratch_.file("run"), fs::perms::owner_all);
  const std::vector<std::pair<const char*, std::optional<std::string>>> settings = {
      {"PATH", binDir()},
      {"BROWSER", std::nullopt},
      {"HOME", scratch_.file("home")},
      {"XDG_DATA_HOME", scratch_.file("data")},
      {"XDG_DATA_DIRS", scratch_.file("system-data")},
      {"XDG_RUNTIME_DIR", scratch_.file("run")},
  };
  for (const auto& [name, value] : settings) {
    env_.push_back(std::make_unique<EnvOverride>(name, value));
  }
  ResetBrowserState();
  // The probe goes to the private config folder, never beside the test program.
  SetOnCdRom(true);
}

BrowserTestEnv::~BrowserTestEnv() {
  ResetBrowserState();
  SetOnCdRom(false);
  std::error_code ec;
  fs::remove(ProbeInConfigDir(), ec);
}

std::string BrowserTestEnv::ProbeInConfigDir() {
  EnsurePrivateConfigHome();
  return JoinPath(WindowsDir(), "~.HTM");
}

std::string BrowserTestEnv::AddFakeBrowser(const std::string& relPath) {
  std::string path = scratch_.file(relPath);
  WriteScript(path,
              "{ printf '%s\\n' \"$#\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; "
              "printf 'end\\n'; } >> " +
                  ShellQuote(RecordOf(path)) + "\n");
  return path;
}

std::vector<std::vector<std::string>> BrowserTestEnv::Launches(const std::string& browser) const {
  // Each start appends "<count>", "[arg]" per argument, and "end".
  std::vector<std::vector<std::string>> launches;
  const std::vector<std::string> lines = ReadLines(RecordOf(browser));
  std::size_t i = 0;
  while (i < lines.size()) {
    const std::size_t count = std::stoul(lines[i]);
    if (i + count + 1 >= lines.size() || lines[i + count + 1] != "end") {
      break;  // still writing
    }
    std::vector<std::string> arguments;
    for (std::size_t k = 1; k <= count; ++k) {
      arguments.push_back(lines[i + k].substr(1, lines[i + k].size() - 2));
    }
    launches.push_back(arguments);
    i += count + 2;
  }
  return launches;
}

std::optional<std::vector<std::string>> BrowserTestEnv::WaitForLaunch(const std::string& browser,
                                                                      std::size_t number) const {
  if (!WaitUntil([&] { return Launches(browser).size() >= number; }, std::chrono::seconds(10))) {
    return std::nullopt;
  }
  return Launches(browser)[number - 1];
}

bool BrowserTestEnv::NeverLaunched(const std::string& browser) const {
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  return !fs::exists(RecordOf(browser));
}

void BrowserTestEnv::AddXdgMime(const std::string& desktopId, const std::string& watchFile) {
  const std::string log = ShellQuote(scratch_.file("xdg-mime.log"));
  std::string body = "printf '%s\\n' \"$*\" >> " + log + "\n";
  if (!watchFile.empty()) {
    body += "if [ -e " + ShellQuote(watchFile) + " ]; then printf 'probe present\\n' >> " + log +
            "; fi\n";
  }
  body +=
      "if [ \"$1 $2\" = 'query default' ]; then printf '%s\\n' " + ShellQuote(desktopId) + "; fi\n";
  WriteScript(JoinPath(binDir(), "xdg-mime"), body);
}

std::vector<std::string> BrowserTestEnv::XdgMimeCalls() const {
  return ReadLines(scratch_.file("xdg-mime.log"));
}

void BrowserTestEnv::AddDesktopEntry(const std::string& id, const std::string& execLine) {
  scratch_.write("data/applications/" + id,
                 "[Desktop Action new-window]\nExec=wrong-program\n\n"
                 "[Desktop Entry]\nType=Application\nName=Fake\n" +
                     execLine + "\n");
}

DdePeer::DdePeer(const BrowserTestEnv& env, const std::string& service,
                 const std::map<std::string, std::string>& answers) {
  log_ = env.scratch().file("peer-" + service + ".log");
  const std::string ready = env.scratch().file("peer-" + service + ".ready");
  // A peer of an earlier test step may have left its files.
  std::error_code ec;
  fs::remove(log_, ec);
  fs::remove(ready, ec);
  std::vector<std::string> args = {
      PIXDECK_DDE_TEST_PEER, "--service", service, "--log", log_, "--ready", ready};
  for (const auto& [topic, how] : answers) {
    args.push_back("--answer");
    args.push_back(std::string(topic).append("=").append(how));
  }
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (std::string& arg : args) {
    argv.push_back(arg.data());
  }
  argv.push_back(nullptr);
  if (::posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
    pid_ = -1;
  }
  ready_ = pid_ > 0 && WaitUntil([&] { return fs::exists(ready); }, std::chrono::seconds(10));
}

DdePeer::~DdePeer() {
  if (pid_ <= 0) {
    return;
  }
  ::kill(pid_, SIGTERM);
  int status = 0;
  ::waitpid(pid_, &status, 0);
}

std::vector<std::string> DdePeer::Requests() const {
  return ReadLines(log_);
}

}  // namespace pixdeck::test
