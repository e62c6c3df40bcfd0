#include "model/view_transform.h"

#include <cmath>
#include <limits>

#include "model/ceiling.h"

namespace tenzora {

std::int32_t toPixel(double v) {
    if (std::isnan(v)) return 0;
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (v <= lo) return std::numeric_limits<std::int32_t>::min();
    if (v >= hi) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v);
}

namespace {
double quotient(double v, float scale) {
    return scale != 0.0f ? v / static_cast<double>(scale) : 0.0;
}
} // namespace

ScreenPoint worldToScreen(const TZCeiling& doc, double x, double y, bool mirrored) {
    const double halfW = doc.view.viewWidth / 2;
    const double halfH = doc.view.viewHeight / 2;
    const double qx = std::trunc(quotient(x, doc.view.scaleX));
    const double qy = std::trunc(quotient(y, doc.view.scaleY));
    ScreenPoint p;
    p.x = toPixel(mirrored ? halfW - qx - doc.view.panX : halfW + qx - doc.view.panX);
    p.y = toPixel(halfH + qy + doc.view.panY);
    return p;
}

void screenToWorld(const TZCeiling& doc, double sx, double sy, double& x, double& y, bool mirrored) {
    const double halfW = doc.view.viewWidth / 2;
    const double halfH = doc.view.viewHeight / 2;
    x = mirrored ? (halfW - doc.view.panX - sx) * doc.view.scaleX
                 : (doc.view.panX + sx - halfW) * doc.view.scaleX;
    y = (sy - halfH - doc.view.panY) * doc.view.scaleY;
}

} // namespace tenzora
