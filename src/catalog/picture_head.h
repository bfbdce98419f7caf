// The pixel size of a picture as a browser shows it, found in the first bytes
// of its file: GIF, JPEG (its EXIF orientation applied), PNG, BMP and WebP.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace pixdeck {

struct PictureSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;

  bool operator==(const PictureSize&) const = default;
};

// The most bytes read from one file. A JPEG whose frame header lies beyond
// them counts as unreadable.
inline constexpr std::size_t kPictureHeadCap = std::size_t{64} * 1024;
// What a picture may claim and still be believed: JPEG and GIF hold at most
// 65,535 pixels a side, and a browser decodes no picture whose pixels, four
// bytes each, overflow a signed 32-bit size.
inline constexpr std::uint32_t kMaxPictureSide = 65535;
inline constexpr std::uint64_t kMaxPicturePixels = (std::uint64_t{1} << 29) - 1;

struct HeadScan {
  std::optional<PictureSize> size;
  // The head ended before the size was found: a longer head may hold it.
  bool truncated = false;
  // A JPEG's EXIF orientation, 1 (upright) to 8; 1 for every other kind.
  unsigned orientation = 1;
};

// Reads the size from head, the first bytes of a file (the whole file when it
// is shorter). Never reads outside head; any input gives an answer.
HeadScan ScanPictureHead(std::span<const std::uint8_t> head);

}  // namespace pixdeck
