#include "platform/qt/qt_image_codec.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

#include "output/gif_writer.h"
#include "platform/qt/qt_text.h"
#include "storage/codepage.h"
#include "storage/file_io.h"

namespace tenzora {

namespace {
// Photos larger than this many pixels on a side are refused rather than decoded: a damaged or
// hostile file could otherwise ask for gigabytes.
constexpr int kMaxDecodedSide = 20000;
} // namespace

Bitmap QtImageCodec::fromImage(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Bitmap b;
    b.width = argb.width();
    b.height = argb.height();
    b.pixels.resize(static_cast<std::size_t>(b.width) * static_cast<std::size_t>(b.height));
    for (int y = 0; y < b.height; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(argb.constScanLine(y));
        std::copy(line, line + b.width, b.pixels.begin() + static_cast<std::ptrdiff_t>(y) * b.width);
    }
    return b;
}

QImage QtImageCodec::toImage(const Bitmap& picture) {
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        std::copy(picture.pixels.begin() + static_cast<std::ptrdiff_t>(y) * picture.width,
                  picture.pixels.begin() + static_cast<std::ptrdiff_t>(y + 1) * picture.width, line);
    }
    return image;
}

std::optional<Bitmap> QtImageCodec::decodeFile(const std::wstring& path) {
    QImageReader reader(toQt(path));
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxDecodedSide || size.height() > kMaxDecodedSide))
        return std::nullopt;
    QImage image;
    if (!reader.read(&image) || image.isNull()) return std::nullopt;
    return fromImage(image);
}

bool QtImageCodec::encodeFile(const Bitmap& picture, ImageFormat format, const std::wstring& path) {
    const char* name = nullptr;
    switch (format) {
    case ImageFormat::Png:
        name = "png";
        break;
    case ImageFormat::Tiff:
        name = "tiff";
        break;
    case ImageFormat::Jpeg:
        name = "jpeg";
        break;
    case ImageFormat::Gif:
        return writeGif(picture, codepage::toPath(path)); // exact palette
    }
    // Encoded in memory and written through the safe replacing save, so that a crash half-way
    // never leaves a truncated picture in place of the previous one.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, name);
    QImage image = toImage(picture);
    if (format == ImageFormat::Jpeg) image = image.convertToFormat(QImage::Format_RGB32);
    if (!writer.write(image)) return false;
    buffer.close();
    return writeFileReplacing(codepage::toPath(path),
                              std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace tenzora
