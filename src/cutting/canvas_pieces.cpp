#include "cutting/canvas_pieces.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "cutting/layout_points.h"
#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/names.h"

namespace tenzora {

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

namespace {

// The points of the combined list and the crossings turned into the seam frame once and sorted
// across the seams: each canvas then takes the points of its strip by a binary search, instead
// of turning every point of the layout again for every canvas (a layout read from a file may
// hold thousands of canvases over tens of thousands of crossings).
class StripPoints {
  public:
    explicit StripPoints(TZCeiling& doc) : doc_(doc) {
        if (doc.seamFrom < 0 || doc.seamTo < 0) return;
        LayoutPoints list;
        list.build(doc);
        frame_ = seamFrame(doc, list);
        if (!frame_) return;
        const auto keep = [&](const Vertex& p, int index) {
            const Vertex q = frame_->turnedBack(p);
            // A point that is not finite along the seams, or not a number across them, lies in
            // no strip.
            if (std::isfinite(q.x) && !std::isnan(q.y)) byHeight_.push_back({q.x, q.y, index});
        };
        const int m = list.count();
        for (int i = 0; i < m; ++i)
            keep(list.point(i), i);
        for (int j = 0; j < doc.addPoints.count(); ++j)
            keep(doc.addPoints.at(j).point, m + j);
        std::stable_sort(byHeight_.begin(), byHeight_.end(),
                         [](const Collected& a, const Collected& b) { return a.y < b.y; });
    }

    // The piece of the canvas whose upper seam line starts at `reference` (see canvasPoints).
    std::wstring piece(TZStaticArray<Vertex>* points, TZStaticArray<int>* indexes,
                       const Vertex& reference) const {
        if (!frame_) return {};
        const Vertex ref = frame_->turnedBack(reference);
        const double y0 = ref.y;
        const double x0 = ref.x;
        const double k = doc_.material.tensionCoef;
        const double bottom = y0 - doc_.material.width / k;
        if (!std::isfinite(bottom) || !std::isfinite(y0)) return {};

        // The strip's points, in list order.
        const double low = bottom - kStripTolerance, high = y0 + kStripTolerance;
        auto it = std::lower_bound(byHeight_.begin(), byHeight_.end(), low,
                                   [](const Collected& c, double y) { return c.y < y; });
        std::vector<Collected> collected;
        for (; it != byHeight_.end() && it->y <= high; ++it)
            collected.push_back({it->x - x0, std::fabs(it->y - y0), it->index});
        if (collected.empty()) return {};
        std::sort(collected.begin(), collected.end(),
                  [](const Collected& a, const Collected& b) { return a.index < b.index; });

        const auto [lowY, highY] =
            std::minmax_element(collected.begin(), collected.end(),
                                [](const Collected& a, const Collected& b) { return a.y < b.y; });
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

  private:
    const TZCeiling& doc_;
    std::optional<SeamFrame> frame_;
    std::vector<Collected> byHeight_;
};

} // namespace

std::wstring canvasPoints(TZStaticArray<Vertex>* points, TZStaticArray<int>* indexes, TZCeiling& doc,
                          const Vertex& reference) {
    return StripPoints(doc).piece(points, indexes, reference);
}

std::vector<std::wstring> canvasPointTexts(TZCeiling& doc, const std::vector<Vertex>& references) {
    const StripPoints strips(doc);
    std::vector<std::wstring> texts;
    texts.reserve(references.size());
    for (const Vertex& reference : references)
        texts.push_back(strips.piece(nullptr, nullptr, reference));
    return texts;
}

std::vector<CanvasPiece> canvasPieces(TZCeiling& doc) {
    std::vector<CanvasPiece> pieces;
    const StripPoints strips(doc);
    for (int k = 0; k + 3 < doc.seamLines.count(); k += 2) {
        CanvasPiece piece;
        piece.number = k / 2 + 1;
        piece.seamLinePoint = k;
        TZStaticArray<Vertex> points;
        TZStaticArray<int> indexes;
        piece.text = strips.piece(&points, &indexes, doc.seamLines.at(k));
        piece.points.assign(points.begin(), points.end());
        piece.indexes.assign(indexes.begin(), indexes.end());
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

} // namespace tenzora
