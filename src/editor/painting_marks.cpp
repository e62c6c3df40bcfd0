// Steps 9, 10, 11 and 13 of the painting routine: points and names, fold lines, seams and
// canvases, the ruler.

#include "editor/corner_labels.h"
#include "editor/drawing_text.h"
#include "editor/painting_scene.h"
#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/geometry.h"
#include "model/names.h"
#include "model/settings.h"

namespace tenzora {

namespace painting {
namespace {

constexpr std::int32_t kDotRadius = 3;
constexpr std::int32_t kPickedDotRadius = 4;
constexpr std::int32_t kLayoutDotRadius = 2;
constexpr int kNameFont = 16;
constexpr Color kScreenFold{0, 128, 0};
constexpr Color kPaperFold{64, 64, 64};
constexpr Color kPaperCanvas{128, 128, 128};
constexpr Color kPaperDealerSeam{224, 224, 224};
constexpr Color kPaperSeam{192, 192, 192};
constexpr Color kRulerColor{155, 0, 155};
constexpr std::int32_t kRulerPen = 4;
constexpr std::int32_t kRulerFont = 15;

// The canvas between seam lines k and k + 1 in the display frame: A, B the ends of line k, then
// C and D below them at the heights of line k + 1's ends.
std::array<Vertex, 4> canvasCorners(const Scene& s, int k) {
    const Vertex a = s.frame.toDisplay(s.doc.seamLines.at(2 * k));
    const Vertex b = s.frame.toDisplay(s.doc.seamLines.at(2 * k + 1));
    const Vertex nextStart = s.frame.toDisplay(s.doc.seamLines.at(2 * k + 2));
    const Vertex nextEnd = s.frame.toDisplay(s.doc.seamLines.at(2 * k + 3));
    return {a, b, makeVertex(b.x, nextEnd.y), makeVertex(a.x, nextStart.y)};
}

// The seam lines between the first and the last, clipped to the ceiling when it is closed
// (not for purpose 5).
void paintInnerSeams(Scene& s, const Pen& pen) {
    const int lines = s.doc.seamLines.count() / 2;
    const bool clip = s.doc.polygon.defined && s.purpose != kPurposeDimensions && !s.cache.outline.empty();
    if (clip) s.surface.pushClip(s.cache.areaPoints, s.cache.areaRings, FillRule::Winding);
    s.surface.setPen(pen);
    for (int k = 1; k + 1 < lines; ++k)
        s.surface.line(s.outWorld(s.doc.seamLines.at(2 * k)), s.outWorld(s.doc.seamLines.at(2 * k + 1)));
    if (clip) s.surface.popClip();
}

} // namespace

void paintPoints(Scene& s) {
    const TZCeiling& doc = s.doc;
    if (!doc.view.showPointNames) return;
    const DrawingCache& c = s.cache;
    const int n = c.outline.count();
    s.surface.setPen(solidPen(s.pen(1), kBlack));
    for (int i = 0; i < n; ++i) {
        const Point p = c.outlineOutput[static_cast<std::size_t>(i)];
        const bool picked = !s.frame.layoutDisplay && doc.editor.pendingVertex >= 0 &&
                            c.outline.entry(i).measuredVertex == doc.editor.pendingVertex;
        const std::int32_t r = s.frame.layoutDisplay ? kLayoutDotRadius
                               : picked              ? kPickedDotRadius
                                                     : kDotRadius;
        s.surface.setBrush(solidBrush(picked ? kGreen : kBlack));
        s.surface.ellipse(dotBox(p, r));
    }
    if (!s.showNames) return;
    const Font font = boldLabelFont(s.fontHeight(kNameFont), 0, kCharSetCyrillic);
    const std::int32_t zero = zeroHeightOf(s.surface, font);
    const double radius = cornerLabelRadius(doc.view.scaleX, doc.printing);
    for (int i = 0; i < n; ++i) {
        const Vertex label = cornerLabelPoint(c.outlineShown[static_cast<std::size_t>(i)],
                                              c.outlineShown[static_cast<std::size_t>((i + n - 1) % n)],
                                              c.outlineShown[static_cast<std::size_t>((i + 1) % n)], radius,
                                              LabelSide::Outside);
        writeCornerLabel(s.surface, s.transform, label, zero, vertexName(i), font, kBlack);
    }
}

void paintFoldLines(Scene& s) {
    const std::span<const Vertex> folds = s.cache.outline.foldLines();
    if (folds.size() < 2) return;
    s.surface.setPen({PenStyle::DashDot, s.pen(1), s.screen ? kScreenFold : kPaperFold});
    for (std::size_t i = 0; i + 1 < folds.size(); i += 2)
        s.surface.line(s.outWorld(folds[i]), s.outWorld(folds[i + 1]));
}

void paintSeams(Scene& s) {
    const TZCeiling& doc = s.doc;
    const int lines = doc.seamLines.count() / 2;
    if (s.frame.layoutDisplay && !s.settings.dealerMode) {
        s.surface.setPen(solidPen(s.pen(1), s.screen ? kGreen : kPaperCanvas));
        std::array<Point, 4> quad;
        for (int k = 0; k + 1 < lines; ++k) {
            const auto corners = canvasCorners(s, k);
            for (std::size_t i = 0; i < 4; ++i)
                quad[i] = s.out(corners[i]);
            if (s.screen) {
                const bool hovered = doc.editor.hoverCanvas == 2 * k;
                s.surface.setBrush(
                    hatchBrush(hovered ? HatchStyle::DiagonalCross : HatchStyle::BackDiagonal, kGreen));
                s.surface.setBackgroundMode(BackgroundMode::Transparent);
                s.surface.polygon(quad, FillRule::EvenOdd);
            } else {
                const Point closed[5] = {quad[0], quad[1], quad[2], quad[3], quad[0]};
                s.surface.polyline(closed);
            }
        }
        return;
    }
    if (s.frame.layoutDisplay) {
        paintInnerSeams(s, {PenStyle::Dot, s.pen(s.pen(3)), s.screen ? kGreen : kPaperDealerSeam});
        return;
    }
    if (!s.screen && doc.seamFrom >= 0 && doc.seamTo >= 0) paintInnerSeams(s, solidPen(s.pen(1), kPaperSeam));
}

void paintRuler(Scene& s) {
    const TZRulers& ruler = s.doc.editor.rulerPoints;
    if (ruler.count() < 2) return;
    std::vector<Point>& points = s.cache.scratch;
    points.clear();
    for (const Vertex& v : ruler)
        points.push_back(s.outWorld(v));
    s.surface.setPen(solidPen(kRulerPen, kRulerColor));
    s.surface.polyline(points);
    for (int i = 0; i + 1 < ruler.count(); ++i) {
        const Vertex p = s.frame.toDisplay(ruler.at(i));
        const Vertex q = s.frame.toDisplay(ruler.at(i + 1));
        const Font font = boldLabelFont(kRulerFont, escapementTruncated(textAngle(p, q, s.frame.mirrored)));
        writeLabel(s.surface, middleOf(s.transform, p, q), formatNumber(distance(p, q), 1), font,
                   kRulerColor);
    }
}

} // namespace painting

} // namespace tenzora
