#pragma once
// A decoded picture in memory: 32-bit ARGB pixels, rows top to bottom.

#include <cstdint>
#include <vector>

namespace tenzora {

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // width × height, 0xAARRGGBB

    bool empty() const { return width <= 0 || height <= 0; }
    std::uint32_t pixel(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

} // namespace tenzora
