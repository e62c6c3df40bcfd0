#include "platform/qt/qt_surface.h"

#include <QImage>
#include <QPaintDevice>
#include <cmath>

namespace tenzora {

namespace {

// GDI's dash patterns: in pixels for one-pixel pens, in multiples of the width for wider ones.
const QList<qreal> kThinDot{3, 3};
const QList<qreal> kThinDash{18, 6};
const QList<qreal> kThinDashDot{9, 6, 3, 6};
const QList<qreal> kWideDot{1, 1};
const QList<qreal> kWideDash{3, 1};
const QList<qreal> kWideDashDot{3, 1, 1, 1};

constexpr std::int32_t kFullCircleTenths = 3600;
constexpr std::int32_t kRightAngleTenths = 900;
// Pens from this width on get GDI's round ends and joins; on thinner ones round and square ends
// differ by a corner pixel at most, and square ones draw twice as fast.
constexpr std::int32_t kRoundEndsFromWidth = 4;
constexpr std::size_t kCachedPens = 16;

Qt::BrushStyle hatchPattern(HatchStyle hatch) {
    switch (hatch) {
    case HatchStyle::Horizontal:
        return Qt::HorPattern;
    case HatchStyle::Vertical:
        return Qt::VerPattern;
    case HatchStyle::ForwardDiagonal:
        return Qt::FDiagPattern;
    case HatchStyle::BackDiagonal:
        return Qt::BDiagPattern;
    case HatchStyle::Cross:
        return Qt::CrossPattern;
    case HatchStyle::DiagonalCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::HorPattern;
}

Qt::FillRule qtRule(FillRule rule) {
    return rule == FillRule::EvenOdd ? Qt::OddEvenFill : Qt::WindingFill;
}

} // namespace

QtSurface::QtSurface(QPainter& painter, const QtTextMeasurer* measurer)
    : QtSurface(painter, measurer, Options{}) {}

QtSurface::QtSurface(QPainter& painter, const QtTextMeasurer* measurer, Options options)
    : painter_(painter), measurer_(measurer), options_(options) {
    if (measurer_ == nullptr) {
        ownMeasurer_ = std::make_unique<QtTextMeasurer>();
        measurer_ = ownMeasurer_.get();
    }
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, options_.antialiasShapes);
    painter_.setRenderHint(QPainter::TextAntialiasing, options_.antialiasText);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, options_.smoothBitmaps);
    base_ = painter_.transform();
    initialClipping_ = painter_.hasClipping();
    if (initialClipping_) initialClip_ = painter_.clipPath();
    if (const QPaintDevice* device = painter_.device()) {
        metrics_.widthPx = device->width();
        metrics_.heightPx = device->height();
        metrics_.widthMm = device->widthMM();
        metrics_.heightMm = device->heightMM();
        metrics_.dpiX = device->logicalDpiX();
        metrics_.dpiY = device->logicalDpiY();
        metrics_.canCopyBitmaps = true;
    }
}

QtSurface::~QtSurface() {
    painter_.restore();
}

// ---- State ----------------------------------------------------------------------------------

QPen QtSurface::makePen(const Pen& pen) {
    if (pen.style == PenStyle::None) return QPen(Qt::NoPen);
    QPen q(toQColor(pen.color));
    const bool thin = pen.width <= 1;
    if (thin) {
        q.setWidth(1);
        q.setCosmetic(true); // one device pixel on a printer too, as GDI's one-pixel pen
    } else {
        q.setWidth(pen.width);
    }
    if (pen.style == PenStyle::Solid) {
        const bool round = pen.width >= kRoundEndsFromWidth; // GDI's wide pens have round ends
        q.setCapStyle(round ? Qt::RoundCap : Qt::SquareCap);
        q.setJoinStyle(round ? Qt::RoundJoin : Qt::MiterJoin);
    } else {
        q.setCapStyle(Qt::FlatCap);
        q.setJoinStyle(Qt::RoundJoin);
        switch (pen.style) {
        case PenStyle::Dot:
            q.setDashPattern(thin ? kThinDot : kWideDot);
            break;
        case PenStyle::Dash:
            q.setDashPattern(thin ? kThinDash : kWideDash);
            break;
        default:
            q.setDashPattern(thin ? kThinDashDot : kWideDashDot);
            break;
        }
    }
    return q;
}

