#include "cli/progress_line.h"

#include <ostream>

#include "cli/error_line.h"

namespace pixdeck::cli {

namespace {

std::string StageText(CatalogStage stage, std::size_t done, std::size_t total) {
  switch (stage) {
    case CatalogStage::Reading:
      return "reading the folder: " + std::to_string(done) + " files found";
    case CatalogStage::ReadingHeaders:
      return "reading the headers of " + std::to_string(total) + " pictures";
    case CatalogStage::Writing:
      return "writing the page: " + std::to_string(done) + " of " + std::to_string(total) +
             " pictures";
    case CatalogStage::Thumbnails:
      return "thumbnails: " + std::to_string(done) + " of " + std::to_string(total);
  }
  return {};
}

}  // namespace

void ProgressLine::Show(CatalogStage stage, std::size_t done, std::size_t total) {
  // Thumbnails take long even for a few hundred pictures.
  const bool large = done >= kLargeFolderMatches || total >= kLargeFolderMatches;
  if (!enabled_ || (!large && stage != CatalogStage::Thumbnails)) {
    return;
  }
  const auto now = std::chrono::steady_clock::now();
  // The last step of a stage always shows: a line left at "3 of 7" would lie.
  if (shownStage_ && stage == stage_ && (total == 0 || done < total) &&
      now - shownAt_ < std::chrono::milliseconds(100)) {
    return;
  }
  const std::string text = std::string(kProgramName) + ": " + StageText(stage, done, total);
  // Blanks cover what is left of a longer line before.
  const std::size_t pad = shownLength_ > text.size() ? shownLength_ - text.size() : 0;
  err_ << '\r' << text << std::string(pad, ' ') << std::flush;
  shownLength_ = text.size();
  shownStage_ = true;
  stage_ = stage;
  shownAt_ = now;
}

void ProgressLine::Clear() {
  if (shownLength_ == 0) {
    return;
  }
  err_ << '\r' << std::string(shownLength_, ' ') << '\r' << std::flush;
  shownLength_ = 0;
}

}  // namespace pixdeck::cli
