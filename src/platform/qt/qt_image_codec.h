#pragma once
// Pictures through QImage: decoding photos and bitmaps, encoding PNG, TIFF and JPEG. GIF is
// written by the core's own writer (exact palette), so encodeFile hands GIF to it.

#include <QImage>

#include "platform/image_codec.h"

namespace tenzora {

class QtImageCodec : public ImageCodec {
  public:
    std::optional<Bitmap> decodeFile(const std::wstring& path) override;
    bool encodeFile(const Bitmap& picture, ImageFormat format, const std::wstring& path) override;

    static Bitmap fromImage(const QImage& image);
    static QImage toImage(const Bitmap& picture);
};

} // namespace tenzora
