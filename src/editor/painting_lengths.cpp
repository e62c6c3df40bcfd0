// Steps 7 and 8 of the painting routine: sides, lengths, corner angles, cutout outlines,
// diagonals and the measurement lines of the cutouts.

#include <cmath>

#include "editor/corner_labels.h"
#include "editor/drawing_text.h"
#include "editor/painting_scene.h"
#include "model/ceiling.h"
#include "model/cutouts.h"
#include "model/formatting.h"
#include "model/geometry.h"
#include "model/measurements.h"
#include "model/records.h"

namespace tenzora {

namespace painting {
namespace {

constexpr Color kScreenUnmeasured = kGreen;
constexpr Color kScreenMeasured = kBlue;
constexpr Color kPaperUnmeasured{110, 110, 110};
constexpr Color kPaperMeasured{80, 80, 80};
// A segment shorter than this (cm) gets no length text.
constexpr double kShortestLabelled = 0.5;
// A record whose drawn length is off its measured one by no more than this (cm) is not marked.
constexpr double kDeviationTolerance = 0.001;
constexpr int kSidePen = 3;
constexpr int kMarkedSidePen = 5;
constexpr int kMarkedDiagonalPen = 2;
constexpr int kLengthFont = 11;
constexpr int kAngleFont = 9;

// The record whose drawn length deviates most from its measured length (−1 for none above the
// tolerance; the first of equals).
int mostDeviatingRecord(const TZCeiling& doc) {
    int worst = -1;
    double largest = kDeviationTolerance;
    for (int k = 0; k < doc.diagonals.count(); ++k) {
        const Diagonal& d = doc.diagonals.at(k);
        if (!(d.length > 0)) continue;
        const double deviation = std::fabs(actualLength(doc, d) - d.length);
        if (deviation > largest) {
            largest = deviation;
            worst = k;
        }
    }
    return worst;
}

// The drawn length is off the measured one by more than the accuracy class.
bool beyondAccuracy(const TZCeiling& doc, const Diagonal& d) {
    return d.length > 0 && std::fabs(d.length - actualLength(doc, d)) / d.length > doc.accuracyClass;
}

double degreesInTurn(double degrees) {
    degrees = std::fmod(degrees, 360.0);
    return degrees < 0 ? degrees + 360.0 : degrees;
}

// The corner at `at` as drawn: the direction to the previous point less the direction to the
// next one, in whole degrees (the rule of the corner angles of the measurements).
std::wstring cornerText(Point previous, Point at, Point next) {
    const auto towards = [&](Point p) {
        return degreesInTurn(direction(static_cast<double>(p.x) - at.x, static_cast<double>(p.y) - at.y) *
                             180.0 / kPi);
    };
    return formatNumber(degreesInTurn(towards(previous) - towards(next)), 0) + L"°";
}

void writeAlong(Scene& s, const Vertex& p, const Vertex& q, std::wstring_view text, Color color) {
    const Font font =
        boldLabelFont(s.fontHeight(kLengthFont), escapementTruncated(textAngle(p, q, s.frame.mirrored)));
    writeLabel(s.surface, middleOf(s.transform, p, q), text, font, color);
}

Color sideColor(const Scene& s, bool measured) {
    if (s.screen) return measured ? kScreenMeasured : kScreenUnmeasured;
    return measured ? kPaperMeasured : kPaperUnmeasured;
}

void paintCutoutOutlines(Scene& s, bool lengths) {
    const DrawingCache& c = s.cache;
    s.surface.setPen(solidPen(s.pen(kSidePen), s.screen ? kBlue : kTextGrey));
    std::size_t start = 0;
    for (int h = 0; h < c.holes.cutoutCount(); ++h) {
        const std::size_t n = static_cast<std::size_t>(c.holes.pointCount(h));
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t a = start + i, b = start + (i + 1) % n;
            s.surface.line(c.holesOutput[a], c.holesOutput[b]);
            if (!lengths) continue;
            const double length = distance(c.holesShown[a], c.holesShown[b]);
            if (length > kShortestLabelled)
                writeAlong(s, c.holesShown[a], c.holesShown[b], formatNumber(length, 1), kTextGrey);
        }
        start += n;
    }
}

// The measurement lines of the cutout rows: from each row's two working-outline points to the
// cutout point the row locates, each labelled with its length.
void paintCutoutRows(Scene& s) {
    const DrawingCache& c = s.cache;
    const Pen pen{PenStyle::Dot, s.pen(1), kGreen};
    const std::span<const Vertex> room = pointsOf(s.doc.polygon);
    for (int h = 0; h < s.doc.holes.count() && h < c.holes.cutoutCount(); ++h) {
        const TZHole& hole = s.doc.holes.at(h);
        const auto points = c.holes.cutout(h);
        const bool round = hole.type == static_cast<std::int32_t>(TZHoleType::Circle) ||
                           hole.type == static_cast<std::int32_t>(TZHoleType::Ellipse);
        // A circle or an ellipse is measured by its first row alone; an ellipse's second row
        // holds its second diameter and orientation, not distances.
        const int rows = round ? std::min(1, hole.rows.count()) : hole.rows.count();
        for (int r = 0; r < rows && r < static_cast<int>(points.size()); ++r) {
            const TZHoleDiagonal& row = hole.rows.at(r);
            if (!c.outline.valid(row.vertex1) || !c.outline.valid(row.vertex2)) break;
            const Vertex& a = c.outline.point(row.vertex1);
            const Vertex& b = c.outline.point(row.vertex2);
            const Vertex target = round ? locatePoint(a, row.distance1, b, row.distance2, room)
                                        : points[static_cast<std::size_t>(r)].point;
            for (const Vertex* from : {&a, &b}) {
                const Vertex p = s.frame.toDisplay(*from);
                const Vertex q = s.frame.toDisplay(target);
                s.surface.setPen(pen);
                s.surface.line(s.out(p), s.out(q));
                const double length = distance(p, q);
                if (length > kShortestLabelled) writeAlong(s, p, q, formatNumber(length, 1), kTextGrey);
            }
        }
    }
}

} // namespace

void paintSides(Scene& s) {
    const DrawingCache& c = s.cache;
    const TZCeiling& doc = s.doc;
    const int n = c.outline.count();
    const bool lengths = s.lengthsShown();
    const int worst = mostDeviatingRecord(doc);
    // An outline still being entered is open: its closing segment is not a side yet.
    const int segments = n < 2 ? 0 : (doc.polygon.defined ? n : n - 1);
    const double labelRadius = cornerLabelRadius(doc.view.scaleX, doc.printing);
    const Font angleFont = boldLabelFont(s.fontHeight(kAngleFont));
    const std::int32_t angleZero = zeroHeightOf(s.surface, angleFont);
    s.surface.setBrush(kNoBrush);
    for (int i = 0; i < segments; ++i) {
        const int j = (i + 1) % n;
        const TZDopPoint& ea = c.outline.entry(i);
        const TZDopPoint& eb = c.outline.entry(j);
        const int record =
            (!ea.owned() && !eb.owned()) ? findDiagonal(doc, ea.measuredVertex, eb.measuredVertex) : -1;
        const Diagonal* d = doc.diagonals.checkedAt(record);
        const bool measured = d != nullptr && d->length > 0;
        Pen pen = solidPen(s.pen(kSidePen), sideColor(s, measured));
        if (s.screen && d != nullptr) {
            if (doc.markSides && doc.outlineFormed && beyondAccuracy(doc, *d))
                pen = solidPen(s.pen(kMarkedSidePen), kRed);
            if (record == doc.editor.currentDiagonal) pen.color = kRed;
        }
        s.surface.setPen(pen);
        s.surface.line(c.outlineOutput[static_cast<std::size_t>(i)],
                       c.outlineOutput[static_cast<std::size_t>(j)]);
        if (!lengths) continue;

        const Vertex& p = c.outlineShown[static_cast<std::size_t>(i)];
        const Vertex& q = c.outlineShown[static_cast<std::size_t>(j)];
        if (doc.view.showAngles) {
            const int before = (i + n - 1) % n;
            const std::wstring angle = cornerText(c.outlineOutput[static_cast<std::size_t>(before)],
                                                  c.outlineOutput[static_cast<std::size_t>(i)],
                                                  c.outlineOutput[static_cast<std::size_t>(j)]);
            const Vertex label = cornerLabelPoint(p, c.outlineShown[static_cast<std::size_t>(before)], q,
                                                  labelRadius, LabelSide::Inside);
            writeCornerLabel(s.surface, s.transform, label, angleZero, angle, angleFont, kBlack);
        }
        if (d != nullptr) {
            writeAlong(s, p, q, lengthText(doc, d, false), record == worst ? kRed : kBlack);
        } else {
            // A segment a construction made: its drawn length.
            const double length = distance(p, q);
            if (length > kShortestLabelled) writeAlong(s, p, q, formatNumber(length, 1), kBlack);
        }
    }
    paintCutoutOutlines(s, lengths);
}

void paintDiagonals(Scene& s) {
    if (s.frame.layoutDisplay || !(s.purpose == 0 || s.purpose == 1 || s.purpose == 6)) return;
    const TZCeiling& doc = s.doc;
    const int worst = mostDeviatingRecord(doc);
    const bool lengths = doc.view.showLengths && (s.purpose == 0 || s.purpose == 6);
    for (int k = 0; k < doc.diagonals.count(); ++k) {
        const Diagonal& d = doc.diagonals.at(k);
        if (isSideRecord(doc, d)) continue;
        const bool measured = d.length > 0;
        if (!measured && k != doc.editor.currentDiagonal) continue;
        const Vertex* a = doc.polygon.checkedAt(d.a);
        const Vertex* b = doc.polygon.checkedAt(d.b);
        // Corners removed by a corner cut take their diagonals with them.
        if (a == nullptr || b == nullptr || a->placed || b->placed) continue;
        Pen pen{PenStyle::Dot, s.pen(1), sideColor(s, measured)};
        if (s.screen && k == doc.editor.currentDiagonal) pen.color = kRed;
        if (doc.markDiagonals && doc.outlineFormed && beyondAccuracy(doc, d))
            pen = {PenStyle::Dot, s.pen(kMarkedDiagonalPen), kRed};
        s.surface.setPen(pen);
        const Vertex p = s.frame.toDisplay(*a);
        const Vertex q = s.frame.toDisplay(*b);
        s.surface.line(s.out(p), s.out(q));
        if (lengths && measured) writeAlong(s, p, q, lengthText(doc, &d, false), k == worst ? kRed : kBlack);
    }
    if (s.screen && doc.view.showLengths && s.cache.holes.cutoutCount() > 0) paintCutoutRows(s);
}

} // namespace painting

} // namespace tenzora
