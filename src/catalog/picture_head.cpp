#include "catalog/picture_head.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace pixdeck {
namespace {

// Bounds-checked reads from the head; every reader answers nothing past its end.
class Bytes {
 public:
  explicit Bytes(std::span<const std::uint8_t> data) : data_(data) {}

  std::size_t size() const { return data_.size(); }
  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= data_.size() && count <= data_.size() - offset;
  }
  std::uint8_t At(std::size_t offset) const { return data_[offset]; }
  bool Matches(std::size_t offset, std::string_view text) const {
    return Has(offset, text.size()) && std::memcmp(&data_[offset], text.data(), text.size()) == 0;
  }
  std::uint32_t Le16(std::size_t offset) const {
    return data_[offset] | (std::uint32_t{data_[offset + 1]} << 8);
  }
  std::uint32_t Be16(std::size_t offset) const {
    return (std::uint32_t{data_[offset]} << 8) | data_[offset + 1];
  }
  std::uint32_t Le24(std::size_t offset) const {
    return Le16(offset) | (std::uint32_t{data_[offset + 2]} << 16);
  }
  std::uint32_t Le32(std::size_t offset) const { return Le16(offset) | (Le16(offset + 2) << 16); }
  std::uint32_t Be32(std::size_t offset) const { return (Be16(offset) << 16) | Be16(offset + 2); }
  std::uint32_t U16(std::size_t offset, bool bigEndian) const {
    return bigEndian ? Be16(offset) : Le16(offset);
  }
  std::uint32_t U32(std::size_t offset, bool bigEndian) const {
    return bigEndian ? Be32(offset) : Le32(offset);
  }
  Bytes Sub(std::size_t offset, std::size_t count) const {
    return Bytes(data_.subspan(offset, count));
  }

 private:
  std::span<const std::uint8_t> data_;
};

