#include "cutting/layout.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "cutting/layout_points.h"
#include "model/ceiling.h"
#include "model/measurements.h"
#include "model/settings.h"

namespace tenzora {

namespace {

// An extreme of the ceiling at most this far beyond a seam line opens no further canvas (cm).
constexpr double kSeamTolerance = 1.0;
// The lines from the top down stop just below the line through the origin (cm).
constexpr double kOriginLineSlack = 0.01;
// Crossings are computed from frame coordinates rounded to four decimals, so that an edge ending
// on a seam line meets it at its end point whatever the rotation left in the last digits.
constexpr double kRoundingScale = 1e4;
// Each seam line is lengthened by this at both ends before it is crossed with the edges (cm).
constexpr double kLineLengthening = 0.05;
// Below this cross product a seam line and an edge are parallel.
constexpr double kParallelLimit = 1e-7;
// Both crossing parameters must lie in this window: an edge does not report a crossing at its
// own end points (the neighbouring edge would report it again).
constexpr double kParameterLow = 1e-7;
constexpr double kParameterHigh = 0.9999999;
// A crossing closer than this to a measured vertex is that vertex, not a crossing (cm).
constexpr double kVertexProximity = 0.01;
// A point this far outside a strip still counts for the canvas of that strip (cm).
constexpr double kStripTolerance = 0.05;
constexpr double kSquareCentimetresPerSquareMetre = 10000;

double round4(double v) {
    return std::trunc(v * kRoundingScale + 0.5) / kRoundingScale;
}

Vertex rounded(const Vertex& v) {
    return makeVertex(round4(v.x), round4(v.y));
}

void clearOutputs(TZCeiling& doc) {
    doc.seamLines.clear();
    doc.addPoints.clear();
    doc.canvasLengths.clear();
    doc.canvasLengthTotal = 0;
    doc.materialQuantity = 0;
    doc.offcuts = 0;
}

// Ends a layout that produced nothing: no seam lines and zero quantities.
LayoutOutcome nothingLaidOut(TZCeiling& doc, bool quiet, LayoutOutcome outcome, const wchar_t* message) {
    clearOutputs(doc);
    if (!quiet) {
        if (message != nullptr) doc.ui().exclamation(message);
        doc.refreshFigures();
    }
    return outcome;
}

struct Extent {
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
};

// The frame bounding box of the working outline; false when a coordinate is not a finite number.
bool frameExtent(const LayoutPoints& points, const SeamFrame& frame, Extent& extent) {
    bool first = true;
    for (const Vertex& p : points.outline().points()) {
        const Vertex q = frame.toFrame(p);
        if (!std::isfinite(q.x) || !std::isfinite(q.y)) return false;
        if (first) {
            extent = {q.x, q.x, q.y, q.y};
            first = false;
            continue;
        }
        extent.minX = std::min(extent.minX, q.x);
        extent.maxX = std::max(extent.maxX, q.x);
        extent.minY = std::min(extent.minY, q.y);
        extent.maxY = std::max(extent.maxY, q.y);
    }
    return !first;
}

// The frame heights of the seam lines, highest first: lines lie at whole multiples of the pitch;
// the range is found by truncation toward zero with the 1 cm tolerance. When the origin lies
// more than one pitch beyond the ceiling the truncation gives one line too many on that side;
// the canvas measurement drops it. False when there would be more than kMaxSeamLines.
bool seamHeights(const Extent& extent, double pitch, std::vector<double>& heights) {
    const double e = pitch;
    const double r1 = std::fabs(e * std::trunc(extent.maxY / e) - extent.maxY);
    const double top = e * std::trunc((extent.maxY + (r1 > kSeamTolerance ? e : 0)) / e);
    const double r2 = std::fabs(e * std::trunc(extent.minY / e) - extent.minY);
    const double bottom = e * std::trunc((extent.minY - (r2 > kSeamTolerance ? e : 0)) / e);
    const double lowest = std::max(-kOriginLineSlack, bottom - kOriginLineSlack);

    // Count before generating: a pitch tiny against the outline must not allocate millions.
    const double estimate = (top - bottom) / e + 3;
    if (!(estimate <= kMaxSeamLines)) return false;
    heights.clear();
    for (int j = 0; top - j * e >= lowest; ++j) {
        if (static_cast<int>(heights.size()) >= kMaxSeamLines) return false;
        heights.push_back(top - j * e);
    }
    for (int j = 1; - j * e >= bottom; ++j) {
        if (static_cast<int>(heights.size()) >= kMaxSeamLines) return false;
        heights.push_back(-j * e);
    }
    return true;
}

// One edge of the outline or of a cutout, in the frame (rounded) and as stored.
struct Edge {
    Vertex start, end; // as stored in the working outline or the cutout
    Vertex frameStart, frameEnd;
};

void collectEdges(const LayoutPoints& points, const SeamFrame& frame, std::vector<Edge>& edges) {
    edges.clear();
    const auto addRing = [&](auto pointAt, int count) {
        for (int i = 0; i < count; ++i) {
            const Vertex& a = pointAt(i);
            const Vertex& b = pointAt((i + 1) % count);
            edges.push_back({a, b, rounded(frame.toFrame(a)), rounded(frame.toFrame(b))});
        }
    };
    const WorkingOutline& outline = points.outline();
    addRing([&](int i) -> const Vertex& { return outline.point(i); }, outline.count());
    if (points.cutoutPointCount() == 0) return;
    const TZHolesArray& cutouts = points.cutouts();
    for (int h = 0; h < cutouts.cutoutCount(); ++h) {
        const auto ring = cutouts.cutout(h);
        addRing([&](int i) -> const Vertex& { return ring[static_cast<std::size_t>(i)].point; },
                static_cast<int>(ring.size()));
    }
}

// The crossing of a seam line l1→l2 with an edge e1→e2 (all in the frame, rounded), or false.
bool seamCrossing(Vertex l1, Vertex l2, const Vertex& e1, const Vertex& e2, Vertex& at) {
    if (e1.y == l1.y && e2.y == l1.y) return false;                 // the edge lies on the line
    if (e1.x == e2.x && e1.x == l1.x && l1.x == l2.x) return false; // a line of no length
    if (l1.x <= l2.x) {
        l1.x -= kLineLengthening;
        l2.x += kLineLengthening;
    } else {
        l1.x += kLineLengthening;
        l2.x -= kLineLengthening;
    }
    const double h = (l2.y - l1.y) * (e2.x - e1.x) - (l2.x - l1.x) * (e2.y - e1.y);
    if (!(std::fabs(h) >= kParallelLimit)) return false;
    const double t = ((l2.x - l1.x) * (e1.y - l1.y) - (l2.y - l1.y) * (e1.x - l1.x)) / h;
    const double q = ((e1.y - l1.y) * (e2.x - e1.x) - (e1.x - l1.x) * (e2.y - e1.y)) / h;
    if (!(t >= kParameterLow && t <= kParameterHigh && q >= kParameterLow && q <= kParameterHigh))
        return false;
    at = makeVertex(e1.x + t * (e2.x - e1.x), e1.y + t * (e2.y - e1.y));
    // An edge of a cutout placed at an absurd distance gives no usable crossing.
    return std::isfinite(at.x) && std::isfinite(at.y);
}

// Every crossing of a seam line with an edge, edge by edge and line by line. False when there
// are more than kMaxCrossings.
bool collectCrossings(TZCeiling& doc, const LayoutPoints& points, const SeamFrame& frame) {
    doc.addPoints.clear();
    std::vector<Edge> edges;
    collectEdges(points, frame, edges);
    std::vector<Vertex> lineEnds; // rounded frame points, two per line
    lineEnds.reserve(static_cast<std::size_t>(doc.seamLines.count()));
    for (const Vertex& p : doc.seamLines)
        lineEnds.push_back(rounded(frame.toFrame(p)));
    // The measured vertices in the frame, by height, so that the few near a crossing are found
    // without walking them all.
    std::vector<std::pair<double, double>> measured;
    measured.reserve(static_cast<std::size_t>(doc.polygon.count()));
    for (const Vertex& v : doc.polygon) {
        const Vertex q = frame.toFrame(v);
        if (std::isfinite(q.x) && std::isfinite(q.y)) measured.emplace_back(q.y, q.x);
    }
    std::sort(measured.begin(), measured.end());
    const auto atMeasuredVertex = [&](const Vertex& at) {
        auto it = std::lower_bound(measured.begin(), measured.end(),
                                   std::make_pair(at.y - kVertexProximity, -HUGE_VAL));
        for (; it != measured.end() && it->first <= at.y + kVertexProximity; ++it)
            if (std::hypot(it->second - at.x, it->first - at.y) < kVertexProximity) return true;
        return false;
    };

    std::vector<TZAddPoint> found;
    for (const Edge& edge : edges) {
        // A line can only cross an edge within the edge's height (with the rounding's slack).
        const double low = std::min(edge.frameStart.y, edge.frameEnd.y) - kLineLengthening;
        const double high = std::max(edge.frameStart.y, edge.frameEnd.y) + kLineLengthening;
        for (std::size_t k = 0; k + 1 < lineEnds.size(); k += 2) {
            const Vertex& l1 = lineEnds[k];
            const Vertex& l2 = lineEnds[k + 1];
            if (std::max(l1.y, l2.y) < low || std::min(l1.y, l2.y) > high) continue;
            Vertex at;
            if (!seamCrossing(l1, l2, edge.frameStart, edge.frameEnd, at)) continue;
            if (atMeasuredVertex(at)) continue;
            if (static_cast<int>(found.size()) >= kMaxCrossings) return false;
            TZAddPoint& crossing = found.emplace_back();
            crossing.point = frame.fromFrame(at.x, at.y);
            crossing.edgeStart = edge.start;
            crossing.edgeEnd = edge.end;
            crossing.mark = 0;
        }
    }
    // Stored in one allocation: the list's growth step would copy thousands of crossings over
    // and over.
    if (!doc.addPoints.reserveForAppends(static_cast<int>(found.size()))) return false;
    for (const TZAddPoint& crossing : found)
        doc.addPoints.append(crossing);
    return true;
}

// Measures every canvas between neighbouring seam lines over the outline points and the
// crossings (turned about the drawing's origin). A line whose strip below holds no point is
// dropped; every other line but the last is trimmed to its canvas. Returns Σ length.
double measureCanvases(TZCeiling& doc, const LayoutPoints& points, const SeamFrame& frame,
                       double quantityWidth, double& quantity) {
    quantity = 0;
    doc.canvasLengths.clear();
    if (doc.seamLines.count() < 3) return 0;

    // (y′, x′) of every point that can widen a canvas, sorted by height.
    std::vector<std::pair<double, double>> turned;
    turned.reserve(static_cast<std::size_t>(points.outlineCount() + doc.addPoints.count()));
    for (const Vertex& p : points.outline().points()) {
        const Vertex q = frame.turnedBack(p);
        turned.emplace_back(q.y, q.x);
    }
    for (const TZAddPoint& a : doc.addPoints) {
        const Vertex q = frame.turnedBack(a.point);
        turned.emplace_back(q.y, q.x);
    }
    std::sort(turned.begin(), turned.end());

    std::vector<Vertex> kept;
    kept.reserve(static_cast<std::size_t>(doc.seamLines.count()));
    double total = 0;
    const int lines = doc.seamLines.count() / 2;
    // Each strip lies between two lines as generated: dropping the upper line of an empty strip
    // does not change which strip comes next.
    for (int i = 0; i + 1 < lines; ++i) {
        const Vertex& first = doc.seamLines.at(2 * i);
        const Vertex& second = doc.seamLines.at(2 * i + 1);
        const Vertex upper = frame.turnedBack(first);
        const double y1 = upper.y;
        const double y2 = frame.turnedBack(doc.seamLines.at(2 * i + 2)).y;
        const auto from =
            std::lower_bound(turned.begin(), turned.end(), std::make_pair(y2 - kStripTolerance, -HUGE_VAL));
        bool any = false;
        double minX = 0, maxX = 0;
        for (auto it = from; it != turned.end() && it->first <= y1 + kStripTolerance; ++it) {
            if (!any) {
                minX = maxX = it->second;
                any = true;
            } else {
                minX = std::min(minX, it->second);
                maxX = std::max(maxX, it->second);
            }
        }
        if (!any) continue; // the line goes
        const double length = maxX - minX;
        quantity += quantityWidth * length;
        total += length;
        doc.canvasLengths.append(length);
        kept.push_back(frame.turnedForth(minX, y1));
        kept.push_back(frame.turnedForth(maxX, frame.turnedBack(second).y));
    }
    // The last line stays as it was laid.
    kept.push_back(doc.seamLines.at(2 * (lines - 1)));
    kept.push_back(doc.seamLines.at(2 * (lines - 1) + 1));
    doc.seamLines.clear();
    doc.seamLines.reserveForAppends(static_cast<int>(kept.size()));
    for (const Vertex& v : kept)
        doc.seamLines.append(v);
    return total;
}

} // namespace

bool materialWithTension(const TZCeiling& doc) {
    return doc.settings() != nullptr ? doc.settings()->materialWithTension
                                     : AppSettings{}.materialWithTension;
}

LayoutOutcome layoutCanvases(TZCeiling& doc, const Material& material, bool quiet, bool withTension) {
    doc.takeSnapshot();
    const double width = material.width;
    if (doc.seamFrom < 0 || doc.seamTo < 0 || !(width > 0)) return LayoutOutcome::NotStarted;
    doc.seamLines.clear();
    doc.editor.hoverCanvas = -1;

    LayoutPoints points;
    points.build(doc);
    if (points.outlineCount() == 0) return nothingLaidOut(doc, quiet, LayoutOutcome::NoCanvases, nullptr);
    const auto frame = seamFrame(doc, points);
    if (!frame) return LayoutOutcome::SeamNotFound;

    // The pitch e sets the seams on the drawing; the quantity width a counts the material, with
    // the fabric's own tension whatever the tension across the canvases is.
    const double k = material.tensionCoef;
    const double usable = width - doc.seamWidth;
    const double pitch = usable / (doc.tensionY > 0 ? doc.tensionY : k);
    const double quantityWidth = usable / k;
    doc.seamLineStart = frame->lineStart;
    doc.seamLineEnd = frame->lineEnd;
    // No pitch (the seam allowance takes the whole roll) or no usable tension (a fabric does not
    // stretch by 0 or less; with a separate tension across the canvases a negative one would
    // still give seams but a negative quantity): no seams can be laid.
    if (!(pitch > 0) || !std::isfinite(pitch) || !(quantityWidth > 0) || !std::isfinite(quantityWidth))
        return nothingLaidOut(doc, quiet, LayoutOutcome::NoCanvases, nullptr);

    Extent extent;
    if (!frameExtent(points, *frame, extent))
        return nothingLaidOut(doc, quiet, LayoutOutcome::NoCanvases, nullptr);
    std::vector<double> heights;
    if (!seamHeights(extent, pitch, heights))
        return nothingLaidOut(doc, quiet, LayoutOutcome::TooManySeams, kTooManySeamsMessage);
    doc.seamLines.reserveForAppends(2 * static_cast<int>(heights.size()));
    for (double y : heights) {
        doc.seamLines.append(frame->fromFrame(extent.minX, y));
        doc.seamLines.append(frame->fromFrame(extent.maxX, y));
    }

    if (!collectCrossings(doc, points, *frame))
        return nothingLaidOut(doc, quiet, LayoutOutcome::TooManyCrossings, kTooManyCrossingsMessage);

    double quantity = 0;
    doc.canvasLengthTotal = measureCanvases(doc, points, *frame, quantityWidth, quantity);
    // Only absurd numbers (a roll of 1e300 cm) overflow; no quantity can be stored for them.
    if (!std::isfinite(quantity) || !std::isfinite(doc.canvasLengthTotal))
        return nothingLaidOut(doc, quiet, LayoutOutcome::NoCanvases, nullptr);

    doc.materialQuantity = std::fabs(quantity) / kSquareCentimetresPerSquareMetre;
    doc.offcuts = (doc.materialQuantity - netArea(doc)) * material.offcutPriceCoef;
    if (withTension) {
        const double kY = doc.tensionY > 0 ? doc.tensionY : k;
        doc.materialQuantity *= kY * k;
        doc.offcuts *= kY * k;
    }
    if (!quiet) doc.refreshFigures();
    return LayoutOutcome::LaidOut;
}

} // namespace tenzora
