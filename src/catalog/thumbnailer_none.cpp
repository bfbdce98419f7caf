// The thumbnailer of a build without an imaging library: galleries list every
// picture by name and size, without a thumbnail.
#include "catalog/thumbnailer.h"

namespace pixdeck {

namespace {

class NoThumbnailer final : public Thumbnailer {
 public:
  bool CanMake() const override { return false; }
  std::optional<Thumbnail> Make(const std::string& /*path*/, int /*maxSide*/) const override {
    return std::nullopt;
  }
};

}  // namespace

std::unique_ptr<Thumbnailer> MakeSystemThumbnailer() {
  return std::make_unique<NoThumbnailer>();
}

}  // namespace pixdeck
