#include "util/temp_files.h"

#include <algorithm>

#include "platform/collate.h"
#include "platform/file_system.h"
#include "util/file_status.h"

namespace pixdeck {

std::string TempFileName() {
  // The callers know only "a name" or "none": an empty name is the fallback.
  const Expected<std::string> dir = platform::TempDirectory();
  if (!dir) {
    return {};
  }
  return platform::CreateUniqueTempFile(*dir, "pdk").value_or(std::string());
}

namespace {

bool SortsBefore(const std::string& a, const std::string& b) {
  return platform::CompareTextLocale(a, b) < 0;
}

}  // namespace

void TempFileList::Register(const std::string& path) {
  const auto at = std::lower_bound(entries_.begin(), entries_.end(), path, SortsBefore);
  if (at != entries_.end() && platform::CompareTextLocale(*at, path) == 0) {
    return;
  }
  entries_.insert(at, path);
}

bool TempFileList::DeleteAll(const Deleter& deleter) {
  const Deleter remove = deleter ? deleter : Deleter(DeleteFileIfFree);
  auto it = entries_.begin();
  while (it != entries_.end()) {
    // An entry that cannot be deleted is still in use; the ones after it wait
    // for another run rather than being removed under a program that holds it.
    if (!remove(*it)) {
      break;
    }
    it = entries_.erase(it);
  }
  return entries_.empty();
}

TempFileList& TempFiles() {
  static TempFileList list;
  return list;
}

}  // namespace pixdeck
