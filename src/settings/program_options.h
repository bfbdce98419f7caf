// The program's options: every value with its built-in default, in one place.
// The main window, the Options dialog, the page writer and the browser
// integration read the program-wide instance; the settings load and save move
// it to and from the settings store under the keys named below.
#pragma once

#include <string>

#include "util/program_defaults.h"

namespace pixdeck {

// Sections and keys of the program's settings.
inline constexpr const char* kOptionsSection = "Options";
inline constexpr const char* kBrowserNameKey = "BrowserName";
inline constexpr const char* kUseRegSettingsKey = "UseRegSettings";
inline constexpr const char* kOutputNameKey = "OutputName";
inline constexpr const char* kUrlBaseNameKey = "UrlBaseName";
inline constexpr const char* kPatternNameKey = "PatternName";
inline constexpr const char* kBgColorKey = "BgColor";
inline constexpr const char* kDefaultDirKey = "DefaultDir";
inline constexpr const char* kLightPagesKey = "LightPages";
inline constexpr const char* kGalleryKey = "Gallery";
inline constexpr const char* kThumbnailSizeKey = "ThumbnailSize";
inline constexpr const char* kGalleryPageSizeKey = "GalleryPageSize";
inline constexpr const char* kSpecsSection = "Specs";
inline constexpr const char* kOutputNamesSection = "OutputNames";
inline constexpr const char* kPatternsSection = "Patterns";
inline constexpr const char* kHistoryListName = "Item";

struct ProgramOptions {
  // The web browser's path and file name; empty: the one the system has
  // registered for HTML documents.
  std::string browserName;
  // Find the browser through the system's registration and talk to it over
  // DDE. Always true while browserName is empty.
  bool useRegSettings = true;
  // Default name of the page that Filter writes.
  std::string outputName = kDefaultOutputName;
  // What the page writer puts in front of the page's links.
  std::string urlBaseName = kDefaultUrlBase;
  // Default background pattern, a picture file name.
  std::string patternName;
  // Default background colour, a name from the colour table.
  std::string bgColor;
  // Pages whose pictures load as they scroll into view, each with the size
  // its header gives, so that a folder of thousands stays light.
  bool lightPages = false;
  // Galleries instead of the plain page: thumbnails in a grid, in pages of at
  // most galleryPageSize pictures, each thumbnail at most thumbnailSize
  // pixels a side.
  bool gallery = false;
  int thumbnailSize = kDefaultThumbnailSize;
  int galleryPageSize = kDefaultGalleryPageSize;

  bool operator==(const ProgramOptions&) const = default;
};

// The program-wide option values.
ProgramOptions& CurrentOptions();

}  // namespace pixdeck
