#pragma once
// Reduces a picture of many colours to a palette of at most 256, for GIF files of drawings laid
// over a photo. The drawing's own flat colours survive exactly: every colour that alone covers at
// least 1/256 of the picture (the background, the outline's fill, large areas) gets an entry of
// its own; the remaining entries go to the rest by median cut (boxes split at the weighted median
// of their widest spread) on a histogram of 5 bits per channel, each box standing for the mean of
// its pixels, and each pixel takes the nearest entry.

#include <cstdint>
#include <span>
#include <vector>

namespace tenzora {

struct QuantizedPicture {
    std::vector<std::uint32_t> palette; // 0x00RRGGBB, at most 256 entries
    std::vector<std::uint8_t> indexes;  // one per pixel
};

// `pixels` are opaque 0x??RRGGBB values (the top byte is ignored).
QuantizedPicture quantizeColors(std::span<const std::uint32_t> pixels, std::size_t maxColors = 256);

} // namespace tenzora
