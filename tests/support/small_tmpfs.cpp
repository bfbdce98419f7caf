#include "small_tmpfs.h"

#ifndef _WIN32

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "text/utf8_path.h"

namespace pixdeck::test {

SmallTmpfs::SmallTmpfs(std::size_t bytes) : path_(Utf8FromPath(scratch_.path())) {
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
  if (::mount("pixdeck-test", path_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
    why_ = "cannot mount a tmpfs (needs root): " + std::string(std::strerror(errno));
  }
}

SmallTmpfs::~SmallTmpfs() {
  if (why_.empty()) {
    ::umount2(path_.c_str(), MNT_DETACH);
  }
}

void SmallTmpfs::FillUp(std::size_t room) const {
  const int fd = ::open(File("filler").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) {
    return;
  }
  // Big pieces first, then single bytes: the last page is filled to the end.
  const std::vector<char> block(65536, 'x');
  for (std::size_t piece = block.size(); piece >= 1; piece /= 16) {
    while (::write(fd, block.data(), piece) == static_cast<ssize_t>(piece)) {
    }
  }
  const off_t size = ::lseek(fd, 0, SEEK_END);
  if (room > 0 && size >= static_cast<off_t>(room)) {
    (void)!::ftruncate(fd, size - static_cast<off_t>(room));
  }
  ::close(fd);
}

void SmallTmpfs::MakeRoom() const {
  ::unlink(File("filler").c_str());
}

}  // namespace pixdeck::test

#endif
