// The folder of a gallery's thumbnails ("images_files" beside "images.htm"):
// one file per picture, named after the picture's name, size and modification
// time and the thumbnail size, so that a thumbnail is made again only when its
// picture changed, and one look at the folder tells which are there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/thumbnailer.h"

namespace pixdeck {

// A picture's thumbnail as the page shows it.
struct ThumbnailInfo {
  // In the thumbnail folder: the thumbnail, or the empty mark of a picture
  // that cannot be decoded; empty when nothing was made.
  std::string fileName;
  int width = 0;  // 0: no thumbnail to show
  int height = 0;
  bool Shown() const { return width > 0; }
};

// Told how far the work is, on the thread that runs MakeThumbnails, a few
// times a second; returns false to stop.
using ThumbnailProgress = std::function<bool(std::size_t done, std::size_t total)>;
// What a window shows of that progress: "Making thumbnails: 3 of 80".
std::string ThumbnailProgressText(std::size_t done, std::size_t total);

struct ThumbnailRun {
  std::vector<ThumbnailInfo> thumbnails;  // one per picture, in the order given
  std::size_t made = 0;                   // pictures decoded this run (thumbnail or none)
  std::size_t toMake = 0;                 // pictures that needed it
  bool stopped = false;                   // the progress asked to stop: thumbnails incomplete
  std::string error;                      // a folder or file that could not be written
};

// The thumbnail folder of a page: the page's path without its extension and
// "_files".
std::string ThumbnailFolderOf(std::string_view pagePath);

// The thumbnails of the pictures named (bare names in pictureDir), at most
// maxSide by maxSide, made on `threads` threads (0: one per core) where the
// folder has no current one. A picture that cannot be decoded is remembered
// as having none. A thumbnailer that makes none leaves the folder alone.
ThumbnailRun MakeThumbnails(const Thumbnailer& thumbnailer, const std::string& pictureDir,
                            const std::vector<std::string_view>& names,
                            const std::string& thumbnailDir, int maxSide,
                            const ThumbnailProgress& progress = {}, unsigned threads = 0);

// Removes the thumbnail folder's files that this naming made and that keep
// does not name: thumbnails of pictures that are gone or changed. Other
// files stay.
void RemoveStaleThumbnails(const std::string& thumbnailDir, const std::vector<ThumbnailInfo>& keep);

}  // namespace pixdeck
