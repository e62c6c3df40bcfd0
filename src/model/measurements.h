#pragma once
// The figures the program reports about an outline: actual lengths, the error figure
// ("Погрешность") that compares the built outline with the measured lengths, right-angle
// recognition, self-crossings, areas, perimeter, corner angles and the ruler.
// Lengths are centimetres, areas square metres, the perimeter and the ruler length metres.
//
// While `doc.placedOnly` is set, the error figure, the outline area and the crossing count
// consider only the vertices that the current construction pass has placed.

#include <string>
#include <vector>

#include "model/polygon.h"

namespace tenzora {

class TZCeiling;
class RecordIndex;

// The distance between the record's vertices truncated to two decimals; 0 when an index names
// no vertex.
double actualLength(const TZCeiling& doc, const Diagonal& record);

// "?" for no record; for an unmeasured record "?" unless `computeMissing` (then the actual
// length); otherwise the measured length; one decimal.
std::wstring lengthText(const TZCeiling& doc, const Diagonal* record, bool computeMissing);

// The relative deviation of the built outline from the measured lengths, in per cent truncated
// to three decimals: Σ |length − actual| / Σ length over the measured records, the sides left
// out of the deviations unless `includeSides`. 0 without measured records.
double errorFigure(const TZCeiling& doc, bool includeSides);
// The figure the side panel shows as "Погрешность": errorFigure(false) × 20.
double displayedError(const TZCeiling& doc);
// The error above which printing and reports refuse to go on.
inline constexpr double kMaximumDisplayedError = 5.0;
// Before printing and reports: when the displayed error is above the maximum, tells the user
// and returns false (the caller does not continue).
bool checkMaximumError(TZCeiling& doc);

// Marks vertex v as a right angle when its two sides and the record across the corner satisfy
// Pythagoras within the tolerance; never clears a mark. True when v is (now) marked, that is
// when its row in the side panel gets " L".
bool recogniseRightAngle(TZCeiling& doc, int v);
// The same with the records looked up in `records` (made from the document's records as they are).
bool recogniseRightAngle(TZCeiling& doc, int v, const RecordIndex& records);

// The recognition as the side panel's tree is rebuilt: every vertex whose side to the next
// vertex has a record (the vertices that get a row). Not while the tree stays empty in
// step-by-step mode, nor while it lists the canvases of the cutting layout.
void markRightAngles(TZCeiling& doc);

// Pairs of side-flagged records without a common vertex that cross each other.
int crossingCount(const TZCeiling& doc);

// Area of the measured vertices (of the placed ones only while `placedOnly` is set).
double outlineArea(const TZCeiling& doc);
// The shapes the area and the perimeter are taken from, built once for every figure of a refresh:
// the figure outline and, while constructions are shown (the only time the figures count them),
// the cutouts placed against it.
struct FigureShapes {
    std::vector<Vertex> outline;
    std::vector<std::vector<Vertex>> cutouts;
};
FigureShapes figureShapes(const TZCeiling& doc);
// Area of the outline the figures are taken from, less the cutouts when constructions are shown.
double netArea(const TZCeiling& doc);
double netArea(const TZCeiling& doc, const FigureShapes& shapes);
// With constructions shown, the length of that outline and of the cutouts; otherwise the sum of
// the side records (measured length, or the actual length of an unmeasured one).
double perimeter(const TZCeiling& doc);
double perimeter(const TZCeiling& doc, const FigureShapes& shapes);

// The corner at vertex v as drawn on screen, in degrees in [0, 360).
double cornerAngle(const TZCeiling& doc, int v);
// The corner angle as printed on the drawing: no decimals, then "°".
std::wstring cornerAngleText(const TZCeiling& doc, int v);

// The ruler: the length of its fixed points (the last point follows the mouse) and the area of
// the closed polygon of all its points.
double rulerLength(const TZCeiling& doc);
double rulerArea(const TZCeiling& doc);

// The outline the figures and the normalisation are taken from: the working outline with the
// constructions when `showConstructions` is set, otherwise the measured vertices.
std::vector<Vertex> figureOutline(const TZCeiling& doc);
// The closed outlines of the cutouts, placed against the outline with constructions; the net
// area and the perimeter take them into account only while constructions are shown.
std::vector<std::vector<Vertex>> cutoutOutlines(const TZCeiling& doc);

} // namespace tenzora
