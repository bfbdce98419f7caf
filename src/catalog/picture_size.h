// Reads the pixel size of picture files from their headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalog/picture_head.h"
#include "platform/file_system.h"

namespace pixdeck {

// Reads the sizes of the pictures in one folder, only as much of each file as
// its header needs (at most kPictureHeadCap bytes). Keeps the folder open and
// one buffer for all the files it reads.
class PictureSizeReader {
 public:
  explicit PictureSizeReader(const std::string& folder) : folder_(folder) {}

  // The size of the picture name (a bare name in the folder). Nothing for
  // anything that is not a readable picture file: a folder, a file of another
  // kind, a truncated or corrupt header, an absurd size.
  std::optional<PictureSize> SizeOf(const std::string& name);

 private:
  platform::FolderFiles folder_;
  std::vector<std::uint8_t> buffer_;
};

// The sizes of count pictures of one folder, the i-th named nameAt(i), read
// on several threads when there are many: each read waits on the file system
// far longer than it computes. The answers are in the order of the names.
std::vector<std::optional<PictureSize>> ReadPictureSizes(
    const std::string& folder, std::size_t count,
    const std::function<const std::string&(std::size_t)>& nameAt);

}  // namespace pixdeck
