// libFuzzer target for the picture header reader. Any input must give an
// answer without reading outside it; a size found is never zero or past the
// limits; and since only bytes already read decide, bytes added at the end
// change no answer that was not waiting for more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "catalog/picture_head.h"

namespace {

void Check(bool condition) {
  if (!condition)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pixdeck;
  // A copy of exactly the input's size, so that AddressSanitizer catches a
  // read one byte past it.
  const std::vector<std::uint8_t> head(data, data + size);
  const HeadScan scan = ScanPictureHead(head);
  if (scan.size) {
    Check(!scan.truncated);
    Check(scan.size->width >= 1 && scan.size->height >= 1);
    Check(scan.size->width <= kMaxPictureSide && scan.size->height <= kMaxPictureSide);
    Check(std::uint64_t{scan.size->width} * scan.size->height <= kMaxPicturePixels);
  }
  if (!scan.truncated) {
    std::vector<std::uint8_t> longer = head;
    longer.insert(longer.end(), 64, 0xFF);
    const HeadScan again = ScanPictureHead(longer);
    Check(again.size == scan.size && !again.truncated);
  }
  return 0;
}