void QtSurface::applyPen(const Pen& pen) {
    if (penKnown_ && pen_ == pen) return;
    pen_ = pen;
    penKnown_ = true;
    // A painting switches between a handful of pens thousands of times: keep their QPens.
    for (const auto& [key, q] : penCache_)
        if (key == pen) {
            painter_.setPen(q);
            return;
        }
    QPen q = makePen(pen);
    painter_.setPen(q);
    if (penCache_.size() < kCachedPens)
        penCache_.emplace_back(pen, std::move(q));
    else
        penCache_[nextPenSlot_++ % kCachedPens] = {pen, std::move(q)};
}

void QtSurface::applyBrush(const Brush& brush) {
    if (brushKnown_ && brush_ == brush) return;
    brush_ = brush;
    brushKnown_ = true;
    switch (brush.style) {
    case BrushStyle::None:
        painter_.setBrush(Qt::NoBrush);
        break;
    case BrushStyle::Solid:
        painter_.setBrush(toQColor(brush.color));
        break;
    case BrushStyle::Hatched:
        painter_.setBrush(QBrush(toQColor(brush.color), hatchPattern(brush.hatch)));
        break;
    }
}

void QtSurface::applyBackground() {
    // The background fills hatch gaps and the gaps of dotted lines in opaque mode (texts fill
    // their cell themselves).
    const DrawState& s = state();
    if (backgroundKnown_ && backgroundMode_ == s.backgroundMode && backgroundColor_ == s.backgroundColor)
        return;
    backgroundKnown_ = true;
    backgroundMode_ = s.backgroundMode;
    backgroundColor_ = s.backgroundColor;
    painter_.setBackgroundMode(s.backgroundMode == BackgroundMode::Opaque ? Qt::OpaqueMode
                                                                          : Qt::TransparentMode);
    painter_.setBackground(QBrush(toQColor(s.backgroundColor)));
}

