#include "editor/world_to_output.h"

#include <algorithm>
#include <cmath>

#include "editor/display_frame.h"
#include "model/ceiling.h"
#include "model/geometry.h"
#include "model/settings.h"

namespace tenzora {

namespace {

constexpr double kTenthsPerRadian = 1800.0 / kPi;
constexpr std::int32_t kFullTurnTenths = 3600;

double quotient(double v, float scale) {
    return scale != 0.0f ? v / static_cast<double>(scale) : 0.0;
}

std::int32_t intoTurn(std::int64_t tenths) {
    std::int64_t t = tenths % kFullTurnTenths;
    if (t < 0) t += kFullTurnTenths;
    return static_cast<std::int32_t>(t);
}

void include(OutputBox& box, bool& any, const Vertex& v) {
    if (!any) {
        box = {v.x, v.y, v.x, v.y};
        any = true;
        return;
    }
    box.minX = std::min(box.minX, v.x);
    box.minY = std::min(box.minY, v.y);
    box.maxX = std::max(box.maxX, v.x);
    box.maxY = std::max(box.maxY, v.y);
}

} // namespace

OutputBox boxOf(std::span<const Vertex> points) {
    OutputBox box;
    bool any = false;
    for (const Vertex& v : points)
        include(box, any, v);
    return box;
}

OutputBox widened(const OutputBox& box) {
    const double dx = box.width() * kBoxMargin;
    const double dy = box.height() * kBoxMargin;
    return {box.minX - dx, box.minY - dy, box.maxX + dx, box.maxY + dy};
}

OutputTransform OutputTransform::screen(const TZCeiling& doc, bool mirrored) {
    OutputTransform t;
    t.mirrored_ = mirrored;
    t.cmPerPixelX_ = doc.view.scaleX;
    t.cmPerPixelY_ = doc.view.scaleY;
    t.scaleX_ = quotient(1.0, doc.view.scaleX);
    t.scaleY_ = quotient(1.0, doc.view.scaleY);
    // The halves are integer divisions of the view size. The offset and the size come from the
    // project file as any int, so the origin is found in double and clamped to a pixel.
    t.originX_ = static_cast<double>(doc.view.viewWidth / 2) - doc.view.panX;
    t.originY_ = static_cast<double>(doc.view.viewHeight / 2) + doc.view.panY;
    t.originPxX_ = toPixel(t.originX_);
    t.originPxY_ = toPixel(t.originY_);
    return t;
}

OutputTransform OutputTransform::target(const OutputBox& box, const Rect& rect, bool mirrored,
                                        bool addOrigin) {
    OutputTransform t;
    t.target_ = true;
    t.mirrored_ = mirrored;
    t.box_ = box;
    const double boxW = box.width();
    const double boxH = box.height();
    const double rectW = rect.width();
    const double rectH = rect.height();
    double s = 0;
    double leftover = 0;
    if (boxW > 0 || boxH > 0) {
        // Compared as products, which is the comparison of the two ratios without dividing by a
        // zero height.
        if (boxW * rectH < rectW * boxH) {
            t.fitsHeight_ = true;
            s = rectH / boxH;
            leftover = rectW - boxW * s;
        } else {
            s = rectW / boxW;
        }
    }
    if (!std::isfinite(s)) s = 0;
    t.scaleX_ = t.scaleY_ = s;
    if (addOrigin) {
        t.originX_ = rect.left + leftover / 2;
        t.originY_ = rect.top;
        t.originPxX_ = toPixel(static_cast<double>(rect.left) + toPixel(leftover / 2));
        t.originPxY_ = rect.top;
    } else if (t.fitsHeight_) {
        t.originX_ = leftover / 2;
        t.originPxX_ = toPixel(leftover / 2);
    }
    return t;
}

ExactPoint OutputTransform::exact(double x, double y) const {
    if (!target_) {
        const double qx = quotient(x, cmPerPixelX_);
        return {mirrored_ ? originX_ - qx : originX_ + qx, originY_ + quotient(y, cmPerPixelY_)};
    }
    const double dx = mirrored_ ? box_.maxX - x : x - box_.minX;
    return {scaleX_ * dx + originX_, scaleY_ * (y - box_.minY) + originY_};
}

Point OutputTransform::toOutput(double x, double y) const {
    if (!target_) {
        const double qx = std::trunc(quotient(x, cmPerPixelX_));
        const double qy = std::trunc(quotient(y, cmPerPixelY_));
        return {toPixel(mirrored_ ? originPxX_ - qx : originPxX_ + qx), toPixel(originPxY_ + qy)};
    }
    const double dx = mirrored_ ? box_.maxX - x : x - box_.minX;
    return {toPixel(static_cast<double>(toPixel(scaleX_ * dx)) + originPxX_),
            toPixel(static_cast<double>(toPixel(scaleY_ * (y - box_.minY))) + originPxY_)};
}

OutputBox drawingBox(const TZCeiling& doc, const AppSettings& settings, int purpose,
                     const WorkingOutline& outline, const DisplayFrame& frame) {
    if (doc.polygon.count() == 0) return {};
    OutputBox box;
    bool any = false;
    const bool seamSide = doc.seamFrom >= 0 && doc.seamTo >= 0;
    const bool enoughSeams = doc.seamLines.count() >= kLayoutDisplayMinSeamEntries;
    // In dealer mode the layout display is not turned; its seam lines then lie inside the
    // outline, whose box is the right one.
    if (frame.layoutDisplay && !settings.dealerMode && purpose != 5 && outline.valid(doc.seamFrom) &&
        outline.valid(doc.seamTo)) {
        for (const Vertex& v : doc.seamLines)
            include(box, any, frame.toDisplay(v));
    } else if (purpose == 5 && enoughSeams && seamSide) {
        include(box, any, frame.toDisplay(doc.polygon.at(0)));
        for (const Vertex& v : doc.seamLines)
            include(box, any, frame.toDisplay(v));
    } else {
        for (const Vertex& v : outline.points())
            include(box, any, frame.toDisplay(v));
    }
    return widened(box);
}

Point worldToOutput(double x, double y, const OutputBox* box, bool addOrigin, const TZCeiling& doc,
                    const Rect* target, bool mirrored) {
    if (target == nullptr) return OutputTransform::screen(doc, mirrored).toOutput(x, y);
    return OutputTransform::target(box ? *box : OutputBox{}, *target, mirrored, addOrigin).toOutput(x, y);
}

ExactPoint worldToOutputExact(double x, double y, const OutputBox* box, bool addOrigin, const TZCeiling& doc,
                              const Rect* target, bool mirrored) {
    if (target == nullptr) return OutputTransform::screen(doc, mirrored).exact(x, y);
    return OutputTransform::target(box ? *box : OutputBox{}, *target, mirrored, addOrigin).exact(x, y);
}

double textAngle(const Vertex& p, const Vertex& q, bool mirrored) {
    double a = std::atan2(q.y - p.y, q.x - p.x);
    if (a < 0) a += 2 * kPi;
    double r = 2 * kPi - a;
    if (r > 3 * kPi / 2)
        r += 2 * kPi;
    else if (r > kPi / 2)
        r += kPi;
    return mirrored ? 2 * kPi - r : r;
}

std::int32_t escapementTruncated(double radians) {
    if (!std::isfinite(radians)) return 0;
    return intoTurn(static_cast<std::int64_t>(std::trunc(radians * kTenthsPerRadian)));
}

std::int32_t escapementRounded(double radians) {
    if (!std::isfinite(radians)) return 0;
    return intoTurn(static_cast<std::int64_t>(std::lround(radians * kTenthsPerRadian)));
}

} // namespace tenzora