HeadScan Found(std::uint64_t width, std::uint64_t height) {
  HeadScan scan;
  if (width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
      width * height <= kMaxPicturePixels) {
    scan.size = PictureSize{static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
  }
  return scan;
}

HeadScan Truncated() {
  HeadScan scan;
  scan.truncated = true;
  return scan;
}

HeadScan NotAPicture() {
  return {};
}

// "GIF87a" or "GIF89a", then the logical screen's width and height.
HeadScan ScanGif(const Bytes& b) {
  if (!b.Has(0, 10)) {
    return Truncated();
  }
  return Found(b.Le16(6), b.Le16(8));
}

// The signature, then IHDR as the first chunk: length 13, width, height.
HeadScan ScanPng(const Bytes& b) {
  if (!b.Has(0, 24)) {
    return Truncated();
  }
  if (b.Be32(8) != 13 || !b.Matches(12, "IHDR")) {
    return NotAPicture();
  }
  return Found(b.Be32(16), b.Be32(20));
}

// "BM", the 14-byte file header, then the bitmap header: 16-bit sizes in the
// old 12-byte core header, signed 32-bit ones in every later header (a
// negative height is a picture stored top down).
HeadScan ScanBmp(const Bytes& b) {
  if (!b.Has(14, 4)) {
    return Truncated();
  }
  const std::uint32_t headerSize = b.Le32(14);
  if (headerSize == 12) {
    if (!b.Has(18, 4)) {
      return Truncated();
    }
    return Found(b.Le16(18), b.Le16(20));
  }
  if (headerSize < 16 || headerSize > 4096) {
    return NotAPicture();
  }
  if (!b.Has(18, 8)) {
    return Truncated();
  }
  const auto width = static_cast<std::int32_t>(b.Le32(18));
  const auto height = static_cast<std::int32_t>(b.Le32(22));
  if (width <= 0 || height == 0 || height == INT32_MIN) {
    return NotAPicture();
  }
  return Found(static_cast<std::uint32_t>(width),
               static_cast<std::uint32_t>(height < 0 ? -height : height));
}

// "RIFF", size, "WEBP", then the first chunk: the extended header "VP8X" with
// the canvas size, a lossy key frame "VP8 " or a lossless stream "VP8L".
HeadScan ScanWebp(const Bytes& b) {
  if (!b.Has(0, 30)) {
    return Truncated();
  }
  if (b.Matches(12, "VP8X")) {
    return Found(std::uint64_t{b.Le24(24)} + 1, std::uint64_t{b.Le24(27)} + 1);
  }
  if (b.Matches(12, "VP8 ")) {
    // Frame tag (bit 0 clear on a key frame), start code 9D 01 2A, then the
    // 14-bit width and height, each with two bits of scaling above.
    if ((b.At(20) & 1) != 0 || b.At(23) != 0x9D || b.At(24) != 0x01 || b.At(25) != 0x2A) {
      return NotAPicture();
    }
    return Found(b.Le16(26) & 0x3FFF, b.Le16(28) & 0x3FFF);
  }
  if (b.Matches(12, "VP8L")) {
    // Signature 0x2F, then width - 1 and height - 1 in 14 bits each.
    if (b.At(20) != 0x2F) {
      return NotAPicture();
    }
    const std::uint32_t bits = b.Le32(21);
    return Found((bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1);
  }
  return NotAPicture();
}

// The orientation from an APP1 segment's body ("Exif", two zero bytes, then a
// TIFF header and its first directory); 0 when it has none.
unsigned ExifOrientation(const Bytes& app1) {
  if (!app1.Matches(0, std::string_view("Exif\0\0", 6))) {
    return 0;
  }
  const Bytes tiff = app1.Sub(6, app1.size() - 6);
  if (!tiff.Has(0, 8)) {
    return 0;
  }
  bool bigEndian = false;
  if (tiff.Matches(0, "MM")) {
    bigEndian = true;
  } else if (!tiff.Matches(0, "II")) {
    return 0;
  }
  if (tiff.U16(2, bigEndian) != 42) {
    return 0;
  }
  const std::uint32_t directory = tiff.U32(4, bigEndian);
  if (!tiff.Has(directory, 2)) {
    return 0;
  }
  const std::uint32_t count = tiff.U16(directory, bigEndian);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = std::size_t{directory} + 2 + std::size_t{i} * 12;
    if (!tiff.Has(entry, 12)) {
      return 0;
    }
    // Tag 0x0112, type SHORT, one value, kept in the entry itself.
    if (tiff.U16(entry, bigEndian) == 0x0112) {
      if (tiff.U16(entry + 2, bigEndian) != 3 || tiff.U32(entry + 4, bigEndian) != 1) {
        return 0;
      }
      return tiff.U16(entry + 8, bigEndian);
    }
  }
  return 0;
}

bool IsFrameHeader(std::uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the markers from the start of image to the first frame header, any
// kind (baseline, extended, progressive, lossless). The first EXIF segment on
// the way gives the orientation; 5 to 8 turn the picture by 90 degrees, which
// swaps width and height as the browser shows it.
HeadScan ScanJpeg(const Bytes& b) {
  std::size_t pos = 2;
  unsigned orientation = 0;
  bool exifSeen = false;
  for (;;) {
    // Bytes between segments are not markers; a decoder skips them, and so
    // do we, up to the next 0xFF and past any fill bytes.
    while (pos < b.size() && b.At(pos) != 0xFF) {
      ++pos;
    }
    while (pos < b.size() && b.At(pos) == 0xFF) {
      ++pos;
    }
    if (pos >= b.size()) {
      return Truncated();
    }
    const std::uint8_t marker = b.At(pos++);
    if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      continue;  // a stuffed zero or a marker without a segment
    }
    if (marker == 0xD8 || marker == 0xD9 || marker == 0xDA) {
      return NotAPicture();  // a second start, the end or the scan before any frame
    }
    if (!b.Has(pos, 2)) {
      return Truncated();
    }
    const std::size_t length = b.Be16(pos);
    if (length < 2) {
      return NotAPicture();
    }
    if (IsFrameHeader(marker)) {
      if (length < 8) {
        return NotAPicture();
      }
      if (!b.Has(pos, 7)) {
        return Truncated();
      }
      const std::uint32_t height = b.Be16(pos + 3);
      const std::uint32_t width = b.Be16(pos + 5);
      const bool turned = orientation >= 5 && orientation <= 8;
      HeadScan found = turned ? Found(height, width) : Found(width, height);
      if (orientation >= 1 && orientation <= 8) {
        found.orientation = orientation;
      }
      return found;
    }
    if (marker == 0xE1 && !exifSeen) {
      if (!b.Has(pos, length)) {
        return Truncated();
      }
      const Bytes body = b.Sub(pos + 2, length - 2);
      if (body.Matches(0, std::string_view("Exif\0\0", 6))) {
        exifSeen = true;
        orientation = ExifOrientation(body);
      }
    }
    pos += length;
  }
}

}  // namespace

HeadScan ScanPictureHead(std::span<const std::uint8_t> head) {
  const Bytes b(head);
  if (b.Matches(0, "GIF87a") || b.Matches(0, "GIF89a")) {
    return ScanGif(b);
  }
  if (b.Matches(0, "\x89PNG\r\n\x1A\n")) {
    return ScanPng(b);
  }
  if (b.Has(0, 3) && b.At(0) == 0xFF && b.At(1) == 0xD8 && b.At(2) == 0xFF) {
    return ScanJpeg(b);
  }
  if (b.Matches(0, "BM")) {
    return ScanBmp(b);
  }
  if (b.Matches(0, "RIFF") && b.Matches(8, "WEBP")) {
    return ScanWebp(b);
  }
  // Too short to tell: a longer head could still be a picture.
  return b.size() < 12 ? Truncated() : NotAPicture();
}

}  // namespace pixdeck
