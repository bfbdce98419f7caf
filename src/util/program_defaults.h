// The built-in defaults of a Filter run, for the window, its settings and
// pixdeck-cli alike.
#pragma once

namespace pixdeck {

inline constexpr const char* kDefaultSpecs = "*.gif;*.jpg";
inline constexpr const char* kDefaultOutputName = "images.htm";
inline constexpr const char* kDefaultUrlBase = "file:///";
// Galleries: the largest side of a thumbnail and the pictures of one page.
inline constexpr int kDefaultThumbnailSize = 320;
inline constexpr int kMinThumbnailSize = 16;
inline constexpr int kMaxThumbnailSize = 2048;
inline constexpr int kDefaultGalleryPageSize = 500;
inline constexpr int kMaxGalleryPageSize = 1000000;

}  // namespace pixdeck
