// Builds the pages of a gallery: a grid of thumbnails, each a link to its
// picture, with the name and size under it, in pages of a bounded number of
// pictures that link to each other. HTML5, no script.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/thumbnail_store.h"
#include "util/paths.h"

namespace pixdeck {

struct GalleryEntry {
  std::string_view name;  // bare name in the scanned folder
  std::uint64_t size = 0;
  const ThumbnailInfo* thumbnail = nullptr;  // none, or one not Shown(): no thumbnail
};

// What every page of one gallery shares.
struct GalleryLayout {
  std::string directory;   // the scanned folder
  std::string title;       // the folder joined with the specifications
  std::string patternUrl;  // background pattern, already a URL; may be empty
  std::string colorCode;   // background colour without "#"; may be empty
  std::string urlBase;
  bool pageInScanDir = true;
  std::string pageDir;                 // the pages' folder
  std::vector<std::string> pageNames;  // bare names, the first page first
  std::string thumbnailFolder;         // bare name of the folder beside the pages
  std::size_t pictureCount = 0;
  int thumbnailSize = 320;
  PathStyle style = kNativeStyle;
};

// The extension with its dot ("images.htm" gives ".htm"), empty for none.
std::string DotExtOf(std::string_view path, PathStyle style = kNativeStyle);

// The bare name of page `index` (from 0) of a gallery whose first page is
// firstPage: "images.htm", "images-2.htm", "images-3.htm", ...
std::string GalleryPageName(std::string_view firstPage, std::size_t index,
                            PathStyle style = kNativeStyle);
// The page number of a later page's name ("images-7.htm" gives 7), 0 for any
// other name.
std::size_t GalleryPageNumber(std::string_view firstPage, std::string_view name,
                              PathStyle style = kNativeStyle);

// The whole text of page `index` (from 0), showing entries.
std::string GalleryPageText(const GalleryLayout& layout, std::size_t index,
                            std::span<const GalleryEntry> entries);

// True when head (the start of a file) is the start of a gallery page.
bool IsGalleryPage(std::string_view head);

}  // namespace pixdeck
