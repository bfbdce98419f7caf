// Reads the pixel size of picture files from their headers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalog/picture_head.h"

namespace pixdeck {

// Reads only as much of each file as its header needs (at most
// kPictureHeadCap bytes). Keeps one buffer for all the files it reads.
class PictureSizeReader {
 public:
  // Nothing for anything that is not a readable picture file: a folder, a
  // file of another kind, a truncated or corrupt header, an absurd size.
  std::optional<PictureSize> SizeOf(const std::string& path);

 private:
  std::vector<std::uint8_t> buffer_;
};

}  // namespace pixdeck
