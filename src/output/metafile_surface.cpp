#include "output/metafile_surface.h"

#include <algorithm>
#include <cmath>

namespace tenzora {

namespace {

// Objects of one kind kept in the reader's object table for reuse. A painting uses about ten
// pens, three fonts and three brushes; more distinct ones are created and deleted as needed.
constexpr std::size_t kMaxCachedPerKind = 16;

// The point at parameter t of the segment a → b, in whole pixels.
Point along(Point a, Point b, double t) {
    return {roundToPixel(a.x + (static_cast<double>(b.x) - a.x) * t),
            roundToPixel(a.y + (static_cast<double>(b.y) - a.y) * t)};
}

} // namespace

MetafileSurface::MetafileSurface(std::int32_t width, std::int32_t height, const TextMeasurer& measurer,
                                 std::int32_t dpi)
    : measurer_(measurer), metrics_(deviceMetricsFor(std::max(width, 1), std::max(height, 1), dpi)) {}

// ---- Object table ---------------------------------------------------------------------------

int MetafileSurface::allocateSlot() {
    for (std::size_t i = static_cast<std::size_t>(firstObjectSlot()); i < slotUsed_.size(); ++i) {
        if (!slotUsed_[i]) {
            slotUsed_[i] = true;
            return static_cast<int>(i);
        }
    }
    if (slotUsed_.size() < static_cast<std::size_t>(firstObjectSlot()))
        slotUsed_.resize(firstObjectSlot(), true);
    slotUsed_.push_back(true);
    return static_cast<int>(slotUsed_.size() - 1);
}

bool MetafileSurface::pinned(int slot) const {
    auto refers = [slot](const DcState& s) {
        return s.penSlot == slot || s.brushSlot == slot || s.fontSlot == slot;
    };
    return refers(dc_) || std::any_of(savedDc_.begin(), savedDc_.end(), refers);
}

int MetafileSurface::selectObject(ObjectKind kind, const Pen* pen, const Brush* brush, const Font* font) {
    ++useClock_;
    CachedObject* found = nullptr;
    std::size_t sameKind = 0;
    CachedObject* oldest = nullptr;
    for (CachedObject& o : objects_) {
        if (o.kind != kind) continue;
        ++sameKind;
        const bool equal = (kind == ObjectKind::Pen && o.pen == *pen) ||
                           (kind == ObjectKind::Brush && o.brush == *brush) ||
                           (kind == ObjectKind::Font && o.font == *font);
        if (equal) {
            found = &o;
            break;
        }
        if (!pinned(o.slot) && (oldest == nullptr || o.lastUse < oldest->lastUse)) oldest = &o;
    }
    if (found == nullptr) {
        if (sameKind >= kMaxCachedPerKind && oldest != nullptr) {
            writeDeleteObject(oldest->slot);
            slotUsed_[static_cast<std::size_t>(oldest->slot)] = false;
            objects_.erase(objects_.begin() + (oldest - objects_.data()));
        }
        CachedObject o{kind, {}, {}, {}, allocateSlot(), 0};
        if (kind == ObjectKind::Pen) {
            o.pen = *pen;
            writeCreatePen(o.slot, o.pen);
        } else if (kind == ObjectKind::Brush) {
            o.brush = *brush;
            writeCreateBrush(o.slot, o.brush);
        } else {
            o.font = *font;
            writeCreateFont(o.slot, o.font);
        }
        found = &objects_.emplace_back(o);
    }
    found->lastUse = useClock_;
    return found->slot;
}

void MetafileSurface::usePen(const Pen& pen) {
    const int slot = selectObject(ObjectKind::Pen, &pen, nullptr, nullptr);
    if (dc_.penSlot != slot) {
        writeSelectObject(slot);
        dc_.penSlot = slot;
    }
}

void MetafileSurface::useBrush(const Brush& brush) {
    const int slot = selectObject(ObjectKind::Brush, nullptr, &brush, nullptr);
    if (dc_.brushSlot != slot) {
        writeSelectObject(slot);
        dc_.brushSlot = slot;
    }
}

void MetafileSurface::useFont(const Font& font) {
    const int slot = selectObject(ObjectKind::Font, nullptr, nullptr, &font);
    if (dc_.fontSlot != slot) {
        writeSelectObject(slot);
        dc_.fontSlot = slot;
    }
}

// ---- Context attributes ---------------------------------------------------------------------

void MetafileSurface::useBackground() {
    const DrawState& s = state();
    if (!dc_.modesKnown || dc_.backgroundMode != s.backgroundMode) {
        writeBackgroundMode(s.backgroundMode);
        dc_.backgroundMode = s.backgroundMode;
        if (!dc_.modesKnown) {
            writeTextAlign(s.textAlign);
            dc_.textAlign = s.textAlign;
            dc_.modesKnown = true;
        }
    }
    if (!dc_.colorsKnown || dc_.backgroundColor != s.backgroundColor) {
        writeBackgroundColor(s.backgroundColor);
        dc_.backgroundColor = s.backgroundColor;
        if (!dc_.colorsKnown) {
            writeTextColor(s.textColor);
            dc_.textColor = s.textColor;
            dc_.colorsKnown = true;
        }
    }
}

void MetafileSurface::useTextAttributes() {
    useBackground();
    const DrawState& s = state();
    if (dc_.textColor != s.textColor) {
        writeTextColor(s.textColor);
        dc_.textColor = s.textColor;
    }
    if (dc_.textAlign != s.textAlign) {
        writeTextAlign(s.textAlign);
        dc_.textAlign = s.textAlign;
    }
}

void MetafileSurface::usePolyFill(FillRule rule) {
    if (!dc_.fillKnown || dc_.polyFill != rule) {
        writePolyFillMode(rule);
        dc_.polyFill = rule;
        dc_.fillKnown = true;
    }
}

void MetafileSurface::writeInitialState() {
    // A reader starts from its own defaults; writing ours makes the picture the same everywhere.
    useBackground();
    useTextAttributes();
    usePolyFill(FillRule::EvenOdd);
}

// ---- Primitives -----------------------------------------------------------------------------

void MetafileSurface::polyline(std::span<const Point> points) {
    if (finished_ || points.size() < 2) return;
    usePen(state().pen);
    useBackground();
    if (activeAreas_ > 0)
        writeClippedPolyline(points);
    else
        writePolyline(points);
}

void MetafileSurface::writeClippedPolyline(std::span<const Point> points) {
    // Lines are clipped to the areas here, exactly, so that the picture is right even in readers
    // (and formats) without clip paths. Each kept piece is written as a line of its own.
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const Point a = points[i], b = points[i + 1];
        pieces_.clear();
        pieces_.emplace_back(0.0, 1.0);
        for (const ClipArea& area : clipAreas_) {
            if (area.rings.empty()) continue;
            std::vector<std::pair<double, double>> refined;
            for (const auto& [t0, t1] : pieces_) {
                const Point p0 = along(a, b, t0), p1 = along(a, b, t1);
                std::vector<std::pair<double, double>> sub;
                clipSegmentToArea(area, p0, p1, sub);
                for (const auto& [s0, s1] : sub)
                    refined.emplace_back(t0 + (t1 - t0) * s0, t0 + (t1 - t0) * s1);
            }
            pieces_.swap(refined);
        }
        for (const auto& [t0, t1] : pieces_) {
            const Point ends[2] = {along(a, b, t0), along(a, b, t1)};
            writePolyline(ends);
        }
    }
}

