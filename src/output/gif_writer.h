#pragma once
// GIF pictures of the picture export, written with giflib. A drawing uses few colours; when the
// picture holds at most 256 distinct colours the palette is built from exactly those colours, so
// every pixel keeps its colour. Only a picture with more (a drawing over a photo) is reduced to
// 256 colours (see color_quantizer.h: the drawing's flat colours stay exact, the rest is reduced
// by median cut).

#include <filesystem>
#include <optional>
#include <string>

#include "platform/bitmap.h"

namespace tenzora {

// The largest side a GIF can describe (its sizes are 16-bit).
inline constexpr int kMaxGifSide = 65535;

struct GifEncoding {
    std::string bytes;
    bool quantised = false; // more than 256 colours: the palette is an approximation
};

// The GIF file of the picture, or none when the picture is empty, inconsistent (pixel count not
// matching its size), larger than a GIF can hold, or giflib is not available. Pixels that are not
// fully opaque are blended over white (a GIF pixel is either opaque or absent).
std::optional<GifEncoding> encodeGif(const Bitmap& picture);

// Encodes and writes the file (replacing it as a whole). False when either step fails.
bool writeGif(const Bitmap& picture, const std::filesystem::path& path);

} // namespace tenzora
