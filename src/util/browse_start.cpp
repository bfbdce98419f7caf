#include "util/browse_start.h"

#include "util/paths.h"
#include "util/program_dirs.h"

namespace pixdeck {
namespace {

std::function<std::string()>& CurrentDirSource() {
  static std::function<std::string()> source;
  return source;
}

std::string& LastDir() {
  static std::string dir;
  return dir;
}

std::string BrowseCurrentDir() {
  if (CurrentDirSource()) {
    std::string dir = CurrentDirSource()();
    if (!dir.empty()) {
      return dir;
    }
  }
  return CurrentDir();
}

}  // namespace

BrowseStart PlaceBrowse(const std::string& fileName, bool useFileDir) {
  if (LastDir().empty()) {
    LastDir() = BrowseCurrentDir();
  }
  BrowseStart start;
  std::string nameDir;
  if (!fileName.empty()) {
    start.proposedName = RelativeTo(LastDir(), fileName);
    nameDir = DirOf(start.proposedName);
  }
  if (useFileDir && !nameDir.empty()) {
    start.startDir = nameDir;
    start.proposedName = NameOf(start.proposedName);
  } else {
    start.startDir = LastDir();
  }
  // A wildcard is no file name to propose.
  if (start.proposedName.find('*') != std::string::npos) {
    start.proposedName.clear();
  }
  return start;
}

void RememberBrowse(const std::string& chosenPath, BrowseKind kind, bool useFileDir) {
  if (kind == BrowseKind::Open || useFileDir) {
    LastDir() = DirOf(chosenPath);
  }
}

void SetCurrentDirSource(std::function<std::string()> source) {
  CurrentDirSource() = std::move(source);
}

const std::string& LastBrowseDir() {
  return LastDir();
}

void SetLastBrowseDir(const std::string& dir) {
  LastDir() = dir;
}

}  // namespace pixdeck
