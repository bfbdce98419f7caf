#include "platform/posix/process_start.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/posix/errno_text.h"

// NOLINTNEXTLINE(readability-redundant-declaration): POSIX has programs declare it themselves
extern char** environ;

namespace pixdeck::platform {

Expected<std::string> RunAndCapture(const std::string& program,
                                    const std::vector<std::string>& arguments, int timeoutMs) {
  const std::string cannotRun = "Cannot run " + program;
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
    return ErrnoFailure(cannotRun);
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

  std::vector<char*> argv;
  argv.reserve(arguments.size() + 2);
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  if (spawned != 0) {
    ::close(pipeFds[0]);
    return Unexpected(ErrnoText(cannotRun, spawned));
  }

  std::string output;
  bool finished = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) {
      break;
    }
    pollfd entry{pipeFds[0], POLLIN, 0};
    const int ready = ::poll(&entry, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    if (ready <= 0) {
      break;
    }
    char buffer[1024];
    const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      finished = (n == 0);
      break;
    }
    output.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(pipeFds[0]);
  if (!finished) {
    ::kill(pid, SIGKILL);
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!finished) {
    return Unexpected(program + " gave no answer within " + std::to_string(timeoutMs) + " ms");
  }
  if (!WIFEXITED(status)) {
    return Unexpected(program + " was ended by signal " + std::to_string(WTERMSIG(status)));
  }
  if (WEXITSTATUS(status) != 0) {
    return Unexpected(program + " failed with exit code " + std::to_string(WEXITSTATUS(status)));
  }
  return output;
}

Expected<void> StartDetached(std::vector<std::string> arguments) {
  if (arguments.empty() || arguments.front().empty()) {
    return Unexpected("No program to start");
  }
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (std::string& word : arguments) {
    argv.push_back(word.data());
  }
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // Nothing of ours is the browser's: it reads no input and its chatter
  // reaches no terminal, and a caller reading our output is not kept waiting
  // for the browser to close.
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
#ifdef POSIX_SPAWN_SETSID
  // The browser outlives us and our terminal.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
#endif
  pid_t pid = 0;
  // A bare name is looked up on PATH, as the Windows launcher does.
  const int result = ::posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (result != 0) {
    return Unexpected(ErrnoText("Cannot start " + arguments.front(), result));
  }
  // Nobody waits for the browser; collect its exit status so it leaves no zombie.
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return {};
}

}  // namespace pixdeck::platform
