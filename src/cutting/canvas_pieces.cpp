#include "cutting/canvas_pieces.h"

#include <algorithm>
#include <cmath>

#include "cutting/layout_points.h"
#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/names.h"

namespace {

// A point this far outside the strip still belongs to the piece (cm).
constexpr double kStripTolerance = 0.05;
// A piece whose points span no more than this across the seams lies on one line (cm).
constexpr double kMinimumPieceHeight = 0.01;
// Written after every point of a piece.
constexpr wchar_t kPointSeparator[] = L")     ";

struct Collected {
    double x, y;
    int index;
};

} // namespace

std::wstring fabricNumberText(double v) {
    const double tenths = std::trunc(v * 10 + 0.5);
    const double rounded = tenths / 10;
    // Whole multiples of 10 (tenths divisible by 100) are written without decimals.
    return formatNumber(rounded, std::fmod(tenths, 100) == 0 ? 0 : 1);
}

std::wstring pointText(int index, double x, double y, double tensionCoef) {
    return vertexName(index) + L"(" + fabricNumberText(tensionCoef * x) + L";" +
           fabricNumberText(tensionCoef * y) + kPointSeparator;
}

std::wstring canvasPoints(TZStaticArray<Vertex>* points, TZStaticArray<int>* indexes, TZCeiling& doc,
                          const Vertex& reference) {
    if (doc.seamFrom < 0 || doc.seamTo < 0) return {};
    LayoutPoints list;
    list.build(doc);
    const auto frame = seamFrame(doc, list);
    if (!frame) return {};

    const Vertex ref = frame->turnedBack(reference);
    const double y0 = ref.y;
    const double x0 = ref.x;
    const double k = doc.material.tensionCoef;
    const double bottom = y0 - doc.material.width / k;
    if (!std::isfinite(bottom) || !std::isfinite(y0)) return {};

    std::vector<Collected> collected;
    const auto consider = [&](const Vertex& p, int index) {
        const Vertex q = frame->turnedBack(p);
        if (std::isfinite(q.x) && q.y >= bottom - kStripTolerance && q.y <= y0 + kStripTolerance)
            collected.push_back({q.x - x0, std::fabs(q.y - y0), index});
    };
    const int m = list.count();
    for (int i = 0; i < m; ++i)
        consider(list.point(i), i);
    for (int j = 0; j < doc.addPoints.count(); ++j)
        consider(doc.addPoints.at(j).point, m + j);
    if (collected.empty()) return {};

    const auto [lowY, highY] = std::minmax_element(
        collected.begin(), collected.end(), [](const Collected& a, const Collected& b) { return a.y < b.y; });
    if (!(highY->y - lowY->y > kMinimumPieceHeight)) return {};
    const double maxX =
        std::max_element(collected.begin(), collected.end(), [](const Collected& a, const Collected& b) {
            return a.x < b.x;
        })->x;
    const double minY = lowY->y;

    std::wstring text;
    for (const Collected& c : collected) {
        const double x = maxX - c.x;
        const double y = c.y - minY;
        if (points) points->append(makeVertex(x, y));
        if (indexes) indexes->append(c.index);
        text += pointText(c.index, x, y, k);
    }
    return text;
}

std::vector<CanvasPiece> canvasPieces(TZCeiling& doc) {
    std::vector<CanvasPiece> pieces;
    for (int k = 0; k + 3 < doc.seamLines.count(); k += 2) {
        CanvasPiece piece;
        piece.number = k / 2 + 1;
        piece.seamLinePoint = k;
        TZStaticArray<Vertex> points;
        TZStaticArray<int> indexes;
        piece.text = canvasPoints(&points, &indexes, doc, doc.seamLines.at(k));
        piece.points.assign(points.begin(), points.end());
        piece.indexes.assign(indexes.begin(), indexes.end());
        pieces.push_back(std::move(piece));
    }
    return pieces;
}