void MetafileSurface::polygon(std::span<const Point> points, FillRule rule) {
    if (finished_ || points.size() < 2) return;
    usePen(state().pen);
    useBrush(state().brush);
    useBackground();
    usePolyFill(rule);
    writePolygon(points);
}

std::span<const Point> MetafileSurface::orientedRings(std::span<const Point> points,
                                                      std::span<const std::int32_t> rings) {
    ringPoints_.assign(points.begin(), points.end());
    const double outer =
        signedArea2(std::span<const Point>(ringPoints_).first(static_cast<std::size_t>(rings[0])));
    std::size_t start = static_cast<std::size_t>(rings[0]);
    for (std::size_t i = 1; i < rings.size(); ++i) {
        auto ring = std::span<Point>(ringPoints_).subspan(start, static_cast<std::size_t>(rings[i]));
        if ((signedArea2(ring) > 0) == (outer > 0)) std::reverse(ring.begin(), ring.end());
        start += static_cast<std::size_t>(rings[i]);
    }
    return ringPoints_;
}

void MetafileSurface::doFillPolygonWithHoles(std::span<const Point> points,
                                             std::span<const std::int32_t> ringSizes, FillRule outerRule) {
    if (finished_) return;
    // Metafiles fill a poly-polygon by one rule. With the non-zero rule and every hole turned
    // against the outer ring the holes come out empty while the outline keeps its own winding;
    // with the even-odd rule holes are empty as they are. Both equal the area minus the holes
    // whenever holes do not overlap one another, which is how cutouts lie in a ceiling.
    usePen(kNoPen);
    useBrush(state().brush);
    useBackground();
    usePolyFill(outerRule);
    if (ringSizes.size() == 1)
        writePolygon(points);
    else
        writePolyPolygon(outerRule == FillRule::Winding ? orientedRings(points, ringSizes) : points,
                         ringSizes);
}

