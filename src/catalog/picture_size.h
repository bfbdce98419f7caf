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

// What one look at a folder's entry found.
struct PictureProbe {
  bool found = false;               // the entry exists
  std::uint64_t fileSize = 0;       // in bytes, as a folder search reports it
  std::optional<PictureSize> size;  // in pixels, when it is a readable picture
};

// Reads the sizes of the pictures in one folder, only as much of each file as
// its header needs (at most kPictureHeadCap bytes). Keeps the folder open and
// one buffer for all the files it reads.
class PictureSizeReader {
 public:
  explicit PictureSizeReader(const std::string& folder) : folder_(folder) {}

  // The entry name (a bare name in the folder): its file size, and its pixel
  // size unless it is no readable picture file (a folder, a file of another
  // kind, a truncated or corrupt header, an absurd size).
  PictureProbe Probe(const std::string& name);

 private:
  platform::FolderFiles folder_;
  std::vector<std::uint8_t> buffer_;
};

// Probes count entries of one folder, the i-th named nameAt(i), on several
// threads when there are many: each read waits on the file system far longer
// than it computes. The answers are in the order of the names.
std::vector<PictureProbe> ProbePictures(
    const std::string& folder, std::size_t count,
    const std::function<const std::string&(std::size_t)>& nameAt);

}  // namespace pixdeck
