// Thumbnails on Windows with the system's own imaging component (WIC): every
// kind a page shows is decoded by it, scaled, turned by the EXIF orientation
// and encoded as JPEG, or as PNG where the picture has transparency.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <wincodec.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "catalog/picture_head.h"
#include "catalog/thumbnailer.h"
#include "text/utf8_path.h"

namespace pixdeck {

namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
class Com {
 public:
  Com() = default;
  ~Com() {
    if (object_ != nullptr) {
      object_->Release();
    }
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T** Out() { return &object_; }
  T* operator->() const { return object_; }
  T* get() const { return object_; }

 private:
  T* object_ = nullptr;
};

// COM on this thread for the length of one thumbnail.
class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) {
      CoUninitialize();
    }
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT result_;
};

std::wstring Wide(const std::string& utf8) {
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

// The BGRA pixels of a width x height picture turned upright by its EXIF
// orientation (1 to 8); width and height become the turned picture's. Done
// here rather than by WIC's flip-rotator, which Wine's WIC cannot rotate.
std::vector<BYTE> Orient(const std::vector<BYTE>& bgra, UINT& width, UINT& height,
                         unsigned orientation) {
  if (orientation < 2 || orientation > 8) {
    return bgra;
  }
  const UINT w = width;
  const UINT h = height;
  const bool turned = orientation >= 5;
  const UINT outWidth = turned ? h : w;
  std::vector<BYTE> out(bgra.size());
  for (UINT y = 0; y < h; ++y) {
    for (UINT x = 0; x < w; ++x) {
      UINT dx = x;
      UINT dy = y;
      switch (orientation) {
        case 2:
          dx = w - 1 - x;
          break;
        case 3:
          dx = w - 1 - x;
          dy = h - 1 - y;
          break;
        case 4:
          dy = h - 1 - y;
          break;
        case 5:
          dx = y;
          dy = x;
          break;
        case 6:
          dx = h - 1 - y;
          dy = x;
          break;
        case 7:
          dx = h - 1 - y;
          dy = w - 1 - x;
          break;
        default:
          dx = y;
          dy = w - 1 - x;
          break;  // 8
      }
      std::copy_n(&bgra[(static_cast<std::size_t>(y) * w + x) * 4], 4,
                  &out[(static_cast<std::size_t>(dy) * outWidth + dx) * 4]);
    }
  }
  if (turned) {
    std::swap(width, height);
  }
  return out;
}

// The EXIF orientation: a JPEG's from our own header reader (not every WIC,
// Wine's for one, answers the metadata query), else WIC's.
unsigned OrientationOf(const std::string& path, IWICBitmapFrameDecode* frame) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  std::vector<std::uint8_t> head(kPictureHeadCap);
  in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
  if (const unsigned fromHead = ScanPictureHead(head).orientation; fromHead != 1) {
    return fromHead;
  }
  Com<IWICMetadataQueryReader> reader;
  if (FAILED(frame->GetMetadataQueryReader(reader.Out()))) {
    return 1;
  }
  PROPVARIANT value;
  PropVariantInit(&value);
  unsigned orientation = 1;
  if (SUCCEEDED(reader->GetMetadataByName(L"/app1/ifd/{ushort=274}", &value)) &&
      value.vt == VT_UI2) {
    orientation = value.uiVal;
  }
  PropVariantClear(&value);
  return orientation;
}

