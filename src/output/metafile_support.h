#pragma once
// Pieces shared by the EMF and WMF writers: a little-endian byte buffer, device-independent
// bitmaps (DIB) built from pictures, and the geometry of clipping line segments to an area with
// holes (for readers and formats without clip paths).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bitmap.h"
#include "platform/surface_types.h"

namespace tenzora {

// Bytes written little-endian, as every metafile stores its numbers.
class ByteBuffer {
  public:
    void u8(std::uint8_t v) { bytes_.push_back(static_cast<char>(v)); }
    void u16(std::uint16_t v) {
        const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
        bytes_.append(b, 2);
    }
    void u32(std::uint32_t v) {
        const char b[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                           static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
        bytes_.append(b, 4);
    }
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f32(float v);
    void raw(std::string_view bytes) { bytes_.append(bytes); }
    void zeros(std::size_t n) { bytes_.append(n, '\0'); }
    // Zero bytes up to the next multiple of `unit`.
    void padTo(std::size_t unit) {
        while (bytes_.size() % unit != 0)
            bytes_.push_back('\0');
    }
    void patchU32(std::size_t at, std::uint32_t v);
    void patchU16(std::size_t at, std::uint16_t v);

    std::size_t size() const { return bytes_.size(); }
    const std::string& bytes() const { return bytes_; }
    std::string& bytes() { return bytes_; }

  private:
    std::string bytes_;
};

// A picture as a 24-bit bottom-up DIB: BITMAPINFOHEADER followed by the pixel rows (blue, green,
// red; rows padded to 4 bytes).
struct DibImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::string header; // the 40-byte BITMAPINFOHEADER
    std::string bits;
};

inline constexpr std::size_t kBitmapInfoHeaderSize = 40;

// Builds the DIB of a bitmap to be stretched into a target of the given size: mirrored as asked
// (metafile readers differ in how they treat negative extents, so mirroring is done on the
// pixels); reduced by averaging when the bitmap holds far more pixels than the target shows or
// more than a metafile should carry; pixels that are not opaque are blended over white. Returns
// an empty image (width 0) when the bitmap is empty or its pixel count does not match its size.
DibImage makeDib(const Bitmap& bitmap, std::int32_t targetWidth, std::int32_t targetHeight, bool mirrorX,
                 bool mirrorY);

// An area to clip to: rings as given to Surface::fillPolygonWithHoles (already checked).
struct ClipArea {
    std::vector<Point> points;
    std::vector<std::int32_t> rings;
    FillRule outerRule = FillRule::EvenOdd;
};

bool insideArea(const ClipArea& area, double x, double y);

// The parts of the segment a → b that lie inside the area, as parameter intervals along it
// (appended to `out` as pairs t0 < t1 within [0, 1]).
void clipSegmentToArea(const ClipArea& area, Point a, Point b, std::vector<std::pair<double, double>>& out);

// The smallest rectangle holding the points, edges included (as metafile bounds are given).
// The points must not be empty.
Rect inclusiveBounds(std::span<const Point> points);

// Twice the signed area of a ring (positive when it turns clockwise on a y-down output).
double signedArea2(std::span<const Point> ring);

} // namespace tenzora
