#include "catalog/thumbnail_store.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <thread>
#include <unordered_map>

#include "catalog/gallery_writer.h"
#include "platform/file_system.h"
#include "text/path_names.h"
#include "text/utf8_path.h"

namespace pixdeck {

const char* ThumbnailExtension(ThumbnailFormat format) {
  return format == ThumbnailFormat::Png ? "png" : "jpg";
}

namespace {

namespace fs = std::filesystem;

// Files of this naming: "t" and 16 hexadecimal digits of the key, then
// "-WIDTHxHEIGHT.jpg" (or ".png") for a thumbnail, ".none" for a picture that
// cannot be decoded.
constexpr char kPrefix = 't';
constexpr std::size_t kKeyDigits = 16;
constexpr std::string_view kNoneSuffix = ".none";
// Changed whenever thumbnails are made differently, so old ones are remade.
constexpr std::string_view kNamingVersion = "pixdeck-thumbnail-1";

// FNV-1a over everything that decides a thumbnail.
class KeyHash {
 public:
  void Add(std::string_view bytes) {
    for (const char c : bytes) {
      hash_ ^= static_cast<unsigned char>(c);
      hash_ *= 0x100000001B3ULL;
    }
    // A separator, so that ("ab","c") and ("a","bc") differ.
    hash_ ^= 0xFF;
    hash_ *= 0x100000001B3ULL;
  }
  void Add(std::uint64_t value) {
    char bytes[8];
    for (int i = 0; i < 8; ++i) {
      bytes[i] = static_cast<char>(value >> (8 * i));
    }
    Add(std::string_view(bytes, sizeof bytes));
  }
  std::uint64_t Value() const { return hash_; }

 private:
  std::uint64_t hash_ = 0xCBF29CE484222325ULL;
};

std::string KeyText(std::uint64_t key) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text(1, kPrefix);
  for (int shift = 60; shift >= 0; shift -= 4) {
    text.push_back(kHex[(key >> shift) & 0xF]);
  }
  return text;
}

// The key of a picture as it is now: its name, size and modification time.
std::uint64_t PictureKey(const std::string& path, std::string_view name, int maxSide) {
  KeyHash hash;
  hash.Add(kNamingVersion);
  hash.Add(static_cast<std::uint64_t>(maxSide));
  hash.Add(name);
  std::error_code ec;
  const fs::path file = PathFromUtf8(path);
  const std::uintmax_t size = fs::file_size(file, ec);
  hash.Add(ec ? 0 : static_cast<std::uint64_t>(size));
  const fs::file_time_type time = fs::last_write_time(file, ec);
  hash.Add(ec ? 0 : static_cast<std::uint64_t>(time.time_since_epoch().count()));
  return hash.Value();
}

bool ParseNumber(std::string_view text, int& value) {
  if (text.empty() || text.size() > 6) {
    return false;
  }
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
    value = value * 10 + (c - '0');
  }
  return value > 0;
}

// The key of a file of this naming and what it tells; false for other files.
bool ParseThumbnailName(std::string_view name, std::uint64_t& key, ThumbnailInfo& info) {
  if (name.size() < 1 + kKeyDigits || name[0] != kPrefix) {
    return false;
  }
  key = 0;
  for (std::size_t i = 1; i <= kKeyDigits; ++i) {
    const char c = name[i];
    int digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return false;
    }
    key = (key << 4) | static_cast<std::uint64_t>(digit);
  }
  const std::string_view rest = name.substr(1 + kKeyDigits);
  info = ThumbnailInfo{std::string(name), 0, 0};
  if (rest == kNoneSuffix) {
    return true;
  }
  // "-WIDTHxHEIGHT.ext"
  const std::size_t x = rest.find('x');
  const std::size_t dot = rest.find('.');
  if (rest.empty() || rest[0] != '-' || x == std::string_view::npos ||
      dot == std::string_view::npos || dot < x) {
    return false;
  }
  const std::string_view ext = rest.substr(dot + 1);
  if (ext != ThumbnailExtension(ThumbnailFormat::Jpeg) &&
      ext != ThumbnailExtension(ThumbnailFormat::Png)) {
    return false;
  }
  return ParseNumber(rest.substr(1, x - 1), info.width) &&
         ParseNumber(rest.substr(x + 1, dot - x - 1), info.height);
}

std::string ThumbnailName(std::uint64_t key, const Thumbnail& thumbnail) {
  return KeyText(key) + '-' + std::to_string(thumbnail.width) + 'x' +
         std::to_string(thumbnail.height) + '.' + ThumbnailExtension(thumbnail.format);
}

// What the folder holds of this naming, by key.
std::unordered_map<std::uint64_t, ThumbnailInfo> ReadFolder(const std::string& dir) {
  std::unordered_map<std::uint64_t, ThumbnailInfo> found;
  std::error_code ec;
  for (fs::directory_iterator it(PathFromUtf8(dir), ec), end; !ec && it != end; it.increment(ec)) {
    std::uint64_t key = 0;
    ThumbnailInfo info;
    if (ParseThumbnailName(Utf8FromPath(it->path().filename()), key, info)) {
      found.emplace(key, std::move(info));
    }
  }
  return found;
}

