#include "cutting/layout_points.h"

#include <cmath>

#include "model/ceiling.h"
#include "model/geometry.h"

namespace tenzora {

namespace {

// The layout needs world positions only: no output transform is worked out.
class NoOutput : public OutputMapping {
  public:
    ScreenPoint toOutput(double, double) const override { return {}; }
};

// The direction of a vector as the layout takes it: in [0, 2π), and π/2 for the zero vector.
double layoutDirection(double dx, double dy) {
    double angle = direction(dx, dy);
    if (angle < 0) angle += 2 * kPi;
    return angle;
}

// The point `d` from `from` towards `to` (to the right of `from` when both coincide).
Vertex pointTowards(const Vertex& from, const Vertex& to, double d) {
    Vertex moving = to;
    placeAtDistance(from, moving, d);
    return moving;
}

} // namespace

void LayoutPoints::build(TZCeiling& doc) {
    const NoOutput none;
    withCutouts_ = doc.showConstructions;
    buildWorkingOutline(doc, doc.showConstructions, none, outline_);
    if (withCutouts_)
        buildCutouts(doc, outline_, none, cutouts_);
    else
        cutouts_.clear();
}

const Vertex& LayoutPoints::point(int i) const {
    if (i < outlineCount()) return outline_.point(i);
    return cutouts_.allPoints()[static_cast<std::size_t>(i - outlineCount())].point;
}

Vertex SeamFrame::toFrame(const Vertex& p) const {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double dx = p.x - origin.x;
    const double dy = p.y - origin.y;
    return makeVertex(dx * c + dy * s, -dx * s + dy * c);
}

Vertex SeamFrame::fromFrame(double x, double y) const {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return makeVertex(x * c - y * s + origin.x, x * s + y * c + origin.y);
}

Vertex SeamFrame::turnedBack(const Vertex& p) const {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return makeVertex(p.x * c + p.y * s, -p.x * s + p.y * c);
}

Vertex SeamFrame::turnedForth(double x, double y) const {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return makeVertex(x * c - y * s, x * s + y * c);
}

std::optional<SeamFrame> seamFrame(const TZCeiling& doc, const LayoutPoints& points) {
    if (!points.valid(doc.seamFrom) || !points.valid(doc.seamTo)) return std::nullopt;
    const Vertex& a = points.point(doc.seamFrom);
    const Vertex& b = points.point(doc.seamTo);
    SeamFrame frame;
    if (doc.twoDiagonals) {
        // The line joins a point on each diagonal; without a usable second diagonal there is no
        // line to lay the seams along, and the layout is left undone as for a missing side.
        if (!points.valid(doc.seamFrom2) || !points.valid(doc.seamTo2)) return std::nullopt;
        const Vertex s = pointTowards(a, b, doc.seamOffset);
        const Vertex t =
            pointTowards(points.point(doc.seamFrom2), points.point(doc.seamTo2), doc.seamOffset2);
        frame.lineStart = makeVertex(s.x, s.y);
        frame.lineEnd = makeVertex(t.x, t.y);
        frame.angle = layoutDirection(t.x - s.x, t.y - s.y);
        frame.origin = frame.lineStart;
        return frame;
    }
    frame.lineStart = makeVertex(a.x, a.y);
    frame.lineEnd = makeVertex(b.x, b.y);
    frame.angle = layoutDirection(b.x - a.x, b.y - a.y);
    // The unit vector along the side; a side of no length points the way its direction says.
    double ux = b.x - a.x;
    double uy = b.y - a.y;
    const double length = std::hypot(ux, uy);
    if (length > 0 && std::isfinite(length)) {
        ux /= length;
        uy /= length;
    } else {
        ux = std::cos(frame.angle);
        uy = std::sin(frame.angle);
    }
    if (doc.seamPerpendicular) {
        frame.angle += kPi / 2;
        frame.origin = makeVertex(b.x + doc.seamOffset * ux, b.y + doc.seamOffset * uy);
    } else {
        frame.origin = makeVertex(a.x - doc.seamOffset * uy, a.y + doc.seamOffset * ux);
    }
    return frame;
}

std::optional<double> seamDirection(TZCeiling& doc) {
    LayoutPoints points;
    points.build(doc);
    const auto frame = seamFrame(doc, points);
    if (!frame) return std::nullopt;
    return frame->angle;
}

} // namespace tenzora
