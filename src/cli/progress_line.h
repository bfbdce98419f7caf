// Progress of a run over a large folder, as one line of standard error that
// is rewritten in place; only for a terminal, where a person watches it.
#pragma once

#include <chrono>
#include <cstddef>
#include <iosfwd>
#include <string>

#include "catalog/catalog_run.h"

namespace pixdeck::cli {

// A folder with at least this many matches shows its progress.
inline constexpr std::size_t kLargeFolderMatches = 10000;

class ProgressLine {
 public:
  // Disabled, it never writes.
  ProgressLine(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}
  ~ProgressLine() { Clear(); }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // Shows where the run has got to: each new stage at once, within a stage
  // at most ten times a second; nothing while the folder is small.
  void Show(CatalogStage stage, std::size_t done, std::size_t total);
  // Takes the line away, so that what follows starts on a clean line.
  void Clear();

 private:
  std::ostream& err_;
  bool enabled_;
  bool shownStage_ = false;
  CatalogStage stage_ = CatalogStage::Reading;
  std::size_t shownLength_ = 0;
  std::chrono::steady_clock::time_point shownAt_;
};

}  // namespace pixdeck::cli