void MetafileSurface::ellipse(const Rect& box) {
    if (finished_) return;
    usePen(state().pen);
    useBrush(state().brush);
    useBackground();
    writeEllipse(box);
}

void MetafileSurface::rectangle(const Rect& box) {
    if (finished_) return;
    usePen(state().pen);
    useBrush(state().brush);
    useBackground();
    writeRectangle(box);
}

void MetafileSurface::fillRect(const Rect& box, Color color) {
    if (finished_ || box.normalized().isEmpty()) return;
    // A rectangle without outline covers exactly the box in the readers' vector terms.
    usePen(kNoPen);
    useBrush(solidBrush(color));
    writeRectangle(box.normalized());
}

void MetafileSurface::doDrawBitmap(const Bitmap& bitmap, const Rect& area, BitmapOptions options) {
    if (finished_) return;
    // Metafiles carry the picture opaque: blending with what lies below is a matter of the screen.
    const DibImage dib = makeDib(bitmap, area.width(), area.height(), options.mirrorX, options.mirrorY);
    if (dib.width > 0) writeBitmap(area, dib);
}

void MetafileSurface::textOut(Point reference, std::wstring_view text) {
    if (finished_ || text.empty()) return;
    const DrawState& s = state();
    useFont(s.font);
    useTextAttributes();
    measurer_.characterAdvances(s.font, text, advances_);
    advances_.resize(text.size(), 0.0); // one per character, whatever the measurer gave
    // Whole-pixel advances whose running sums stay on the rounded exact positions.
    pixelAdvances_.clear();
    double exact = 0;
    std::int32_t placed = 0;
    for (double a : advances_) {
        exact += a;
        const std::int32_t next = roundToPixel(exact);
        pixelAdvances_.push_back(Rect::saturate(std::int64_t{next} - placed));
        placed = next;
    }
    const TextPlacement where =
        placeText(reference, s.textAlign, placed, measurer_.metrics(s.font), s.font.escapement);
    writeText(reference, text, pixelAdvances_, where.bounds());
}

// ---- Clipping -------------------------------------------------------------------------------

void MetafileSurface::doPushClipRect(const Rect& box) {
    clipAreas_.emplace_back();
    if (finished_) return;
    writeSaveDc();
    savedDc_.push_back(dc_);
    writeIntersectClipRect(box);
}

void MetafileSurface::doPushClipRegion(std::span<const Point> points, std::span<const std::int32_t> ringSizes,
                                       FillRule outerRule) {
    ClipArea& area = clipAreas_.emplace_back();
    area.points.assign(points.begin(), points.end());
    area.rings.assign(ringSizes.begin(), ringSizes.end());
    area.outerRule = outerRule;
    ++activeAreas_;
    if (finished_) return;
    writeSaveDc();
    savedDc_.push_back(dc_);
    usePolyFill(outerRule);
    if (ringSizes.size() > 1 && outerRule == FillRule::Winding)
        writeClipArea(orientedRings(points, ringSizes), ringSizes);
    else
        writeClipArea(points, ringSizes);
}

void MetafileSurface::doPopClip() {
    if (!clipAreas_.empty()) {
        if (!clipAreas_.back().rings.empty()) --activeAreas_;
        clipAreas_.pop_back();
    }
    if (finished_ || savedDc_.empty()) return;
    writeRestoreDc();
    // Restoring the context brings back the objects and attributes it had when saved.
    dc_ = savedDc_.back();
    savedDc_.pop_back();
}

void MetafileSurface::finishDrawing() {
    if (finished_) return;
    while (clipDepth() > 0)
        popClip();
    finished_ = true;
}

} // namespace tenzora
