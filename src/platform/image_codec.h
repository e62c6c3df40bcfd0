#pragma once
// Decoding photos and bitmaps; encoding pictures to the raster formats of the image export.

#include <optional>
#include <string>

#include "platform/bitmap.h"

namespace tenzora {

enum class ImageFormat { Png, Gif, Tiff, Jpeg };

class ImageCodec {
  public:
    virtual ~ImageCodec() = default;
    // The picture of a file, or none when it cannot be read or decoded.
    virtual std::optional<Bitmap> decodeFile(const std::wstring& path) = 0;
    virtual bool encodeFile(const Bitmap& picture, ImageFormat format, const std::wstring& path) = 0;
};

} // namespace tenzora
