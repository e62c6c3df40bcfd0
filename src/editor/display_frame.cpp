#include "editor/display_frame.h"

#include <cmath>

#include "model/ceiling.h"
#include "model/cutouts.h"
#include "model/geometry.h"
#include "model/settings.h"
#include "model/working_outline.h"

namespace tenzora {

namespace {

double fullTurn(double a) {
    a = std::fmod(a, 2 * kPi);
    return a < 0 ? a + 2 * kPi : a;
}

} // namespace

bool layoutPoint(const WorkingOutline& outline, const TZHolesArray* holes, int i, Vertex& point) {
    if (i < 0) return false;
    if (i < outline.count()) {
        point = outline.point(i);
        return true;
    }
    const int k = i - outline.count();
    if (holes == nullptr || k >= holes->totalPoints()) return false;
    point = holes->allPoints()[static_cast<std::size_t>(k)].point;
    return true;
}

double seamDirection(const TZCeiling& doc, const AppSettings& settings, const WorkingOutline& outline,
                     const TZHolesArray* holes) {
    if (settings.dealerMode || doc.seamFrom < 0 || doc.seamTo < 0) return 0.0;
    if (doc.twoDiagonals) {
        // The layout turns the seams along the line it built between the two diagonals and
        // ignores "Перпендикулярно" then; the display must turn by the same angle, or the
        // canvases would be drawn askew.
        return fullTurn(
            direction(doc.seamLineEnd.x - doc.seamLineStart.x, doc.seamLineEnd.y - doc.seamLineStart.y));
    }
    Vertex a, b;
    if (!layoutPoint(outline, holes, doc.seamFrom, a) || !layoutPoint(outline, holes, doc.seamTo, b))
        return 0.0;
    double theta = fullTurn(direction(b.x - a.x, b.y - a.y));
    if (doc.seamPerpendicular) theta += kPi / 2;
    return theta;
}

DisplayFrame displayFrame(const TZCeiling& doc, const AppSettings& settings, const WorkingOutline& outline,
                          const TZHolesArray* holes) {
    DisplayFrame f;
    f.layoutDisplay = isLayoutDisplay(doc);
    f.mirrored = isMirroredDisplay(doc, settings);
    f.theta = seamDirection(doc, settings, outline, holes);
    f.cosTheta = std::cos(f.theta);
    f.sinTheta = std::sin(f.theta);
    return f;
}

Vertex rotated(const Vertex& v, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return makeVertex(v.x * c - v.y * s, v.x * s + v.y * c);
}

} // namespace tenzora