// Encodes pixels (32-bit BGRA rows) as a PNG, or as a JPEG without the alpha.
bool Encode(IWICImagingFactory* factory, const std::vector<BYTE>& bgra, UINT width, UINT height,
            bool png, std::string& bytes) {
  Com<IStream> stream;
  Com<IWICBitmapEncoder> encoder;
  Com<IWICBitmapFrameEncode> frame;
  Com<IPropertyBag2> properties;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out())) ||
      FAILED(factory->CreateEncoder(png ? GUID_ContainerFormatPng : GUID_ContainerFormatJpeg,
                                    nullptr, encoder.Out())) ||
      FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(frame.Out(), properties.Out())) ||
      FAILED(frame->Initialize(properties.get())) || FAILED(frame->SetSize(width, height))) {
    return false;
  }
  WICPixelFormatGUID format = png ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
  const WICPixelFormatGUID wanted = format;
  if (FAILED(frame->SetPixelFormat(&format)) || format != wanted) {
    return false;
  }
  std::vector<BYTE> pixels;
  UINT stride = width * 4;
  if (png) {
    pixels = bgra;
  } else {
    stride = (width * 3 + 3) / 4 * 4;
    pixels.assign(static_cast<std::size_t>(stride) * height, 0);
    for (UINT y = 0; y < height; ++y) {
      for (UINT x = 0; x < width; ++x) {
        for (UINT c = 0; c < 3; ++c) {
          pixels[y * stride + x * 3 + c] = bgra[(y * width + x) * 4 + c];
        }
      }
    }
  }
  if (FAILED(frame->WritePixels(height, stride, static_cast<UINT>(pixels.size()), pixels.data())) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
    return false;
  }
  HGLOBAL memory = nullptr;
  STATSTG status{};
  if (FAILED(GetHGlobalFromStream(stream.get(), &memory)) ||
      FAILED(stream->Stat(&status, STATFLAG_NONAME))) {
    return false;
  }
  const void* data = GlobalLock(memory);
  if (data == nullptr) {
    return false;
  }
  bytes.assign(static_cast<const char*>(data), static_cast<std::size_t>(status.cbSize.QuadPart));
  GlobalUnlock(memory);
  return true;
}

class WicThumbnailer final : public Thumbnailer {
 public:
  bool CanMake() const override { return true; }

  std::optional<Thumbnail> Make(const std::string& path, int maxSide) const override {
    const ComApartment apartment;
    const std::wstring wide = Wide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      return std::nullopt;
    }
    Com<IWICImagingFactory> factory;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Out()))) ||
        FAILED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
        FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(frame->GetSize(&width, &height)) ||
        width == 0 || height == 0) {
      return std::nullopt;
    }
    const unsigned orientation = OrientationOf(path, frame.get());
    const UINT side = static_cast<UINT>(maxSide);
    UINT scaledWidth = width;
    UINT scaledHeight = height;
    if (width > side || height > side) {
      const double factor =
          std::min(static_cast<double>(side) / width, static_cast<double>(side) / height);
      scaledWidth = std::max<UINT>(1, static_cast<UINT>(width * factor + 0.5));
      scaledHeight = std::max<UINT>(1, static_cast<UINT>(height * factor + 0.5));
    }
    Com<IWICBitmapScaler> scaler;
    Com<IWICFormatConverter> converter;
    if (FAILED(factory->CreateBitmapScaler(scaler.Out())) ||
        FAILED(scaler->Initialize(frame.get(), scaledWidth, scaledHeight,
                                  WICBitmapInterpolationModeFant)) ||
        FAILED(factory->CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(scaler.get(), GUID_WICPixelFormat32bppBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
      return std::nullopt;
    }
    std::vector<BYTE> scaled(static_cast<std::size_t>(scaledWidth) * scaledHeight * 4);
    if (FAILED(converter->CopyPixels(nullptr, scaledWidth * 4, static_cast<UINT>(scaled.size()),
                                     scaled.data()))) {
      return std::nullopt;
    }
    UINT outWidth = scaledWidth;
    UINT outHeight = scaledHeight;
    const std::vector<BYTE> bgra = Orient(scaled, outWidth, outHeight, orientation);
    Thumbnail thumbnail;
    thumbnail.width = static_cast<int>(outWidth);
    thumbnail.height = static_cast<int>(outHeight);
    bool transparent = false;
    for (std::size_t i = 3; i < bgra.size() && !transparent; i += 4) {
      transparent = bgra[i] != 0xFF;
    }
    thumbnail.format = transparent ? ThumbnailFormat::Png : ThumbnailFormat::Jpeg;
    if (!Encode(factory.get(), bgra, outWidth, outHeight, transparent, thumbnail.bytes)) {
      return std::nullopt;
    }
    return thumbnail;
  }
};

}  // namespace

std::unique_ptr<Thumbnailer> MakeSystemThumbnailer() {
  return std::make_unique<WicThumbnailer>();
}

}  // namespace pixdeck
