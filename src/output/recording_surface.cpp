#include "output/recording_surface.h"

#include <algorithm>
#include <limits>

namespace tenzora {

RecordingSurface::RecordingSurface(const DeviceMetrics& metrics, const TextMeasurer* measurer)
    : metrics_(metrics) {
    if (measurer == nullptr) {
        ownMeasurer_ = std::make_unique<ApproximateTextMeasurer>();
        measurer = ownMeasurer_.get();
    }
    measurer_ = measurer;
}

void RecordingSurface::clear() {
    records_.clear();
    points_.clear();
    ints_.clear();
    texts_.clear();
}

SurfaceRecord& RecordingSurface::add(RecordKind kind) {
    SurfaceRecord& r = records_.emplace_back();
    r.kind = kind;
    r.state = state();
    r.clipDepth = depth_;
    return r;
}

void RecordingSurface::keepPoints(SurfaceRecord& r, std::span<const Point> points) {
    r.pointStart = points_.size();
    r.pointCount = points.size();
    points_.insert(points_.end(), points.begin(), points.end());
}

void RecordingSurface::keepRings(SurfaceRecord& r, std::span<const std::int32_t> rings) {
    r.ringStart = ints_.size();
    r.ringCount = rings.size();
    ints_.insert(ints_.end(), rings.begin(), rings.end());
}

void RecordingSurface::keepText(SurfaceRecord& r, std::wstring_view text) {
    r.textStart = texts_.size();
    r.textCount = text.size();
    texts_.append(text);
}

void RecordingSurface::polyline(std::span<const Point> points) {
    if (points.size() < 2) return;
    keepPoints(add(RecordKind::Polyline), points);
}

void RecordingSurface::polygon(std::span<const Point> points, FillRule rule) {
    if (points.size() < 2) return;
    SurfaceRecord& r = add(RecordKind::Polygon);
    r.rule = rule;
    keepPoints(r, points);
}

void RecordingSurface::doFillPolygonWithHoles(std::span<const Point> points,
                                              std::span<const std::int32_t> ringSizes, FillRule outerRule) {
    SurfaceRecord& r = add(RecordKind::PolygonWithHoles);
    r.rule = outerRule;
    keepPoints(r, points);
    keepRings(r, ringSizes);
}

void RecordingSurface::ellipse(const Rect& box) {
    add(RecordKind::Ellipse).rect = box;
}
void RecordingSurface::rectangle(const Rect& box) {
    add(RecordKind::Rectangle).rect = box;
}

void RecordingSurface::fillRect(const Rect& box, Color color) {
    SurfaceRecord& r = add(RecordKind::FillRect);
    r.rect = box;
    r.color = color;
}

void RecordingSurface::doDrawBitmap(const Bitmap& bitmap, const Rect& target, BitmapOptions options) {
    SurfaceRecord& r = add(RecordKind::Bitmap);
    r.rect = target;
    r.bitmapOptions = options;
    r.bitmapSize = {bitmap.width, bitmap.height};
}

void RecordingSurface::textOut(Point reference, std::wstring_view text) {
    SurfaceRecord& r = add(RecordKind::Text);
    r.point = reference;
    keepText(r, text);
}

Size RecordingSurface::tabbedTextOut(Point origin, std::wstring_view text,
                                     std::span<const std::int32_t> tabStops, std::int32_t tabOrigin) {
    SurfaceRecord& r = add(RecordKind::TabbedText);
    r.point = origin;
    r.tabOrigin = tabOrigin;
    keepText(r, text);
    r.tabStart = ints_.size();
    r.tabCount = tabStops.size();
    ints_.insert(ints_.end(), tabStops.begin(), tabStops.end());
    const std::int32_t width =
        layoutTabbedLine(*measurer_, state().font, text, origin.x, tabStops, tabOrigin, tabScratch_);
    return {width, roundToPixel(measurer_->metrics(state().font).height())};
}

std::int32_t RecordingSurface::drawWrappedText(const Rect& box, std::wstring_view text) {
    SurfaceRecord& r = add(RecordKind::WrappedText);
    r.rect = box.normalized();
    keepText(r, text);
    wrapText(*measurer_, state().font, text, r.rect.width(), wrapScratch_);
    const std::int64_t lineHeight = std::max(1, roundToPixel(measurer_->metrics(state().font).height()));
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(lineHeight * static_cast<std::int64_t>(wrapScratch_.size()),
                               std::numeric_limits<std::int32_t>::max()));
}

void RecordingSurface::doPushClipRect(const Rect& box) {
    ++depth_;
    add(RecordKind::PushClipRect).rect = box;
}

void RecordingSurface::doPushClipRegion(std::span<const Point> points,
                                        std::span<const std::int32_t> ringSizes, FillRule outerRule) {
    ++depth_;
    SurfaceRecord& r = add(RecordKind::PushClipRegion);
    r.rule = outerRule;
    keepPoints(r, points);
    keepRings(r, ringSizes);
}

void RecordingSurface::doPopClip() {
    --depth_;
    add(RecordKind::PopClip);
}

std::span<const Point> RecordingSurface::points(const SurfaceRecord& r) const {
    return std::span<const Point>(points_).subspan(r.pointStart, r.pointCount);
}

std::span<const std::int32_t> RecordingSurface::rings(const SurfaceRecord& r) const {
    return std::span<const std::int32_t>(ints_).subspan(r.ringStart, r.ringCount);
}

std::wstring_view RecordingSurface::text(const SurfaceRecord& r) const {
    return std::wstring_view(texts_).substr(r.textStart, r.textCount);
}

std::span<const std::int32_t> RecordingSurface::tabStops(const SurfaceRecord& r) const {
    return std::span<const std::int32_t>(ints_).subspan(r.tabStart, r.tabCount);
}

std::vector<const SurfaceRecord*> RecordingSurface::ofKind(RecordKind kind) const {
    std::vector<const SurfaceRecord*> found;
    for (const SurfaceRecord& r : records_)
        if (r.kind == kind) found.push_back(&r);
    return found;
}

std::size_t RecordingSurface::count(RecordKind kind) const {
    return static_cast<std::size_t>(std::count_if(records_.begin(), records_.end(),
                                                  [kind](const SurfaceRecord& r) { return r.kind == kind; }));
}

std::vector<const SurfaceRecord*> RecordingSurface::textsEqual(std::wstring_view wanted) const {
    std::vector<const SurfaceRecord*> found;
    for (const SurfaceRecord& r : records_)
        if (r.isText() && text(r) == wanted) found.push_back(&r);
    return found;
}

std::vector<const SurfaceRecord*> RecordingSurface::textsContaining(std::wstring_view part) const {
    std::vector<const SurfaceRecord*> found;
    for (const SurfaceRecord& r : records_)
        if (r.isText() && text(r).find(part) != std::wstring_view::npos) found.push_back(&r);
    return found;
}

std::vector<std::wstring> RecordingSurface::allTexts() const {
    std::vector<std::wstring> all;
    for (const SurfaceRecord& r : records_)
        if (r.isText()) all.emplace_back(text(r));
    return all;
}

} // namespace tenzora
