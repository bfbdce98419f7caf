// The Filter command without its window: searches a folder for every file
// specification, sorts the matches by name and writes the page that shows them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/catalog_list.h"
#include "catalog/color_table.h"
#include "catalog/thumbnail_store.h"
#include "platform/file_system.h"
#include "util/messages.h"
#include "util/paths.h"
#include "util/program_defaults.h"

namespace pixdeck {

// The steps of a run that take long on a large folder.
enum class CatalogStage {
  Reading,         // done: matches found so far; total: 0 (not known yet)
  ReadingHeaders,  // done: 0; total: the pictures whose headers are read
  Writing,         // done: entries written of total
  Thumbnails,      // done: a gallery's thumbnails made or found of total
};
// Told now and then where a run has got to (every few thousand entries).
using CatalogProgress =
    std::function<void(CatalogStage stage, std::size_t done, std::size_t total)>;
// Takes the whole page instead of a file; its reason names where it went.
using PageSink = std::function<Expected<void>(const std::string& page)>;

// The window's inputs at the moment Filter is pressed.
struct CatalogInputs {
  std::string directory;                        // full path, no trailing separator except a root
  std::string specs = kDefaultSpecs;            // patterns separated by ";"
  std::string outputName = kDefaultOutputName;  // empty: a temporary page
  std::string pattern;                          // background picture; may be empty
  std::string colorName;                        // a name of the colour table; may be empty
  std::string urlBase = kDefaultUrlBase;
  const ColorTable* colors = nullptr;  // none: no colour codes
  // Each picture loads as it scrolls into view, its size read from its header.
  bool lightPages = false;
  CatalogProgress progress;  // may be empty
  // Set: the page goes here and no file is written. Nobody knows where it
  // will be kept, so its links carry the folder's full URL.
  PageSink pageSink;
  // A gallery instead: thumbnails in a grid, in pages of galleryPageSize
  // pictures; the light-pages choice does not apply to it.
  bool gallery = false;
  int thumbnailSize = kDefaultThumbnailSize;
  int galleryPageSize = kDefaultGalleryPageSize;
  const Thumbnailer* thumbnailer = nullptr;  // none: the system's
  // Told how far the thumbnails are, on the calling thread; false stops.
  ThumbnailProgress thumbnailProgress;
};

enum class CatalogStatus {
  NoSpecs,  // empty specifications: nothing done
  NoFiles,  // nothing matched: "No files found!" shown, nothing written
  // The folder could not be read (no permission, gone): the system's reason
  // shown, nothing written.
  Unreadable,
  NoTempName,   // a temporary page was wanted but no name could be had
  WriteFailed,  // the page could not be written; an earlier page is intact
  Stopped,      // a gallery's progress asked to stop: no page written
  Written,
};

struct CatalogResult {
  CatalogStatus status = CatalogStatus::NoSpecs;
  std::size_t count = 0;           // pictures listed, duplicates included
  std::string outputName;          // the output name used (the temporary page's path
                                   // when the input was empty)
  bool temporaryName = false;      // outputName is a new temporary name: the window
                                   // shows it; the run has already registered it
                                   // for deletion at exit if the page was written
  std::string pagePath;            // the page file (set once known)
  std::size_t thumbnailsMade = 0;  // a gallery's pictures decoded this run
};

// Appends every entry of directory that matches one of the ";"-separated
// patterns, pattern by pattern, each pattern's matches in directory order;
// nothing is filtered or de-duplicated. The folder is read once for all
// patterns without a folder part of their own; sizes tells how their sizes
// are found (kSizeNotRead: the caller reads them itself). found, when given,
// hears the number of matches so far every few thousand. Fails, naming the
// folder and the system's reason, when a folder to search could not be read;
// the other searches run all the same.
Expected<void> SearchCatalog(std::string_view directory, std::string_view specs,
                             CatalogList& catalog,
                             platform::MatchSizes sizes = platform::MatchSizes::Read,
                             const std::function<void(std::size_t found)>& found = {});

// True when the page goes into the scanned folder: the output name has no
// folder, or its folder is the scanned one.
bool IsPageInScanDir(std::string_view outputName, std::string_view directory,
                     PathStyle style = kNativeStyle);
// The file the page is written to: the output name when it has a folder, else
// the name inside the scanned folder.
std::string PageFileOf(std::string_view outputName, std::string_view directory,
                       PathStyle style = kNativeStyle);

// Runs the whole command and reports to the user through messages.
CatalogResult RunCatalog(const CatalogInputs& inputs, Messages& messages);

}  // namespace pixdeck
