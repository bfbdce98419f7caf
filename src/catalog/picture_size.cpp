#include "catalog/picture_size.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace pixdeck {

namespace {
// Enough for every header but a JPEG with large segments before its frame.
constexpr std::size_t kFirstRead = 4096;
}  // namespace

PictureProbe PictureSizeReader::Probe(const std::string& name) {
  PictureProbe probe;
  std::size_t want = kFirstRead;
  for (;;) {
    if (buffer_.size() < want) {
      buffer_.resize(want);
    }
    const platform::HeadRead head = folder_.ReadHead(name, buffer_.data(), want);
    if (want == kFirstRead) {
      probe.found = head.found;
      probe.fileSize = head.fileSize;
    }
    if (head.bytes < 0) {
      return probe;
    }
    const auto count = static_cast<std::size_t>(head.bytes);
    const HeadScan scan = ScanPictureHead({buffer_.data(), count});
    probe.size = scan.size;
    // A short read is the whole file; only a full one may have more to give.
    if (scan.size || !scan.truncated || count < want || want == kPictureHeadCap) {
      return probe;
    }
    want = kPictureHeadCap;
  }
}

namespace {
// Below this many pictures starting threads costs more than it saves.
constexpr std::size_t kPicturesPerThread = 512;
constexpr unsigned kMaxReaderThreads = 8;
// Each thread takes the next batch of names as it finishes one.
constexpr std::size_t kBatch = 64;
}  // namespace

std::vector<PictureProbe> ProbePictures(
    const std::string& folder, std::size_t count,
    const std::function<const std::string&(std::size_t)>& nameAt) {
  std::vector<PictureProbe> probes(count);
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    PictureSizeReader reader(folder);
    for (;;) {
      const std::size_t start = next.fetch_add(kBatch);
      if (start >= count) {
        return;
      }
      const std::size_t end = std::min(count, start + kBatch);
      for (std::size_t i = start; i < end; ++i) {
        probes[i] = reader.Probe(nameAt(i));
      }
    }
  };
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const auto threads = static_cast<unsigned>(std::min<std::size_t>(
      {std::size_t{kMaxReaderThreads}, std::size_t{cores} * 2, count / kPicturesPerThread}));
  std::vector<std::thread> helpers;
  for (unsigned i = 1; i < threads; ++i) {
    try {
      helpers.emplace_back(work);
    } catch (const std::system_error&) {
      break;  // no more threads to be had: the others share the work
    }
  }
  work();
  for (std::thread& helper : helpers) {
    helper.join();
  }
  return probes;
}

}  // namespace pixdeck
