#include "editor/side_panel_figures.h"

#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/measurements.h"

namespace tenzora {

namespace {
constexpr double kCentimetresPerMetre = 100.0;
// From this many points on the ruler encloses an area (its moving end included).
constexpr int kRulerPointsWithArea = 3;
} // namespace

PanelFigures panelFigures(const TZCeiling& doc) {
    PanelFigures f;
    f.materialArea = formatNumber(doc.materialQuantity, 2);
    f.offcuts = formatNumber(doc.offcuts, 2);
    f.error = formatNumber(displayedError(doc), 3);
    // One build of the shapes for the area and the perimeter both.
    const FigureShapes shapes = figureShapes(doc);
    f.area = formatNumber(netArea(doc, shapes), 2);

    if (doc.figuresFormed) {
        f.statusShown = true;
        f.statusFormed = true;
        f.status = kFormedStatus;
    } else if (!doc.statusText.empty()) {
        f.statusShown = true;
        f.status = doc.statusText;
    }

    const double ruler = rulerLength(doc);
    if (ruler != 0) {
        f.perimeterLabel = L"ДЛИНА:";
        f.perimeterValue = formatNumber(ruler * kCentimetresPerMetre, 1);
        if (doc.editor.rulerPoints.count() < kRulerPointsWithArea) {
            f.perimeterUnit = L"см";
        } else {
            f.perimeterValue += L"см, S=" + formatNumber(rulerArea(doc), 2);
            f.perimeterUnit = L"м2";
        }
    } else {
        f.perimeterLabel = L"Периметр:";
        f.perimeterValue = formatNumber(perimeter(doc, shapes), 1);
        f.perimeterUnit = L"м";
    }
    return f;
}

std::wstring cursorCoordinateText(double v) {
    return formatNumber(v, 1);
}

} // namespace tenzora
