#include "catalog/picture_size.h"

#include "platform/file_system.h"

namespace pixdeck {

namespace {
// Enough for every header but a JPEG with large segments before its frame.
constexpr std::size_t kFirstRead = 4096;
}  // namespace

std::optional<PictureSize> PictureSizeReader::SizeOf(const std::string& path) {
  std::size_t want = kFirstRead;
  for (;;) {
    if (buffer_.size() < want)
      buffer_.resize(want);
    const std::ptrdiff_t got = platform::ReadFileHead(path, buffer_.data(), want);
    if (got < 0)
      return std::nullopt;
    const auto count = static_cast<std::size_t>(got);
    const HeadScan scan = ScanPictureHead({buffer_.data(), count});
    // A short read is the whole file; only a full one may have more to give.
    if (scan.size || !scan.truncated || count < want || want == kPictureHeadCap)
      return scan.size;
    want = kPictureHeadCap;
  }
}

}  // namespace pixdeck
