#include "output/gif_writer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "output/color_quantizer.h"
#include "storage/file_io.h"

#ifdef TENZORA_HAVE_GIFLIB
#include <gif_lib.h>

namespace tenzora {
#endif

namespace {

constexpr int kMaxPaletteColors = 256;
// Open-addressing table for counting colours: twice the palette, so it never fills before the
// count passes 256.
constexpr std::size_t kColorTableSize = 512;
constexpr std::uint32_t kEmptySlot = 0xFFFFFFFFu; // no opaque RGB value has the top byte set

std::uint32_t opaqueRgb(std::uint32_t argb) {
    const std::uint32_t a = argb >> 24;
    if (a == 0xFF) return argb & 0x00FFFFFFu;
    auto channel = [a](std::uint32_t c) { return (c * a + 255 * (255 - a) + 127) / 255; };
    return (channel((argb >> 16) & 0xFF) << 16) | (channel((argb >> 8) & 0xFF) << 8) | channel(argb & 0xFF);
}

// Colours of the picture mapped to palette indexes, as long as there are at most 256 of them.
class ExactPalette {
  public:
    ExactPalette() { keys_.fill(kEmptySlot); }

    // The index of the colour, adding it when new; -1 once the palette would exceed 256 colours.
    int indexOf(std::uint32_t rgb) {
        std::size_t slot = (rgb * 2654435761u) & (kColorTableSize - 1);
        while (keys_[slot] != kEmptySlot) {
            if (keys_[slot] == rgb) return values_[slot];
            slot = (slot + 1) & (kColorTableSize - 1);
        }
        if (colors_.size() >= static_cast<std::size_t>(kMaxPaletteColors)) return -1;
        keys_[slot] = rgb;
        values_[slot] = static_cast<int>(colors_.size());
        colors_.push_back(rgb);
        return values_[slot];
    }
    const std::vector<std::uint32_t>& colors() const { return colors_; }

  private:
    std::array<std::uint32_t, kColorTableSize> keys_{};
    std::array<int, kColorTableSize> values_{};
    std::vector<std::uint32_t> colors_;
};

#ifdef TENZORA_HAVE_GIFLIB
int appendToString(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    return length;
}

// giflib wants palettes of a power of two entries (2 … 256).
int paletteSize(std::size_t colors) {
    int size = 2;
    while (static_cast<std::size_t>(size) < colors)
        size *= 2;
    return size;
}

bool writeFrame(std::string& out, int width, int height, const std::vector<GifColorType>& palette,
                std::vector<GifByteType>& indexes) {
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendToString, &error);
    if (gif == nullptr) return false;
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(palette.size()), palette.data());
    bool ok = map != nullptr && EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < height; ++y)
        ok = EGifPutLine(gif, indexes.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width),
                         width) == GIF_OK;
    if (map != nullptr) GifFreeMapObject(map);
    const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
    return ok && closed;
}
#endif

} // namespace

std::optional<GifEncoding> encodeGif(const Bitmap& picture) {
#ifdef TENZORA_HAVE_GIFLIB
    if (picture.empty() || picture.width > kMaxGifSide || picture.height > kMaxGifSide) return std::nullopt;
    const std::size_t count =
        static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (picture.pixels.size() != count) return std::nullopt;

    GifEncoding result;
    std::vector<GifByteType> indexes(count);
    std::vector<GifColorType> palette;

    ExactPalette exact;
    bool fits = true;
    std::uint32_t lastArgb = 0, lastIndex = 0;
    bool haveLast = false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t argb = picture.pixels[i];
        if (!haveLast || argb != lastArgb) { // runs of one colour are the rule in a drawing
            const int index = exact.indexOf(opaqueRgb(argb));
            if (index < 0) {
                fits = false;
                break;
            }
            lastArgb = argb;
            lastIndex = static_cast<std::uint32_t>(index);
            haveLast = true;
        }
        indexes[i] = static_cast<GifByteType>(lastIndex);
    }

    if (fits) {
        palette.resize(static_cast<std::size_t>(paletteSize(exact.colors().size())), GifColorType{0, 0, 0});
        for (std::size_t i = 0; i < exact.colors().size(); ++i) {
            const std::uint32_t c = exact.colors()[i];
            palette[i] = {static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                          static_cast<GifByteType>(c)};
        }
    } else {
        // More than 256 colours (a photo under the drawing): the flat colours of the drawing keep
        // their values, the rest is reduced by median cut.
        result.quantised = true;
        std::vector<std::uint32_t> rgb(count);
        for (std::size_t i = 0; i < count; ++i)
            rgb[i] = opaqueRgb(picture.pixels[i]);
        const QuantizedPicture reduced = quantizeColors(rgb, kMaxPaletteColors);
        palette.assign(static_cast<std::size_t>(paletteSize(reduced.palette.size())), GifColorType{0, 0, 0});
        for (std::size_t i = 0; i < reduced.palette.size(); ++i) {
            const std::uint32_t c = reduced.palette[i];
            palette[i] = {static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                          static_cast<GifByteType>(c)};
        }
        std::copy(reduced.indexes.begin(), reduced.indexes.end(), indexes.begin());
    }
    if (!writeFrame(result.bytes, picture.width, picture.height, palette, indexes)) return std::nullopt;
    return result;
#else
    (void)picture;
    return std::nullopt;
#endif
}

bool writeGif(const Bitmap& picture, const std::filesystem::path& path) {
    const auto gif = encodeGif(picture);
    return gif.has_value() && writeFileReplacing(path, gif->bytes);
}

} // namespace tenzora