struct Job {
  std::uint64_t key = 0;
  std::string path;
  std::vector<std::size_t> pictures;  // every picture of that key (duplicates)
};

}  // namespace

std::string ThumbnailFolderOf(std::string_view pagePath) {
  const std::string ext = DotExtOf(pagePath);
  std::string folder(pagePath.substr(0, pagePath.size() - ext.size()));
  folder += "_files";
  return folder;
}

ThumbnailRun MakeThumbnails(const Thumbnailer& thumbnailer, const std::string& pictureDir,
                            const std::vector<std::string_view>& names,
                            const std::string& thumbnailDir, int maxSide,
                            const ThumbnailProgress& progress, unsigned threads) {
  ThumbnailRun run;
  run.thumbnails.resize(names.size());
  if (!thumbnailer.CanMake() || names.empty()) {
    return run;
  }
  std::error_code ec;
  fs::create_directory(PathFromUtf8(thumbnailDir), ec);
  if (ec || !platform::DirectoryExists(thumbnailDir)) {
    run.error = "Cannot create folder " + thumbnailDir + ": " + ec.message();
    return run;
  }

  std::unordered_map<std::uint64_t, ThumbnailInfo> existing = ReadFolder(thumbnailDir);
  std::vector<Job> jobs;
  std::unordered_map<std::uint64_t, std::size_t> jobOfKey;
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string path = JoinPath(pictureDir, names[i]);
    const std::uint64_t key = PictureKey(path, names[i], maxSide);
    if (const auto found = existing.find(key); found != existing.end()) {
      run.thumbnails[i] = found->second;
      continue;
    }
    const auto [slot, added] = jobOfKey.emplace(key, jobs.size());
    if (added) {
      jobs.push_back(Job{key, std::move(path), {}});
    }
    jobs[slot->second].pictures.push_back(i);
  }
  run.toMake = jobs.size();
  if (jobs.empty()) {
    return run;
  }

  std::atomic<std::size_t> next{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t done = 0;
  std::string firstError;
  const auto work = [&] {
    for (std::size_t j = next++; j < jobs.size() && !stop; j = next++) {
      Job& job = jobs[j];
      ThumbnailInfo info;
      std::string bytes;
      if (std::optional<Thumbnail> made = thumbnailer.Make(job.path, maxSide)) {
        info = ThumbnailInfo{ThumbnailName(job.key, *made), made->width, made->height};
        bytes = std::move(made->bytes);
      } else {
        // Remembered, so that the next run does not try again.
        info.fileName = KeyText(job.key) + std::string(kNoneSuffix);
      }
      // Written whole or not at all, as a page is.
      const Expected<void> written =
          platform::ReplaceFileAtomically(JoinPath(thumbnailDir, info.fileName), bytes);
      const std::lock_guard lock(mutex);
      if (written) {
        for (const std::size_t picture : job.pictures) {
          run.thumbnails[picture] = info;
        }
      } else if (firstError.empty()) {
        firstError = written.error();
        stop = true;
      }
      ++done;
      changed.notify_one();
    }
  };

  if (threads == 0) {
    threads = std::max(1U, std::thread::hardware_concurrency());
  }
  threads = static_cast<unsigned>(std::min<std::size_t>(threads, jobs.size()));
  std::vector<std::thread> pool;
  pool.reserve(threads);
  for (unsigned t = 0; t < threads; ++t) {
    pool.emplace_back(work);
  }
  {
    std::unique_lock lock(mutex);
    while (done < jobs.size() && !stop) {
      changed.wait_for(lock, std::chrono::milliseconds(100));
      if (progress) {
        const std::size_t now = done;
        lock.unlock();
        const bool goOn = progress(now, jobs.size());
        lock.lock();
        if (!goOn) {
          stop = true;
          run.stopped = true;
        }
      }
    }
  }
  for (std::thread& thread : pool) {
    thread.join();
  }
  run.made = done;
  run.error = firstError;
  if (progress && !run.stopped && firstError.empty()) {
    (void)progress(done, jobs.size());  // the last word: all done
  }
  return run;
}

void RemoveStaleThumbnails(const std::string& thumbnailDir,
                           const std::vector<ThumbnailInfo>& keep) {
  std::unordered_map<std::string, bool> kept;
  for (const ThumbnailInfo& info : keep) {
    kept.emplace(info.fileName, true);
  }
  std::error_code ec;
  std::vector<fs::path> stale;
  for (fs::directory_iterator it(PathFromUtf8(thumbnailDir), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = Utf8FromPath(it->path().filename());
    std::uint64_t key = 0;
    ThumbnailInfo info;
    if (ParseThumbnailName(name, key, info) && kept.count(name) == 0) {
      stale.push_back(it->path());
    }
  }
  for (const fs::path& path : stale) {
    fs::remove(path, ec);  // one that cannot go is only a file too many
  }
}

std::string ThumbnailProgressText(std::size_t done, std::size_t total) {
  return "Making thumbnails: " + std::to_string(done) + " of " + std::to_string(total);
}

}  // namespace pixdeck
