#include "editor/view_rules.h"

#include <cmath>

#include "editor/display_frame.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "model/view_transform.h"

namespace tenzora {

bool isMirroredDisplay(const TZCeiling& doc, const AppSettings& settings) {
    return doc.editor.mode == kModeCutting && !settings.dealerMode && settings.flipCutting;
}

bool isLayoutDisplay(const TZCeiling& doc) {
    return doc.editor.mode == kModeCutting && doc.seamLines.count() >= kLayoutDisplayMinSeamEntries;
}

bool showsCanvases(const TZCeiling& doc, const AppSettings& settings) {
    return isLayoutDisplay(doc) && !settings.dealerMode;
}

Vertex viewToDrawing(const TZCeiling& doc, const AppSettings& settings, double sx, double sy) {
    Vertex p;
    screenToWorld(doc, sx, sy, p.x, p.y, isMirroredDisplay(doc, settings));
    return p;
}

double snapCoordinate(double v, double step) {
    if (!(step > 0) || !std::isfinite(step)) return v;
    const double half = v < 0 ? -step / 2 : step / 2;
    return step * std::trunc((v + half) / step);
}

Vertex snapToGridIfOn(const TZCeiling& doc, const Vertex& p) {
    if (!doc.view.snapToGrid) return p;
    Vertex snapped = p;
    snapped.x = snapCoordinate(p.x, doc.view.gridStep);
    snapped.y = snapCoordinate(p.y, doc.view.gridStep);
    return snapped;
}

} // namespace tenzora
