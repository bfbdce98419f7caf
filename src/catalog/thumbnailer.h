// Makes the small pictures of a gallery page. The core sees only this
// interface; the build picks the implementation of its system (libvips on
// Linux), or one that makes none, so that a gallery still lists every picture.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace pixdeck {

// Kinds of thumbnail file, both shown by every browser.
enum class ThumbnailFormat {
  Jpeg,  // pictures without transparency
  Png,   // pictures with it
};

struct Thumbnail {
  std::string bytes;  // the encoded file
  int width = 0;
  int height = 0;
  ThumbnailFormat format = ThumbnailFormat::Jpeg;
};

class Thumbnailer {
 public:
  virtual ~Thumbnailer() = default;
  // False where this build makes no thumbnails at all.
  virtual bool CanMake() const = 0;
  // The picture at path (a UTF-8 path in the native style) reduced to fit
  // maxSide by maxSide, never enlarged, turned upright by its EXIF
  // orientation, in sRGB. Nothing when the file cannot be decoded: it is not
  // a picture, it is truncated or of a kind the library does not know, or it
  // is no regular file. Safe to call from several threads at once.
  virtual std::optional<Thumbnail> Make(const std::string& path, int maxSide) const = 0;
};

// The system's thumbnailer (one that makes none where the build has no
// library for it).
std::unique_ptr<Thumbnailer> MakeSystemThumbnailer();

// The extension of a format's files, without the dot.
const char* ThumbnailExtension(ThumbnailFormat format);

}  // namespace pixdeck
