#include "output/metafile_support.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tenzora {

namespace {

// A bitmap is reduced when it holds more than this many times the pixels its target shows: the
// metafile would only grow without looking better.
constexpr std::int64_t kMaxOversampling = 4;
// No DIB in a metafile holds more pixels than this (about 48 MB at 24 bits), whatever the target.
constexpr std::int64_t kMaxDibPixels = 16 * 1024 * 1024;
// Intersections closer than this (in segment parameter) are one and the same.
constexpr double kParameterEpsilon = 1e-12;

std::uint32_t blendOverWhite(std::uint32_t argb) {
    const std::uint32_t a = argb >> 24;
    if (a == 0xFF) return argb;
    auto channel = [a](std::uint32_t c) { return (c * a + 255 * (255 - a) + 127) / 255; };
    return 0xFF000000u | (channel((argb >> 16) & 0xFF) << 16) | (channel((argb >> 8) & 0xFF) << 8) |
           channel(argb & 0xFF);
}

void putU16(std::string& s, std::uint16_t v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>(v >> 8));
}
void putU32(std::string& s, std::uint32_t v) {
    putU16(s, static_cast<std::uint16_t>(v));
    putU16(s, static_cast<std::uint16_t>(v >> 16));
}

// Winding number of the ring around (x, y), by the crossing rule with half-open edges.
int windingNumber(std::span<const Point> ring, double x, double y) {
    int winding = 0;
    const std::size_t n = ring.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point& p = ring[i];
        const Point& q = ring[(i + 1) % n];
        const double cross =
            (static_cast<double>(q.x) - p.x) * (y - p.y) - (x - p.x) * (static_cast<double>(q.y) - p.y);
        if (p.y <= y) {
            if (q.y > y && cross > 0) ++winding;
        } else if (q.y <= y && cross < 0) {
            --winding;
        }
    }
    return winding;
}

} // namespace

void ByteBuffer::f32(float v) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    u32(bits);
}

void ByteBuffer::patchU32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes_[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void ByteBuffer::patchU16(std::size_t at, std::uint16_t v) {
    bytes_[at] = static_cast<char>(v & 0xFF);
    bytes_[at + 1] = static_cast<char>(v >> 8);
}

DibImage makeDib(const Bitmap& bitmap, std::int32_t targetWidth, std::int32_t targetHeight, bool mirrorX,
                 bool mirrorY) {
    DibImage dib;
    if (bitmap.empty() || bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) *
                                                      static_cast<std::size_t>(bitmap.height))
        return dib;
    std::int64_t w = bitmap.width, h = bitmap.height;
    const std::int64_t shown = std::max<std::int64_t>(1, std::abs(static_cast<std::int64_t>(targetWidth))) *
                               std::max<std::int64_t>(1, std::abs(static_cast<std::int64_t>(targetHeight)));
    // The shown area is capped before it is multiplied: a picture stretched over the whole int range
    // shows 2^62 pixels, and times the oversampling that is no 64-bit number.
    const std::int64_t limit = std::min(kMaxDibPixels, std::min(shown, kMaxDibPixels) * kMaxOversampling);
    if (w * h > limit) {
        const double factor = std::sqrt(static_cast<double>(limit) / static_cast<double>(w * h));
        w = std::max<std::int64_t>(1, static_cast<std::int64_t>(w * factor));
        h = std::max<std::int64_t>(1, static_cast<std::int64_t>(h * factor));
    }
    dib.width = static_cast<std::int32_t>(w);
    dib.height = static_cast<std::int32_t>(h);
    const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};

    putU32(dib.header, static_cast<std::uint32_t>(kBitmapInfoHeaderSize));
    putU32(dib.header, static_cast<std::uint32_t>(w));
    putU32(dib.header, static_cast<std::uint32_t>(h)); // positive: rows bottom-up
    putU16(dib.header, 1);                             // planes
    putU16(dib.header, 24);                            // bits per pixel
    putU32(dib.header, 0);                             // BI_RGB
    putU32(dib.header, static_cast<std::uint32_t>(stride * static_cast<std::size_t>(h)));
    putU32(dib.header, 0);
    putU32(dib.header, 0);
    putU32(dib.header, 0);
    putU32(dib.header, 0);

    dib.bits.assign(stride * static_cast<std::size_t>(h), '\0');
    const bool reduced = w != bitmap.width || h != bitmap.height;
    for (std::int64_t row = 0; row < h; ++row) {
        // DIB rows run bottom-up: row 0 of the DIB is the picture's last line (or first, mirrored).
        const std::int64_t y = mirrorY ? row : h - 1 - row;
        char* out = dib.bits.data() + static_cast<std::size_t>(row) * stride;
        const std::int64_t sy0 = y * bitmap.height / h, sy1 = std::max(sy0 + 1, (y + 1) * bitmap.height / h);
        for (std::int64_t col = 0; col < w; ++col) {
            const std::int64_t x = mirrorX ? w - 1 - col : col;
            std::uint32_t argb;
            if (!reduced) {
                argb = blendOverWhite(bitmap.pixel(static_cast<int>(x), static_cast<int>(y)));
            } else {
                // Box average of the source pixels this DIB pixel stands for.
                const std::int64_t sx0 = x * bitmap.width / w,
                                   sx1 = std::max(sx0 + 1, (x + 1) * bitmap.width / w);
                std::uint64_t r = 0, g = 0, b = 0, n = 0;
                for (std::int64_t sy = sy0; sy < sy1; ++sy)
                    for (std::int64_t sx = sx0; sx < sx1; ++sx, ++n) {
                        const std::uint32_t p =
                            blendOverWhite(bitmap.pixel(static_cast<int>(sx), static_cast<int>(sy)));
                        r += (p >> 16) & 0xFF;
                        g += (p >> 8) & 0xFF;
                        b += p & 0xFF;
                    }
                argb = static_cast<std::uint32_t>(((r + n / 2) / n) << 16 | ((g + n / 2) / n) << 8 |
                                                  ((b + n / 2) / n));
            }
            out[col * 3 + 0] = static_cast<char>(argb & 0xFF);
            out[col * 3 + 1] = static_cast<char>((argb >> 8) & 0xFF);
            out[col * 3 + 2] = static_cast<char>((argb >> 16) & 0xFF);
        }
    }
    return dib;
}

