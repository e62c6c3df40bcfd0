#include "output/cad_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "cutting/canvas_pieces.h"
#include "cutting/layout_points.h"
#include "editor/corner_labels.h"
#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/geometry.h"
#include "model/measurements.h"
#include "model/names.h"
#include "model/records.h"
#include "model/settings.h"

namespace tenzora {

namespace {

// Texts are sized to the room: a sixtieth of its larger side, within these bounds (cm).
constexpr double kTextShare = 1.0 / 60;
constexpr double kSmallestText = 1.0;
constexpr double kLargestText = 200.0;
// Point names are a little larger than the lengths, as on the screen.
constexpr double kNameFactor = 1.3;
// A segment shorter than this (cm) gets no length text.
constexpr double kShortestLabelled = 0.5;
// A length text stands this share of its height above its line.
constexpr double kTextLift = 0.25;
// Canvas numbers on the roll: an eighth of the roll width, within these bounds (cm).
constexpr double kRollNumberShare = 1.0 / 8;
constexpr double kRollNumberLargest = 40.0;
constexpr double kRollNumberSmallest = 2.0;

constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

bool finite(const Vertex& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// The drawing's point with the y axis turned up.
Vertex up(const Vertex& p) {
    return makeVertex(p.x, -p.y);
}

void addPolyline(CadDrawing& d, CadLayer layer, std::vector<Vertex> points, bool closed) {
    points.erase(std::remove_if(points.begin(), points.end(), [](const Vertex& p) { return !finite(p); }),
                 points.end());
    if (points.size() < 2) return;
    d.lines.push_back({layer, std::move(points), closed});
}

void addText(CadDrawing& d, CadLayer layer, const Vertex& at, double height, double angle,
             std::wstring text) {
    if (!finite(at) || text.empty()) return;
    d.texts.push_back({layer, at, height, angle, std::move(text)});
}

// A length written along the segment p→q (both with y up), never upside down, just above it.
void addAlong(CadDrawing& d, const Vertex& p, const Vertex& q, double height, std::wstring text) {
    const double dx = q.x - p.x, dy = q.y - p.y;
    const double length = std::hypot(dx, dy);
    if (!(length > 0) || !std::isfinite(length)) return;
    double angle = std::atan2(dy, dx) * kDegreesPerRadian;
    if (angle > 90) angle -= 180;
    if (angle <= -90) angle += 180;
    // Lifted along the text's own up direction.
    const double nx = -std::sin(angle / kDegreesPerRadian), ny = std::cos(angle / kDegreesPerRadian);
    const Vertex at =
        makeVertex((p.x + q.x) / 2 + nx * height * kTextLift, (p.y + q.y) / 2 + ny * height * kTextLift);
    addText(d, CadLayer::Dimensions, at, height, angle, std::move(text));
}

double textHeightFor(const LayoutPoints& list) {
    double minX = HUGE_VAL, maxX = -HUGE_VAL, minY = HUGE_VAL, maxY = -HUGE_VAL;
    for (const Vertex& p : list.outline().points()) {
        if (!finite(p)) continue;
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const double span = std::max(maxX - minX, maxY - minY);
    if (!std::isfinite(span)) return kSmallestText;
    return std::clamp(span * kTextShare, kSmallestText, kLargestText);
}

void addOutlines(CadDrawing& d, TZCeiling& doc, const LayoutPoints& list, double height) {
    std::vector<Vertex> measured;
    for (const Vertex& v : doc.polygon)
        measured.push_back(up(v));
    addPolyline(d, CadLayer::MeasuredOutline, std::move(measured), doc.polygon.defined);

    const WorkingOutline& outline = list.outline();
    const int n = outline.count();
    std::vector<Vertex> working;
    for (const Vertex& p : outline.points())
        working.push_back(up(p));
    addPolyline(d, CadLayer::WorkingOutline, working, doc.polygon.defined);
    const std::span<const Vertex> folds = outline.foldLines();
    for (std::size_t k = 0; k + 1 < folds.size(); k += 2)
        addPolyline(d, CadLayer::WorkingOutline, {up(folds[k]), up(folds[k + 1])}, false);

    // The length of every segment: a side's as the drawing writes it, a construction's drawn one.
    const int segments = n < 2 ? 0 : (doc.polygon.defined ? n : n - 1);
    for (int i = 0; i < segments; ++i) {
        const int j = (i + 1) % n;
        const TZDopPoint& ea = outline.entry(i);
        const TZDopPoint& eb = outline.entry(j);
        const int record =
            (!ea.owned() && !eb.owned()) ? findDiagonal(doc, ea.measuredVertex, eb.measuredVertex) : -1;
        const Diagonal* side = doc.diagonals.checkedAt(record);
        const double length = distance(outline.point(i), outline.point(j));
        if (side != nullptr)
            addAlong(d, working[static_cast<std::size_t>(i)], working[static_cast<std::size_t>(j)], height,
                     lengthText(doc, side, false));
        else if (length > kShortestLabelled)
            addAlong(d, working[static_cast<std::size_t>(i)], working[static_cast<std::size_t>(j)], height,
                     formatNumber(length, 1));
    }
    // Point names outside their corners.
    for (int i = 0; i < n; ++i) {
        const Vertex& p = outline.point(i);
        const Vertex label = cornerLabelPoint(p, outline.point((i + n - 1) % n), outline.point((i + 1) % n),
                                              height * kNameFactor, LabelSide::Outside);
        // The label point is the middle of the name; the base line lies half a height below it.
        const Vertex base = up(makeVertex(label.x, label.y + height * kNameFactor / 2));
        addText(d, CadLayer::Labels, base, height * kNameFactor, 0, vertexName(i));
    }
}

void addCutouts(CadDrawing& d, const LayoutPoints& list, double height) {
    const TZHolesArray& cutouts = list.cutouts();
    if (list.cutoutPointCount() == 0) return;
    for (int h = 0; h < cutouts.cutoutCount(); ++h) {
        std::vector<Vertex> ring;
        for (const TZHolePoint& p : cutouts.cutout(h))
            ring.push_back(up(p.point));
        for (std::size_t i = 0; i < ring.size() && ring.size() >= 2; ++i) {
            const Vertex& a = ring[i];
            const Vertex& b = ring[(i + 1) % ring.size()];
            const double length = std::hypot(b.x - a.x, b.y - a.y);
            if (length > kShortestLabelled) addAlong(d, a, b, height, formatNumber(length, 1));
        }
        addPolyline(d, CadLayer::Cutouts, std::move(ring), true);
    }
}

void addDiagonals(CadDrawing& d, TZCeiling& doc, double height) {
    for (int k = 0; k < doc.diagonals.count(); ++k) {
        const Diagonal& record = doc.diagonals.at(k);
        if (isSideRecord(doc, record) || !(record.length > 0)) continue;
        const Vertex* a = doc.polygon.checkedAt(record.a);
        const Vertex* b = doc.polygon.checkedAt(record.b);
        // Corners removed by a corner cut take their diagonals with them.
        if (a == nullptr || b == nullptr || a->placed || b->placed) continue;
        addPolyline(d, CadLayer::Diagonals, {up(*a), up(*b)}, false);
        addAlong(d, up(*a), up(*b), height, lengthText(doc, &record, false));
    }
}

// The seam lines, and each canvas between two neighbouring lines as the layout display draws it:
// in the frame where the seams run along x, from the ends of its upper line down to the height
// of its lower line.
void addLayout(CadDrawing& d, TZCeiling& doc, const LayoutPoints& list, double height) {
    const TZStaticArray<Vertex>& lines = doc.seamLines;
    for (int k = 0; k + 1 < lines.count(); k += 2)
        addPolyline(d, CadLayer::Seams, {up(lines.at(k)), up(lines.at(k + 1))}, false);
    const auto frame = seamFrame(doc, list);
    if (!frame || lines.count() < 4) return;
    for (int k = 0; k + 3 < lines.count(); k += 2) {
        const Vertex a = frame->turnedBack(lines.at(k));
        const Vertex b = frame->turnedBack(lines.at(k + 1));
        const double belowB = frame->turnedBack(lines.at(k + 3)).y;
        const double belowA = frame->turnedBack(lines.at(k + 2)).y;
        std::vector<Vertex> quad{up(frame->turnedForth(a.x, a.y)), up(frame->turnedForth(b.x, b.y)),
                                 up(frame->turnedForth(b.x, belowB)), up(frame->turnedForth(a.x, belowA))};
        const Vertex middle = up(frame->turnedForth((a.x + b.x) / 2, (a.y + b.y + belowA + belowB) / 4));
        addText(d, CadLayer::Labels, middle, height * kNameFactor, 0, std::to_wstring(k / 2 + 1));
        addPolyline(d, CadLayer::Canvases, std::move(quad), true);
    }
}

using EdgeKey = std::array<double, 4>;

EdgeKey keyOf(const Vertex& a, const Vertex& b) {
    return {a.x, a.y, b.x, b.y};
}

} // namespace

const char* cadLayerName(CadLayer layer) {
    switch (layer) {
    case CadLayer::MeasuredOutline:
        return "MEASURED_OUTLINE";
    case CadLayer::WorkingOutline:
        return "WORKING_OUTLINE";
    case CadLayer::Cutouts:
        return "CUTOUTS";
    case CadLayer::Diagonals:
        return "DIAGONALS";
    case CadLayer::Seams:
        return "SEAMS";
    case CadLayer::Canvases:
        return "CANVASES";
    case CadLayer::Dimensions:
        return "DIMENSIONS";
    case CadLayer::Labels:
        return "LABELS";
    case CadLayer::RollEdges:
        return "ROLL_EDGES";
    }
    return "0";
}

int cadLayerColour(CadLayer layer) {
    switch (layer) {
    case CadLayer::MeasuredOutline:
        return 8; // grey
    case CadLayer::WorkingOutline:
        return 7; // black on white, white on black
    case CadLayer::Cutouts:
        return 5; // blue
    case CadLayer::Diagonals:
        return 3; // green
    case CadLayer::Seams:
        return 6; // magenta
    case CadLayer::Canvases:
        return 3;
    case CadLayer::Dimensions:
        return 7;
    case CadLayer::Labels:
        return 1; // red
    case CadLayer::RollEdges:
        return 8;
    }
    return 7;
}

std::size_t CadDrawing::pointCount() const {
    std::size_t count = texts.size();
    for (const CadPolyline& line : lines)
        count += line.points.size();
    return count;
}

double CadDrawing::extent() const {
    double largest = 0;
    const auto take = [&](const Vertex& p) { largest = std::max({largest, std::fabs(p.x), std::fabs(p.y)}); };
    for (const CadPolyline& line : lines)
        for (const Vertex& p : line.points)
            take(p);
    for (const CadText& text : texts)
        take(text.at);
    return largest;
}

CadDrawing roomCadDrawing(TZCeiling& doc) {
    CadDrawing d;
    d.layers = {CadLayer::MeasuredOutline, CadLayer::WorkingOutline, CadLayer::Cutouts,
                CadLayer::Diagonals,       CadLayer::Seams,          CadLayer::Canvases,
                CadLayer::Dimensions,      CadLayer::Labels};
    LayoutPoints list;
    list.build(doc);
    const double height = textHeightFor(list);
    addOutlines(d, doc, list, height);
    addCutouts(d, list, height);
    addDiagonals(d, doc, height);
    addLayout(d, doc, list, height);
    return d;
}

std::vector<std::vector<int>> pieceRings(TZCeiling& doc, const CanvasPiece& piece) {
    LayoutPoints list;
    list.build(doc);
    const int m = list.count();
    // Where each point of the combined list stands in the piece, and the piece's crossings by
    // the edge they cross.
    std::vector<int> position(static_cast<std::size_t>(m), -1);
    std::map<EdgeKey, std::vector<int>> crossings;
    for (std::size_t p = 0; p < piece.indexes.size() && p < piece.points.size(); ++p) {
        const int index = piece.indexes[p];
        if (index >= 0 && index < m) {
            if (position[static_cast<std::size_t>(index)] < 0)
                position[static_cast<std::size_t>(index)] = static_cast<int>(p);
        } else if (index >= m && index - m < doc.addPoints.count()) {
            const TZAddPoint& a = doc.addPoints.at(index - m);
            crossings[keyOf(a.edgeStart, a.edgeEnd)].push_back(static_cast<int>(p));
        }
    }
    std::vector<bool> used(piece.points.size(), false);
    std::vector<std::pair<int, int>> ranges{{0, list.outlineCount()}};
    if (list.cutoutPointCount() > 0) {
        int first = list.outlineCount();
        for (int h = 0; h < list.cutouts().cutoutCount(); ++h) {
            ranges.emplace_back(first, list.cutouts().pointCount(h));
            first += list.cutouts().pointCount(h);
        }
    }

    std::vector<std::vector<int>> rings;
    std::vector<std::pair<double, int>> along;
    for (const auto& [first, count] : ranges) {
        std::vector<int> ring;
        for (int t = 0; t < count; ++t) {
            const int i = first + t;
            const int j = first + (t + 1) % count;
            const int own = position[static_cast<std::size_t>(i)];
            if (own >= 0 && !used[static_cast<std::size_t>(own)]) {
                used[static_cast<std::size_t>(own)] = true;
                ring.push_back(own);
            }
            const Vertex& a = list.point(i);
            const Vertex& b = list.point(j);
            along.clear();
            for (const EdgeKey& key : {keyOf(a, b), keyOf(b, a)}) {
                const auto found = crossings.find(key);
                if (found == crossings.end()) continue;
                for (int p : found->second) {
                    if (used[static_cast<std::size_t>(p)]) continue;
                    used[static_cast<std::size_t>(p)] = true;
                    const Vertex& at = doc.addPoints.at(piece.indexes[static_cast<std::size_t>(p)] - m).point;
                    along.emplace_back(std::hypot(at.x - a.x, at.y - a.y), p);
                }
            }
            std::sort(along.begin(), along.end());
            for (const auto& entry : along)
                ring.push_back(entry.second);
        }
        if (ring.size() >= 3) rings.push_back(std::move(ring));
    }
    return rings;
}

bool cuttingDisplayMirrored(const AppSettings& settings) {
    return settings.flipCutting && !settings.dealerMode;
}

CanvasRoll canvasRoll(TZCeiling& doc, bool mirrored) {
    CanvasRoll roll;
    roll.mirrored = mirrored;
    roll.width = doc.material.width;
    const double k = doc.material.tensionCoef;
    double at = 0;
    for (const CanvasPiece& piece : canvasPieces(doc)) {
        if (piece.points.empty()) continue;
        const std::vector<std::vector<int>> rings = pieceRings(doc, piece);
        if (rings.empty()) continue;
        RollPiece placed;
        placed.number = piece.number;
        placed.start = at;
        for (const Vertex& p : piece.points)
            if (std::isfinite(k * p.x)) placed.length = std::max(placed.length, k * p.x);
        for (const std::vector<int>& ring : rings) {
            std::vector<Vertex> points;
            for (int p : ring) {
                const Vertex& v = piece.points[static_cast<std::size_t>(p)];
                // Fabric coordinates: along the piece from its end, across from its upper seam.
                const double u = k * v.x, w = k * v.y;
                const Vertex onRoll = makeVertex(at + (mirrored ? u : placed.length - u), w);
                // A point of an absurd layout that cannot be placed is left out, not cut.
                if (finite(onRoll)) points.push_back(onRoll);
            }
            if (points.size() < 3) continue;
            placed.pointCount += static_cast<int>(points.size());
            placed.rings.push_back(std::move(points));
        }
        if (placed.rings.empty()) continue;
        at += placed.length + kRollPieceGap;
        roll.pieces.push_back(std::move(placed));
    }
    roll.length = roll.pieces.empty() ? 0 : at - kRollPieceGap;
    return roll;
}

CadDrawing rollCadDrawing(const CanvasRoll& roll) {
    CadDrawing d;
    d.layers = {CadLayer::Canvases, CadLayer::Labels, CadLayer::RollEdges};
    const double height = std::clamp(std::isfinite(roll.width) ? roll.width * kRollNumberShare : 0,
                                     kRollNumberSmallest, kRollNumberLargest);
    for (const RollPiece& piece : roll.pieces) {
        double low = HUGE_VAL, high = -HUGE_VAL;
        for (const std::vector<Vertex>& ring : piece.rings) {
            for (const Vertex& p : ring) {
                low = std::min(low, p.y);
                high = std::max(high, p.y);
            }
            addPolyline(d, CadLayer::Canvases, ring, true);
        }
        addText(d, CadLayer::Labels,
                makeVertex(piece.start + piece.length / 2, (low + high) / 2 - height / 2), height, 0,
                std::to_wstring(piece.number));
    }
    if (!roll.pieces.empty()) {
        addPolyline(d, CadLayer::RollEdges, {makeVertex(0, 0), makeVertex(roll.length, 0)}, false);
        addPolyline(d, CadLayer::RollEdges, {makeVertex(0, roll.width), makeVertex(roll.length, roll.width)},
                    false);
    }
    return d;
}

} // namespace tenzora
