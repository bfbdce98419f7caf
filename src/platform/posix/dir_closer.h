// Closes an open folder listing: the deleter of a std::unique_ptr<DIR>.
#pragma once

#include <dirent.h>

namespace pixdeck::platform {

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

}  // namespace pixdeck::platform
