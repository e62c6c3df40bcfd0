#include "editor/canvas_distances.h"

#include <algorithm>
#include <cmath>

#include "editor/corner_labels.h"
#include "editor/display_frame.h"
#include "editor/drawing_text.h"
#include "editor/print_size.h"
#include "editor/world_to_output.h"
#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/geometry.h"
#include "model/inside_test.h"
#include "model/names.h"
#include "platform/surface.h"

namespace tenzora {

namespace {

// Fewer seam-line entries than this: no layout to dimension.
constexpr int kMinSeamEntries = 3;
// Dimension points, feet and the points they are compared with closer than this (cm) are one.
constexpr double kSamePoint = 1.0;
// The crossing window of a dimension line with a side of the room.
constexpr double kCrossingLow = 1e-7;
constexpr double kCrossingHigh = 0.9999999;
constexpr double kParallelCross = 1e-7;
// On-edge tolerances: relative along a slanted edge, centimetres across a straight one.
constexpr double kRelativeSlack = 0.01;
constexpr double kStraightSlack = 0.1;
// Coordinates of an edge that differ by less than this (cm) are equal: the corners come out of
// rotations, which leave traces of rounding on a horizontal edge.
constexpr double kAxisTolerance = 1e-6;
// Limits of the layer's work on every repaint. A real layout has a few dozen canvases and at most
// a few hundred dimension points; a damaged or hostile file could ask for millions of tests per
// repaint. Beyond these the layer dimensions no further canvases and accepts no further points.
constexpr int kMaxDimensionedCanvases = 500;
constexpr std::size_t kMaxDimensionPoints = 2000;
// Radius of the dot of a dimension point, in pixels.
constexpr std::int32_t kDotRadius = 2;
// Text and pen sizes, in screen pixels before printSize.
constexpr int kScreenNameHeight = 12;
constexpr int kPaperNameHeight = 16;
constexpr int kScreenPieceHeight = 9;
constexpr int kPaperPieceHeight = 12;

constexpr Color kScreenPen{144, 144, 255};
constexpr Color kPaperPen{160, 160, 160};

double distanceTo(const Vertex& a, const Vertex& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Closer than kSamePoint, compared by squares (these tests run for every pair of points).
bool near(const Vertex& a, const Vertex& b) {
    const double dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy < kSamePoint * kSamePoint;
}

bool nearAny(const Vertex& p, std::span<const Vertex> points) {
    for (const Vertex& q : points)
        if (near(p, q)) return true;
    return false;
}

bool nearAccepted(const Vertex& p, const std::vector<TZRasPoint>& accepted) {
    for (const TZRasPoint& q : accepted)
        if (near(p, q.point)) return true;
    return false;
}

// The quadrilaterals of the canvases, as edges: the corners are taken in the frame turned by −θ,
// where seams are horizontal, and turned back by +θ outside the layout display.
void collectEdges(const TZCeiling& doc, const CanvasDistanceRequest& request,
                  std::vector<TZDopDiagonal>& edges) {
    edges.clear();
    const int lines = std::min(doc.seamLines.count() / 2, kMaxDimensionedCanvases + 1);
    const auto turned = [&](int entry) { return rotated(doc.seamLines.at(entry), -request.theta); };
    const auto shown = [&](const Vertex& v) { return request.layoutDisplay ? v : rotated(v, request.theta); };
    for (int k = 0; k + 1 < lines; ++k) {
        const Vertex a = turned(2 * k);
        const Vertex b = turned(2 * k + 1);
        const Vertex nextStart = turned(2 * k + 2);
        const Vertex nextEnd = turned(2 * k + 3);
        const Vertex corners[4] = {shown(a), shown(b), shown(makeVertex(b.x, nextEnd.y)),
                                   shown(makeVertex(a.x, nextStart.y))};
        for (int e = 0; e < 4; ++e)
            edges.push_back({corners[e], corners[(e + 1) % 4], -1, -1});
    }
}

class DimensionPoints {
  public:
    DimensionPoints(const TZCeiling& doc, const CanvasDistanceRequest& request, CanvasDistanceLists& lists)
        : request_(request), lists_(lists) {
        // The measured vertices and the seam crossings are compared in the frame the outline is
        // drawn in, so the layout display compares like with like.
        lists.measured.clear();
        lists.crossings.clear();
        for (const Vertex& v : doc.polygon)
            lists.measured.push_back(display(v));
        if (request.layoutDisplay)
            for (const TZAddPoint& a : doc.addPoints)
                lists.crossings.push_back(display(a.point));
        lists.points.clear();
    }

    void collect() {
        const std::size_t canvases = lists_.edges.size() / 4;
        for (const Vertex& p : request_.outline) {
            for (std::size_t c = 0; c < canvases; ++c) {
                const TZDopDiagonal* edge = &lists_.edges[4 * c];
                const Vertex quad[4] = {edge[0].start, edge[1].start, edge[2].start, edge[3].start};
                if (!insideEvenOdd(quad, p.x, p.y)) continue;
                for (int i = 0; i < 4; ++i)
                    offer(quad[i], nullptr, quad[(i + 1) % 4], quad[(i + 3) % 4]);
                for (int i = 0; i < 4; ++i)
                    offerFoot(p, edge[i]);
            }
        }
    }

  private:
    Vertex display(const Vertex& v) const { return request_.layoutDisplay ? rotated(v, -request_.theta) : v; }

    void offerFoot(const Vertex& p, const TZDopDiagonal& edge) {
        const double ex = edge.end.x - edge.start.x;
        const double ey = edge.end.y - edge.start.y;
        const double lengthSquared = ex * ex + ey * ey;
        if (!(lengthSquared > 0)) return;
        const double t = ((p.x - edge.start.x) * ex + (p.y - edge.start.y) * ey) / lengthSquared;
        if (t < 0 || t > 1) return;
        const Vertex foot = makeVertex(edge.start.x + t * ex, edge.start.y + t * ey);
        if (near(foot, p)) return;
        // A dimension line runs outside the room, from the corner to the canvas edge.
        if (insideEvenOdd(request_.outline, foot.x, foot.y)) return;
        const std::size_t n = request_.outline.size();
        const double loX = std::min(foot.x, p.x), hiX = std::max(foot.x, p.x);
        const double loY = std::min(foot.y, p.y), hiY = std::max(foot.y, p.y);
        for (std::size_t i = 0; i < n; ++i) {
            const Vertex& a = request_.outline[i];
            const Vertex& b = request_.outline[(i + 1) % n];
            // A side wholly to one side of the dimension line's box cannot cross it.
            if (std::max(a.x, b.x) < loX || std::min(a.x, b.x) > hiX || std::max(a.y, b.y) < loY ||
                std::min(a.y, b.y) > hiY)
                continue;
            if (dimensionLineCrosses(foot, p, a, b)) return;
        }
        offer(foot, &p, edge.start, edge.end);
    }

    void offer(const Vertex& point, const Vertex* partner, const Vertex& n1, const Vertex& n2) {
        if (lists_.points.size() >= kMaxDimensionPoints) return;
        if (nearAny(point, lists_.measured) || nearAny(point, lists_.crossings) ||
            nearAccepted(point, lists_.points))
            return;
        if (partner != nullptr && nearAccepted(*partner, lists_.points)) return;
        TZRasPoint r;
        r.point = point;
        if (partner != nullptr) {
            r.partner = *partner;
            r.hasPartner = 1;
        }
        r.neighbour1 = n1;
        r.neighbour2 = n2;
        lists_.points.push_back(r);
    }

    const CanvasDistanceRequest& request_;
    CanvasDistanceLists& lists_;
};

// Sorts the dimension points by their direction from the centroid, clockwise on the drawing
// from +x (counter-clockwise in the mirrored layout display); ties keep the order of finding.
void sortByDirection(CanvasDistanceLists& lists, bool reversed) {
    const std::size_t n = lists.points.size();
    double cx = 0, cy = 0;
    for (const TZRasPoint& p : lists.points) {
        cx += p.point.x;
        cy += p.point.y;
    }
    cx /= static_cast<double>(n);
    cy /= static_cast<double>(n);
    lists.angles.resize(n);
    lists.order.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double dx = lists.points[i].point.x - cx;
        const double dy = lists.points[i].point.y - cy;
        double a = (dx == 0 && dy == 0) ? kPi / 2 : std::atan2(dy, dx);
        if (a < 0) a += 2 * kPi;
        lists.angles[i] = a;
        lists.order[i] = static_cast<int>(i);
    }
    std::stable_sort(lists.order.begin(), lists.order.end(), [&](int a, int b) {
        const double x = lists.angles[static_cast<std::size_t>(a)];
        const double y = lists.angles[static_cast<std::size_t>(b)];
        return reversed ? x > y : x < y;
    });
}

} // namespace

bool liesOnEdge(const Vertex& p, const Vertex& start, const Vertex& end) {
    const bool horizontal = std::fabs(start.y - end.y) < kAxisTolerance;
    const bool vertical = std::fabs(start.x - end.x) < kAxisTolerance;
    if (horizontal) {
        return std::fabs(p.y - start.y) < kStraightSlack && p.x > std::min(start.x, end.x) - kStraightSlack &&
               p.x < std::max(start.x, end.x) + kStraightSlack;
    }
    if (vertical) {
        return std::fabs(p.x - start.x) < kStraightSlack && p.y > std::min(start.y, end.y) - kStraightSlack &&
               p.y < std::max(start.y, end.y) + kStraightSlack;
    }
    const double rx = (p.x - end.x) / (start.x - end.x);
    const double ry = (p.y - end.y) / (start.y - end.y);
    const auto within = [](double r) { return r >= -kRelativeSlack && r <= 1 + kRelativeSlack; };
    return within(rx) && within(ry) && std::fabs(rx - ry) <= kRelativeSlack;
}

bool dimensionLineCrosses(const Vertex& a1, const Vertex& a2, const Vertex& b1, const Vertex& b2) {
    const double rx = a2.x - a1.x, ry = a2.y - a1.y;
    const double sx = b2.x - b1.x, sy = b2.y - b1.y;
    const double d = rx * sy - ry * sx;
    if (std::fabs(d) < kParallelCross) return false;
    const double qx = b1.x - a1.x, qy = b1.y - a1.y;
    const double t = (qx * sy - qy * sx) / d;
    const double u = (qx * ry - qy * rx) / d;
    return t > kCrossingLow && t < kCrossingHigh && u > kCrossingLow && u < kCrossingHigh;
}

int drawCanvasDistances(Surface& surface, const TZCeiling& doc, const OutputTransform& transform,
                        const CanvasDistanceRequest& request, CanvasDistanceLists& lists) {
    if (doc.seamLines.count() < kMinSeamEntries) return 0;
    const bool screen = request.purpose == 0;
    const std::int32_t refW = request.referenceWidth, refH = request.referenceHeight;
    surface.setPen(solidPen(printSize(1, refW, refH), screen ? kScreenPen : kPaperPen));
    surface.setBrush(kNoBrush);

    collectEdges(doc, request, lists.edges);
    for (const TZDopDiagonal& e : lists.edges)
        surface.line(transform.toOutput(e.start), transform.toOutput(e.end));

    DimensionPoints(doc, request, lists).collect();
    if (lists.points.empty()) return 0;

    sortByDirection(lists, request.mirrored && request.layoutDisplay);
    const Font nameFont =
        boldLabelFont(printSize(screen ? kScreenNameHeight : kPaperNameHeight, refW, refH, doc.fontScale), 0,
                      kCharSetCyrillic);
    const double radius = cornerLabelRadius(doc.view.scaleX, doc.printing);
    int nextName =
        static_cast<int>(request.outline.size()) + (request.layoutDisplay ? doc.addPoints.count() : 0);
    for (int i : lists.order) {
        const TZRasPoint& r = lists.points[static_cast<std::size_t>(i)];
        const Point at = transform.toOutput(r.point);
        if (r.hasPartner) surface.line(transform.toOutput(r.partner), at);
        surface.ellipse(dotBox(at, kDotRadius));
        if (!request.showNames) continue;
        const LabelSide side = r.hasPartner ? LabelSide::Inside : LabelSide::Outside;
        const Vertex label = cornerLabelPoint(r.point, r.neighbour1, r.neighbour2, radius, side);
        writeCornerLabel(surface, transform, label, request.zeroHeight, vertexName(nextName++), nameFont,
                         kBlack);
    }

    const std::int32_t pieceHeight =
        printSize(screen ? kScreenPieceHeight : kPaperPieceHeight, refW, refH, doc.fontScale);
    const double tension = doc.material.tensionCoef;
    for (const TZDopDiagonal& e : lists.edges) {
        lists.onEdge.clear();
        // Points outside the edge's box, widened by the on-edge slack, cannot lie on it.
        const double slackX = std::max(kStraightSlack, kRelativeSlack * std::fabs(e.end.x - e.start.x));
        const double slackY = std::max(kStraightSlack, kRelativeSlack * std::fabs(e.end.y - e.start.y));
        const double loX = std::min(e.start.x, e.end.x) - slackX, hiX = std::max(e.start.x, e.end.x) + slackX;
        const double loY = std::min(e.start.y, e.end.y) - slackY, hiY = std::max(e.start.y, e.end.y) + slackY;
        const auto consider = [&](const Vertex& p) {
            if (p.x < loX || p.x > hiX || p.y < loY || p.y > hiY) return;
            if (liesOnEdge(p, e.start, e.end)) lists.onEdge.emplace_back(distanceTo(p, e.start), p);
        };
        for (const TZRasPoint& r : lists.points)
            consider(r.point);
        for (const Vertex& v : lists.measured)
            consider(v);
        for (const Vertex& v : lists.crossings)
            consider(v);
        if (lists.onEdge.size() < 2) continue;
        std::stable_sort(lists.onEdge.begin(), lists.onEdge.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        const Font font =
            boldLabelFont(pieceHeight, escapementRounded(textAngle(e.start, e.end, request.mirrored)));
        for (std::size_t k = 0; k + 1 < lists.onEdge.size(); ++k) {
            const Vertex& p = lists.onEdge[k].second;
            const Vertex& q = lists.onEdge[k + 1].second;
            writeLabel(surface, middleOf(transform, p, q), formatNumber(distanceTo(p, q) * tension, 0), font,
                       kBlack);
        }
    }

    for (const TZRasPoint& r : lists.points) {
        if (!r.hasPartner) continue;
        const Font font =
            boldLabelFont(pieceHeight, escapementRounded(textAngle(r.point, r.partner, request.mirrored)));
        writeLabel(surface, middleOf(transform, r.point, r.partner),
                   formatNumber(distanceTo(r.point, r.partner), 0), font, kBlack);
    }
    return static_cast<int>(lists.points.size());
}

} // namespace tenzora
