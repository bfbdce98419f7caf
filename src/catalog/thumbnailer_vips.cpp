// Thumbnails with libvips: its thumbnail operation decodes a JPEG at a reduced
// scale (shrink-on-load) instead of whole, and turns the result by the EXIF
// orientation.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vips/vips.h>

#include <cerrno>
#include <cstdint>
#include <mutex>
#include <string>

#include "catalog/thumbnailer.h"

namespace pixdeck {

namespace {

// A larger file is no picture a page should show.
constexpr std::uint64_t kMaxFileBytes = std::uint64_t{1} << 30;

// Drops a vips object's reference when it goes out of scope.
template <typename T>
class VipsRef {
 public:
  VipsRef() = default;
  explicit VipsRef(T* object) : object_(object) {}
  ~VipsRef() {
    if (object_ != nullptr) {
      g_object_unref(object_);
    }
  }
  VipsRef(const VipsRef&) = delete;
  VipsRef& operator=(const VipsRef&) = delete;
  T** Out() { return &object_; }
  T* get() const { return object_; }
  void Reset(T* object) {
    if (object_ != nullptr) {
      g_object_unref(object_);
    }
    object_ = object;
  }

 private:
  T* object_ = nullptr;
};

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// One image at a time per thread: the pool of the gallery runs as many
// pictures at once as there are cores, which beats libvips' threads inside
// one small picture.
void StartVips() {
  static std::once_flag once;
  std::call_once(once, [] {
    // A picture that cannot be decoded is listed without a thumbnail; the
    // library's warnings about it are nobody's business on the terminal.
    g_log_set_handler(
        "VIPS", static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE),
        [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
    if (VIPS_INIT("pixdeck") == 0) {
      vips_concurrency_set(1);
      // Every picture is read once: caching operations only costs memory.
      vips_cache_set_max(0);
    }
  });
}

// The image as 8-bit sRGB (or grey), alpha kept.
bool ToDisplayable(VipsRef<VipsImage>& image) {
  const VipsInterpretation kind = vips_image_get_interpretation(image.get());
  if (kind != VIPS_INTERPRETATION_sRGB && kind != VIPS_INTERPRETATION_B_W) {
    VipsImage* converted = nullptr;
    if (vips_colourspace(image.get(), &converted, VIPS_INTERPRETATION_sRGB, nullptr) != 0) {
      return false;
    }
    image.Reset(converted);
  }
  if (vips_image_get_format(image.get()) != VIPS_FORMAT_UCHAR) {
    VipsImage* cast = nullptr;
    if (vips_cast_uchar(image.get(), &cast, nullptr) != 0) {
      return false;
    }
    image.Reset(cast);
  }
  return true;
}

class VipsThumbnailer final : public Thumbnailer {
 public:
  bool CanMake() const override { return true; }

  std::optional<Thumbnail> Make(const std::string& path, int maxSide) const override {
    // Started on first need: a run with every thumbnail current never pays
    // for loading the library's modules.
    StartVips();
    std::optional<Thumbnail> made = MakeOrFail(path, maxSide);
    // The error text is per thread; a failed picture must not keep it.
    vips_error_clear();
    // libvips keeps per-thread buffers until told.
    vips_thread_shutdown();
    return made;
  }

 private:
  static std::optional<Thumbnail> MakeOrFail(const std::string& path, int maxSide) {
    // Opened here, not by name through libvips, which would read "[...]" at
    // the end of a name as load options; never blocks on a FIFO.
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
      return std::nullopt;
    }
    // Read whole, since not every loader of Debian's libvips reads from a
    // stream (BMP goes through ImageMagick, which wants a file or memory).
    if (info.st_size <= 0 || static_cast<std::uint64_t>(info.st_size) > kMaxFileBytes) {
      return std::nullopt;
    }
    std::string contents(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t got = 0;
    while (got < contents.size()) {
      const ssize_t n = ::read(fd.get(), contents.data() + got, contents.size() - got);
      if (n < 0 && errno == EINTR) {
        continue;
      }
      if (n <= 0) {
        break;
      }
      got += static_cast<std::size_t>(n);
    }
    contents.resize(got);
    VipsRef<VipsImage> image;
    // Only ever made smaller; the EXIF orientation is applied by default. A
    // truncated file counts as undecodable rather than half grey (the loader
    // takes that from the option string; the property is not passed on).
    if (vips_thumbnail_buffer(contents.data(), contents.size(), image.Out(), maxSide, "height",
                              maxSide, "size", VIPS_SIZE_DOWN, "option_string", "fail_on=truncated",
                              nullptr) != 0 ||
        !ToDisplayable(image)) {
      return std::nullopt;
    }
    Thumbnail thumbnail;
    thumbnail.width = vips_image_get_width(image.get());
    thumbnail.height = vips_image_get_height(image.get());
    thumbnail.format =
        vips_image_hasalpha(image.get()) ? ThumbnailFormat::Png : ThumbnailFormat::Jpeg;
    void* buffer = nullptr;
    size_t length = 0;
    const int saved = thumbnail.format == ThumbnailFormat::Png
                          ? vips_pngsave_buffer(image.get(), &buffer, &length, "strip", TRUE,
                                                "compression", 6, nullptr)
                          : vips_jpegsave_buffer(image.get(), &buffer, &length, "strip", TRUE, "Q",
                                                 80, "optimize_coding", TRUE, nullptr);
    if (saved != 0 || buffer == nullptr) {
      return std::nullopt;
    }
    thumbnail.bytes.assign(static_cast<const char*>(buffer), length);
    g_free(buffer);
    return thumbnail;
  }
};

}  // namespace

std::unique_ptr<Thumbnailer> MakeSystemThumbnailer() {
  return std::make_unique<VipsThumbnailer>();
}

}  // namespace pixdeck
