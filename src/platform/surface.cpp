#include "platform/surface.h"

#include <cmath>
#include <limits>

#include "platform/scratch_surface.h"

namespace tenzora {

namespace {
constexpr double kTenthsOfDegreeToRadians = 3.14159265358979323846 / 1800.0;
// A hole or an outline needs at least this many points to enclose anything.
constexpr std::size_t kMinRingPoints = 3;
} // namespace

DeviceMetrics deviceMetricsFor(std::int32_t widthPx, std::int32_t heightPx, std::int32_t dpi,
                               bool canCopyBitmaps) {
    DeviceMetrics m;
    m.widthPx = widthPx;
    m.heightPx = heightPx;
    m.dpiX = m.dpiY = dpi > 0 ? dpi : 96;
    m.widthMm = roundToPixel(widthPx * 25.4 / m.dpiX);
    m.heightMm = roundToPixel(heightPx * 25.4 / m.dpiY);
    m.canCopyBitmaps = canCopyBitmaps;
    return m;
}

Size Surface::textExtent(std::wstring_view text) const {
    const TextMeasurer& m = measurer();
    return {roundToPixel(m.advance(state_.font, text)), roundToPixel(m.metrics(state_.font).height())};
}

bool Surface::checkRings(std::span<const Point>& points, std::span<const std::int32_t> ringSizes) {
    ringBuffer_.clear();
    pointBuffer_.clear();
    std::size_t used = 0;
    for (std::size_t i = 0; i < ringSizes.size(); ++i) {
        const std::int32_t n = ringSizes[i];
        if (n < 0 || static_cast<std::size_t>(n) > points.size() - used) break;
        if (static_cast<std::size_t>(n) >= kMinRingPoints) {
            ringBuffer_.push_back(n);
            pointBuffer_.insert(pointBuffer_.end(), points.begin() + static_cast<std::ptrdiff_t>(used),
                                points.begin() + static_cast<std::ptrdiff_t>(used + n));
        } else if (i == 0) {
            return false; // without an outer boundary there is nothing to fill
        }
        used += static_cast<std::size_t>(n);
    }
    points = pointBuffer_;
    return !ringBuffer_.empty();
}

void Surface::fillPolygonWithHoles(std::span<const Point> points, std::span<const std::int32_t> ringSizes,
                                   FillRule outerRule) {
    if (checkRings(points, ringSizes)) doFillPolygonWithHoles(points, ringBuffer_, outerRule);
}

void Surface::drawBitmap(const Bitmap& bitmap, const Rect& target, BitmapOptions options) {
    const Rect area = target.normalized();
    if (bitmap.empty() || area.isEmpty() ||
        bitmap.pixels.size() !=
            static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height))
        return;
    doDrawBitmap(bitmap, area, options);
}

void Surface::pushClip(const Rect& box) {
    doPushClipRect(box.normalized());
    ++clipDepth_;
}

void Surface::pushClip(std::span<const Point> points, std::span<const std::int32_t> ringSizes,
                       FillRule outerRule) {
    // An area without a boundary clips everything away; it still takes a place on the stack.
    if (checkRings(points, ringSizes))
        doPushClipRegion(points, ringBuffer_, outerRule);
    else
        doPushClipRect(Rect{});
    ++clipDepth_;
}

void Surface::popClip() {
    if (clipDepth_ == 0) return;
    --clipDepth_;
    doPopClip();
}

Size Surface::tabbedTextOut(Point origin, std::wstring_view text, std::span<const std::int32_t> tabStops,
                            std::int32_t tabOrigin) {
    const TextMeasurer& m = measurer();
    const std::int32_t width =
        layoutTabbedLine(m, state_.font, text, origin.x, tabStops, tabOrigin, tabBuffer_);
    const TextAlign saved = state_.textAlign;
    state_.textAlign.horizontal = HorizontalAlign::Left;
    for (const TabbedPiece& piece : tabBuffer_)
        textOut({piece.x, origin.y}, text.substr(piece.start, piece.length));
    state_.textAlign = saved;
    return {width, roundToPixel(m.metrics(state_.font).height())};
}

std::int32_t Surface::drawWrappedText(const Rect& box, std::wstring_view text) {
    const Rect area = box.normalized();
    const TextMeasurer& m = measurer();
    wrapText(m, state_.font, text, area.width(), wrapBuffer_);
    const std::int32_t lineHeight = std::max(1, roundToPixel(m.metrics(state_.font).height()));
    const TextAlign saved = state_.textAlign;
    state_.textAlign = kAlignTopLeft;
    pushClip(area);
    std::int64_t y = area.top;
    for (const WrappedLine& line : wrapBuffer_) {
        if (y >= area.bottom) break; // the rest lies below the box and is clipped away
        if (line.length > 0)
            textOut({area.left, static_cast<std::int32_t>(y)}, text.substr(line.start, line.length));
        y += lineHeight;
    }
    popClip();
    state_.textAlign = saved;
    const std::int64_t total = static_cast<std::int64_t>(wrapBuffer_.size()) * lineHeight;
    return static_cast<std::int32_t>(std::min<std::int64_t>(total, std::numeric_limits<std::int32_t>::max()));
}

std::unique_ptr<Surface> Surface::createScratch() const {
    auto scratch = std::make_unique<ScratchSurface>(measurer(), metrics());
    scratch->setState(state_);
    return scratch;
}

TextPlacement placeText(Point reference, TextAlign align, double width, const FontMetrics& metrics,
                        std::int32_t escapement) {
    TextPlacement p;
    const double angle = escapement * kTenthsOfDegreeToRadians;
    // Counter-clockwise as seen on a y-down output: the baseline runs along (cos a, −sin a).
    p.dirX = std::cos(angle);
    p.dirY = -std::sin(angle);
    p.downX = -p.dirY;
    p.downY = p.dirX;
    p.width = width;
    p.ascent = metrics.ascent;
    p.descent = metrics.descent;
    const double along = align.horizontal == HorizontalAlign::Left    ? 0
                         : align.horizontal == HorizontalAlign::Right ? width
                                                                      : width / 2;
    const double down = align.vertical == VerticalAlign::Top        ? metrics.ascent
                        : align.vertical == VerticalAlign::Baseline ? 0
                                                                    : -metrics.descent;
    p.baselineX = reference.x - along * p.dirX + down * p.downX;
    p.baselineY = reference.y - along * p.dirY + down * p.downY;
    return p;
}

std::array<std::array<double, 2>, 4> TextPlacement::corners() const {
    const double topX = baselineX - ascent * downX, topY = baselineY - ascent * downY;
    const double botX = baselineX + descent * downX, botY = baselineY + descent * downY;
    return {{{topX, topY},
             {topX + width * dirX, topY + width * dirY},
             {botX + width * dirX, botY + width * dirY},
             {botX, botY}}};
}

Rect TextPlacement::bounds() const {
    double minX = std::numeric_limits<double>::max(), minY = minX;
    double maxX = std::numeric_limits<double>::lowest(), maxY = maxX;
    for (const auto& c : corners()) {
        minX = std::min(minX, c[0]);
        maxX = std::max(maxX, c[0]);
        minY = std::min(minY, c[1]);
        maxY = std::max(maxY, c[1]);
    }
    // Rounding noise of the trigonometry must not widen the box by a pixel.
    constexpr double kSlack = 1e-6;
    return {roundToPixel(std::floor(minX + kSlack)), roundToPixel(std::floor(minY + kSlack)),
            roundToPixel(std::ceil(maxX - kSlack)), roundToPixel(std::ceil(maxY - kSlack))};
}

} // namespace tenzora