const QPoint* QtSurface::toQPoints(std::span<const Point> points) {
    points_.resize(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        points_[i] = QPoint(points[i].x, points[i].y);
    return points_.data();
}

// ---- Shapes ---------------------------------------------------------------------------------

void QtSurface::polyline(std::span<const Point> points) {
    if (points.size() < 2) return;
    applyPen(state().pen);
    applyBackground();
    painter_.drawPolyline(toQPoints(points), static_cast<int>(points.size()));
}

void QtSurface::polygon(std::span<const Point> points, FillRule rule) {
    if (points.size() < 2) return;
    applyPen(state().pen);
    applyBrush(state().brush);
    applyBackground();
    painter_.drawPolygon(toQPoints(points), static_cast<int>(points.size()), qtRule(rule));
}

QPainterPath QtSurface::areaPath(std::span<const Point> points, std::span<const std::int32_t> rings,
                                 FillRule outerRule) {
    auto ringPath = [&](std::size_t start, std::int32_t n, Qt::FillRule rule) {
        QPainterPath path;
        path.setFillRule(rule);
        path.moveTo(points[start].x, points[start].y);
        for (std::int32_t i = 1; i < n; ++i)
            path.lineTo(points[start + i].x, points[start + i].y);
        path.closeSubpath();
        return path;
    };
    QPainterPath area = ringPath(0, rings[0], qtRule(outerRule));
    std::size_t start = static_cast<std::size_t>(rings[0]);
    // Each hole is taken away on its own, so overlapping holes stay holes.
    for (std::size_t i = 1; i < rings.size(); ++i) {
        area = area.subtracted(ringPath(start, rings[i], Qt::WindingFill));
        start += static_cast<std::size_t>(rings[i]);
    }
    return area;
}

void QtSurface::doFillPolygonWithHoles(std::span<const Point> points, std::span<const std::int32_t> ringSizes,
                                       FillRule outerRule) {
    applyBackground();
    const Brush& b = state().brush;
    if (b.style == BrushStyle::None) return;
    const QBrush brush = b.style == BrushStyle::Solid ? QBrush(toQColor(b.color))
                                                      : QBrush(toQColor(b.color), hatchPattern(b.hatch));
    if (ringSizes.size() == 1) {
        // A single ring needs no path arithmetic.
        painter_.save();
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(brush);
        painter_.drawPolygon(toQPoints(points), static_cast<int>(points.size()), qtRule(outerRule));
        painter_.restore();
        return;
    }
    painter_.fillPath(areaPath(points, ringSizes, outerRule), brush);
}

void QtSurface::ellipse(const Rect& box) {
    applyPen(state().pen);
    applyBrush(state().brush);
    applyBackground();
    const Rect r = box.normalized();
    // The outline runs on the box's inner pixels, as GDI keeps the figure inside the box.
    const qreal inset = state().pen.style == PenStyle::None ? 0 : 1;
    painter_.drawEllipse(QRectF(r.left, r.top, r.width() - inset, r.height() - inset));
}

void QtSurface::rectangle(const Rect& box) {
    applyPen(state().pen);
    applyBrush(state().brush);
    applyBackground();
    const Rect r = box.normalized();
    const qreal inset = state().pen.style == PenStyle::None ? 0 : 1;
    painter_.drawRect(QRectF(r.left, r.top, r.width() - inset, r.height() - inset));
}

void QtSurface::fillRect(const Rect& box, Color color) {
    const Rect r = box.normalized();
    painter_.fillRect(QRect(r.left, r.top, r.width(), r.height()), toQColor(color));
}

void QtSurface::doDrawBitmap(const Bitmap& bitmap, const Rect& r, BitmapOptions options) {
    // The pixels are read in place: Bitmap holds 0xAARRGGBB words, Qt's ARGB32 in memory order.
    const QImage image(reinterpret_cast<const uchar*>(bitmap.pixels.data()), bitmap.width, bitmap.height,
                       static_cast<qsizetype>(bitmap.width) * 4, QImage::Format_ARGB32);
    QTransform mirror;
    if (options.mirrorX || options.mirrorY) {
        mirror.translate(options.mirrorX ? static_cast<qreal>(r.left) + r.right : 0,
                         options.mirrorY ? static_cast<qreal>(r.top) + r.bottom : 0);
        mirror.scale(options.mirrorX ? -1 : 1, options.mirrorY ? -1 : 1);
    }
    painter_.setTransform(mirror * base_);
    painter_.setOpacity(options.alpha / 255.0);
    painter_.drawImage(QRectF(r.left, r.top, r.width(), r.height()), image);
    painter_.setOpacity(1.0);
    painter_.setTransform(base_);
}

// ---- Text -----------------------------------------------------------------------------------

void QtSurface::textOut(Point reference, std::wstring_view text) {
    if (text.empty()) return;
    const DrawState& s = state();
    applyBackground(); // the painter's own opaque mode would fill behind the text too
    if (!fontKnown_ || !(font_ == s.font)) {
        QFont f = measurer_->qfont(s.font);
        // Hinting snaps glyphs to the pixel grid along the axes: of no use to slanted text, and
        // slanted glyphs are rasterised afresh for every angle, three times faster without it.
        if (s.font.escapement % kRightAngleTenths != 0) f.setHintingPreference(QFont::PreferNoHinting);
        painter_.setFont(f);
        font_ = s.font;
        fontKnown_ = true;
    }
    text_ = QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()));
    const double width = measurer_->advance(s.font, text); // as every surface measures it
    TextPlacement at =
        placeText(reference, s.textAlign, width, measurer_->metrics(s.font), s.font.escapement);
    const bool upright = s.font.escapement % kFullCircleTenths == 0;
    if (upright) {
        // Whole-pixel baselines keep upright text sharp.
        at.baselineX = std::round(at.baselineX);
        at.baselineY = std::round(at.baselineY);
    }
    const QTransform frame(at.dirX, at.dirY, at.downX, at.downY, at.baselineX, at.baselineY);
    painter_.setTransform(frame * base_);
    if (s.backgroundMode == BackgroundMode::Opaque)
        painter_.fillRect(QRectF(0, -at.ascent, width, at.ascent + at.descent), toQColor(s.backgroundColor));
    painter_.setPen(toQColor(s.textColor));
    penKnown_ = false;
    painter_.drawText(QPointF(0, 0), text_);
    painter_.setTransform(base_);
}

// ---- Clipping -------------------------------------------------------------------------------

void QtSurface::applyClips() {
    if (initialClipping_)
        painter_.setClipPath(initialClip_);
    else
        painter_.setClipping(false);
    for (const ClipLevel& level : clips_) {
        if (level.isRect)
            painter_.setClipRect(level.rect, Qt::IntersectClip);
        else
            painter_.setClipPath(level.path, Qt::IntersectClip);
    }
}

void QtSurface::doPushClipRect(const Rect& box) {
    ClipLevel level;
    level.rect = QRect(box.left, box.top, box.width(), box.height());
    clips_.push_back(level);
    painter_.setClipRect(level.rect, Qt::IntersectClip);
}

void QtSurface::doPushClipRegion(std::span<const Point> points, std::span<const std::int32_t> ringSizes,
                                 FillRule outerRule) {
    ClipLevel level;
    level.isRect = false;
    level.path = areaPath(points, ringSizes, outerRule);
    clips_.push_back(level);
    painter_.setClipPath(level.path, Qt::IntersectClip);
}

void QtSurface::doPopClip() {
    if (clips_.empty()) return;
    clips_.pop_back();
    applyClips();
}

} // namespace tenzora