bool insideArea(const ClipArea& area, double x, double y) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < area.rings.size(); ++i) {
        const auto ring =
            std::span<const Point>(area.points).subspan(start, static_cast<std::size_t>(area.rings[i]));
        start += static_cast<std::size_t>(area.rings[i]);
        const int winding = windingNumber(ring, x, y);
        if (i == 0) {
            const bool inside = area.outerRule == FillRule::EvenOdd ? (winding % 2 != 0) : winding != 0;
            if (!inside) return false;
        } else if (winding != 0) {
            return false;
        }
    }
    return !area.rings.empty();
}

void clipSegmentToArea(const ClipArea& area, Point a, Point b, std::vector<std::pair<double, double>>& out) {
    std::vector<double> cuts{0.0, 1.0};
    const double dx = static_cast<double>(b.x) - a.x, dy = static_cast<double>(b.y) - a.y;
    std::size_t start = 0;
    for (std::int32_t n : area.rings) {
        for (std::int32_t i = 0; i < n; ++i) {
            const Point& p = area.points[start + static_cast<std::size_t>(i)];
            const Point& q = area.points[start + static_cast<std::size_t>((i + 1) % n)];
            const double ex = static_cast<double>(q.x) - p.x, ey = static_cast<double>(q.y) - p.y;
            const double denom = dx * ey - dy * ex;
            if (denom == 0) continue; // parallel: the neighbouring edges decide
            // In double: the difference of two int coordinates need not fit an int.
            const double px = static_cast<double>(p.x) - a.x, py = static_cast<double>(p.y) - a.y;
            const double t = (px * ey - py * ex) / denom;
            const double u = (px * dy - py * dx) / denom;
            if (t > 0 && t < 1 && u >= 0 && u <= 1) cuts.push_back(t);
        }
        start += static_cast<std::size_t>(n);
    }
    std::sort(cuts.begin(), cuts.end());
    const std::size_t first = out.size();
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double t0 = cuts[i], t1 = cuts[i + 1];
        if (t1 - t0 < kParameterEpsilon) continue;
        const double mid = (t0 + t1) / 2;
        if (!insideArea(area, a.x + dx * mid, a.y + dy * mid)) continue;
        if (out.size() > first && std::abs(out.back().second - t0) < kParameterEpsilon)
            out.back().second = t1;
        else
            out.emplace_back(t0, t1);
    }
}

double signedArea2(std::span<const Point> ring) {
    double sum = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const Point& p = ring[i];
        const Point& q = ring[(i + 1) % ring.size()];
        sum += static_cast<double>(p.x) * q.y - static_cast<double>(q.x) * p.y;
    }
    return sum;
}

Rect inclusiveBounds(std::span<const Point> points) {
    Rect r{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Point& p : points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}

} // namespace tenzora
