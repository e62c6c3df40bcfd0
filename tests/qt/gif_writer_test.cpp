#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include "output/gif_writer.h"
#include "platform/qt/qt_image_codec.h"
#include "qt/gui_app.h"
#include "storage/codepage.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

Bitmap pictureWithColors(int width, int height, int colors) {
    Bitmap b;
    b.width = width;
    b.height = height;
    b.pixels.resize(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < b.pixels.size(); ++i) {
        const std::uint32_t k = static_cast<std::uint32_t>((i / 7) % static_cast<std::size_t>(colors));
        b.pixels[i] = 0xFF000000u | (k * 37 % 256) << 16 | (k * 101 % 256) << 8 | (k * 13 % 256);
    }
    return b;
}

QImage readBack(const std::string& bytes) {
    QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "gif");
    QImage image;
    EXPECT_TRUE(reader.read(&image)) << reader.errorString().toStdString();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(GifWriter, KeepsEveryColourExactUpTo256) {
    ensureGuiApplication();
    for (int colors : {1, 2, 5, 200, 256}) {
        const Bitmap picture = pictureWithColors(61, 43, colors);
        const auto gif = encodeGif(picture);
        ASSERT_TRUE(gif.has_value());
        EXPECT_FALSE(gif->quantised);
        const QImage back = readBack(gif->bytes);
        ASSERT_EQ(back.size(), QSize(61, 43));
        for (int y = 0; y < 43; ++y)
            for (int x = 0; x < 61; ++x)
                ASSERT_EQ(back.pixel(x, y), picture.pixel(x, y)) << colors << " colours at " << x << "," << y;
    }
}

TEST(GifWriter, Beyond256ColoursKeepsTheDrawingsColoursAndApproximatesThePhoto) {
    ensureGuiApplication();
    // A white sheet with a blue frame and a 64 × 64 "photo" of 4096 colours in the middle.
    constexpr int kSide = 128;
    Bitmap picture;
    picture.width = picture.height = kSide;
    picture.pixels.assign(kSide * kSide, 0xFFFFFFFFu);
    for (int i = 0; i < kSide; ++i)
        for (int k : {0, 1, kSide - 2, kSide - 1}) {
            picture.pixels[static_cast<std::size_t>(k * kSide + i)] = 0xFF0000FFu;
            picture.pixels[static_cast<std::size_t>(i * kSide + k)] = 0xFF0000FFu;
        }
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            picture.pixels[static_cast<std::size_t>((y + 32) * kSide + x + 32)] =
                0xFF000000u | static_cast<std::uint32_t>(x * 4) << 16 |
                static_cast<std::uint32_t>(y * 4) << 8 | 128u;
    const auto gif = encodeGif(picture);
    ASSERT_TRUE(gif.has_value());
    EXPECT_TRUE(gif->quantised);
    const QImage back = readBack(gif->bytes);
    double photoError = 0;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const bool photo = x >= 32 && x < 96 && y >= 32 && y < 96;
            if (!photo) {
                ASSERT_EQ(back.pixel(x, y), picture.pixel(x, y)) << x << "," << y;
                continue;
            }
            const QColor a = QColor::fromRgb(back.pixel(x, y)), b = QColor::fromRgb(picture.pixel(x, y));
            photoError += std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                    std::abs(a.blue() - b.blue())});
        }
    // 4096 colours in about 254 entries: steps of about 16 per channel, errors of a few units.
    EXPECT_LE(photoError / 4096, 8);
}

TEST(GifWriter, BlendsTranslucentPixelsOverWhiteAndRefusesBrokenPictures) {
    Bitmap half;
    half.width = 1;
    half.height = 1;
    half.pixels = {0x80000000u}; // black at half opacity
    const QImage back = readBack(encodeGif(half)->bytes);
    EXPECT_NEAR(QColor::fromRgb(back.pixel(0, 0)).red(), 127, 1);

    Bitmap broken = half;
    broken.width = 2;
    EXPECT_FALSE(encodeGif(broken).has_value());
    EXPECT_FALSE(encodeGif(Bitmap{}).has_value());
}

TEST(GifWriter, TheImageCodecWritesGifThroughIt) {
    ensureGuiApplication();
    TempDir dir;
    QtImageCodec codec;
    const Bitmap picture = pictureWithColors(30, 20, 9);
    const std::wstring path = codepage::fromPath(dir.path()) + L"/план.gif";
    ASSERT_TRUE(codec.encodeFile(picture, ImageFormat::Gif, path));
    const auto decoded = codec.decodeFile(path);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->pixels, picture.pixels);
}
