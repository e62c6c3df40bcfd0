#include "editor/view_zoom.h"

#include <cmath>

#include "model/ceiling.h"

namespace tenzora {

namespace {

bool scaleInRange(float scale) {
    return std::isfinite(scale) && scale >= kMinViewScale && scale <= kMaxViewScale;
}

} // namespace

bool zoomBy(TZCeiling& doc, float factor) {
    const float scaleX = doc.view.scaleX * factor;
    const float scaleY = doc.view.scaleY * factor;
    if (!scaleInRange(scaleX) || !scaleInRange(scaleY)) return false;
    doc.takeSnapshot();
    doc.view.scaleX = scaleX;
    doc.view.scaleY = scaleY;
    doc.repaint();
    return true;
}

} // namespace tenzora
