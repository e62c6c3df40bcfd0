#pragma once
// A busy drawing for the painting benchmarks and the sample pictures: a 92-vertex room with 20
// constructions of every kind, 10 cutouts and a cutting layout of 12 canvases with its seam
// crossings, laid out the way the cutting layout lays them (seams parallel to side AB).
// Header-only, so that the benchmarks can use it without the test support library.

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "model/ceiling.h"
#include "model/cutouts.h"
#include "model/geometry.h"
#include "model/working_outline.h"

namespace tenzora {

namespace paintingScene {

inline constexpr int kVertices = 92;
inline constexpr int kConstructions = 20;
inline constexpr int kCutouts = 10;
inline constexpr int kCanvases = 12;

// A clockwise room: a large rounded rectangle with a saw-tooth wall, turned a little so that
// the seams are not parallel to the axes.
inline void room(TZCeiling& doc) {
    doc.polygon.clear();
    doc.diagonals.clear();
    for (int i = 0; i < kVertices; ++i) {
        const double a = 2 * kPi * i / kVertices + 0.3;
        const double r = 600 + (i % 2) * 15;
        doc.polygon.append(makeVertex(r * std::cos(a) * 1.4, r * std::sin(a)));
    }
    doc.polygon.defined = true;
    for (int i = 0; i < kVertices; ++i) {
        Diagonal d;
        d.a = i;
        d.b = (i + 1) % kVertices;
        d.isSide = 1;
        d.length = distance(doc.polygon.at(d.a), doc.polygon.at(d.b)) + (i % 7 == 0 ? 0.4 : 0.0);
        doc.diagonals.append(d);
    }
    for (int i = 2; i < kVertices; i += 9) {
        Diagonal d;
        d.a = 0;
        d.b = i;
        d.length = distance(doc.polygon.at(0), doc.polygon.at(i));
        doc.diagonals.append(d);
    }
}

inline TZDop construction(TZDopKind kind, int v1, int v2, double depth) {
    TZDop d;
    d.kind = static_cast<std::int32_t>(kind);
    d.vertex1 = v1;
    d.vertex2 = v2;
    d.distance1 = 5;
    d.distance2 = 5;
    d.depth = depth;
    d.depth2 = depth / 2;
    d.extraPoints = kind == TZDopKind::Bend ? 5 : 7;
    return d;
}

inline void furnish(TZCeiling& doc) {
    const TZDopKind kinds[] = {TZDopKind::Rectangle, TZDopKind::Arc, TZDopKind::CornerCut,
                               TZDopKind::Trapezoid, TZDopKind::Bend};
    for (int k = 0; k < kConstructions; ++k) {
        const int v = 4 * k + 2 * (k / 5) + 2;
        const TZDopKind kind = kinds[k % 5];
        const int v2 = kind == TZDopKind::Bend ? v + 3 : v + 1;
        doc.dops.append(construction(kind, v, v2, k % 2 ? 10 : -10));
    }
    for (int h = 0; h < kCutouts; ++h) {
        TZHole hole;
        hole.type = static_cast<std::int32_t>(h % 2 ? TZHoleType::Circle : TZHoleType::Rectangle);
        hole.mode = static_cast<std::int32_t>(h % 2 ? TZHoleMode::Centre : TZHoleMode::TwoAdjacentPoints);
        hole.size1 = 40;
        for (int r = 0; r < 2; ++r) {
            TZHoleDiagonal row;
            row.vertex1 = 10 * h + r;
            row.vertex2 = 10 * h + 40 + r;
            row.distance1 = 500;
            row.distance2 = 520 + 10 * r;
            hole.rows.append(row);
        }
        doc.holes.append(hole);
    }
    doc.showConstructions = true;
}

// Seam lines parallel to AB, 12 canvases across the room, each line trimmed to the room's extent
// in the strip below it, and the crossings of the lines with the outline.
inline void layOut(TZCeiling& doc) {
    WorkingOutline outline;
    buildWorkingOutline(doc, true, outline);
    const Vertex o = outline.point(0);
    const Vertex b = outline.point(1);
    const double theta = std::atan2(b.y - o.y, b.x - o.x);
    const double c = std::cos(theta), s = std::sin(theta);
    const auto turned = [&](const Vertex& p) {
        return makeVertex((p.x - o.x) * c + (p.y - o.y) * s, -(p.x - o.x) * s + (p.y - o.y) * c);
    };
    const auto back = [&](double x, double y) {
        return makeVertex(o.x + x * c - y * s, o.y + x * s + y * c);
    };
    std::vector<Vertex> pts;
    for (const Vertex& p : outline.points())
        pts.push_back(turned(p));
    double minY = std::numeric_limits<double>::max(), maxY = -minY;
    for (const Vertex& p : pts) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const double pitch = (maxY - minY) / kCanvases;
    doc.seamLines.clear();
    doc.addPoints.clear();
    for (int k = 0; k <= kCanvases; ++k) {
        const double y = maxY - k * pitch;
        const double below = std::max(y - pitch, minY) - 0.05;
        const double above = k == kCanvases ? y + pitch : y + 0.05;
        double lo = std::numeric_limits<double>::max(), hi = -lo;
        for (const Vertex& p : pts)
            if (p.y >= (k == kCanvases ? y - 0.05 : below) && p.y <= above) {
                lo = std::min(lo, p.x);
                hi = std::max(hi, p.x);
            }
        doc.seamLines.append(back(lo, y));
        doc.seamLines.append(back(hi, y));
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const Vertex& p = pts[i];
            const Vertex& q = pts[(i + 1) % pts.size()];
            if ((p.y > y) == (q.y > y) || p.y == q.y) continue;
            const double t = (y - p.y) / (q.y - p.y);
            TZAddPoint a;
            a.point = back(p.x + t * (q.x - p.x), y);
            a.edgeStart = outline.point(static_cast<int>(i));
            a.edgeEnd = outline.point(static_cast<int>((i + 1) % pts.size()));
            doc.addPoints.append(a);
        }
    }
    doc.seamFrom = 0;
    doc.seamTo = 1;
}

// The whole scene, in the cutting layout display with every switch of the drawing on.
inline void build(TZCeiling& doc) {
    room(doc);
    furnish(doc);
    layOut(doc);
    doc.editor.mode = kModeCutting;
    doc.outlineFormed = true;
    doc.view.showPointNames = doc.view.showLengths = doc.view.showAngles = doc.view.showCanvasDistances =
        true;
}

} // namespace paintingScene

} // namespace tenzora
