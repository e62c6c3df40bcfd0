#include "editor/view_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/ceiling.h"
#include "model/working_outline.h"

namespace tenzora {

namespace {

// The share of the view kept free around a placed outline.
constexpr double kFreeShare = 0.1;
// Pixels an outline must keep from the view's edges to count as wholly inside.
constexpr int kInsideMargin = 2;

struct Box {
    double minX = std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();
    bool empty() const { return !(minX <= maxX && minY <= maxY); }
};

Box outlineBox(TZCeiling& doc) {
    WorkingOutline outline;
    buildWorkingOutline(doc, doc.showConstructions, outline);
    Box box;
    for (const Vertex& v : outline.points()) {
        if (!std::isfinite(v.x) || !std::isfinite(v.y)) continue;
        box.minX = std::min(box.minX, v.x);
        box.maxX = std::max(box.maxX, v.x);
        box.minY = std::min(box.minY, v.y);
        box.maxY = std::max(box.maxY, v.y);
    }
    return box;
}

} // namespace

bool outlineWhollyInView(TZCeiling& doc, int margin) {
    const Box box = outlineBox(doc);
    if (box.empty()) return true;
    for (double x : {box.minX, box.maxX}) {
        for (double y : {box.minY, box.maxY}) {
            const ScreenPoint p = worldToScreen(doc, x, y);
            if (p.x < margin || p.y < margin || p.x > doc.view.viewWidth - margin ||
                p.y > doc.view.viewHeight - margin)
                return false;
        }
    }
    return true;
}

bool placeOutlineInView(TZCeiling& doc) {
    if (doc.view.viewWidth <= 0 || doc.view.viewHeight <= 0) return false;
    if (outlineWhollyInView(doc, kInsideMargin)) return false;
    const Box box = outlineBox(doc);
    if (box.empty()) return false;
    const double usableW = doc.view.viewWidth * (1 - 2 * kFreeShare);
    const double usableH = doc.view.viewHeight * (1 - 2 * kFreeShare);
    double scale = doc.view.scaleX > 0 && std::isfinite(doc.view.scaleX) ? doc.view.scaleX : 1.0;
    const double needed = std::max((box.maxX - box.minX) / usableW, (box.maxY - box.minY) / usableH);
    if (std::isfinite(needed) && needed > scale) scale = needed;
    doc.view.scaleX = doc.view.scaleY = static_cast<float>(scale);
    const double cx = (box.minX + box.maxX) / 2;
    const double cy = (box.minY + box.maxY) / 2;
    // The view centre shows (panX · scale, −panY · scale).
    doc.view.panX = toPixel(cx / doc.view.scaleX);
    doc.view.panY = toPixel(-cy / doc.view.scaleY);
    return true;
}

} // namespace tenzora
