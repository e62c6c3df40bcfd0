#pragma once
// A canvas described for the cutter: the points of the ceiling, the cutouts and the seam
// crossings that lie within one canvas, in fabric coordinates measured from the canvas's end
// with the largest x and from its edge nearest the upper seam, multiplied by the tension
// coefficient (the fabric is cut smaller than the ceiling and stretched).

#include <string>
#include <vector>

#include "model/polygon.h"
#include "model/static_array.h"

namespace tenzora {

class TZCeiling;

// The text of one point of a piece: name(index) + "(" + number(k·x) + ";" + number(k·y) + ")"
// followed by five blanks. The name follows the vertex naming, so crossing j of a layout over a
// combined list of M points is named as point M + j.
std::wstring pointText(int index, double x, double y, double tensionCoef);

// A fabric coordinate: rounded to one decimal, written without decimals when it is a whole
// multiple of 10 (120.04 → "120", 123.0 → "123.0", 123.46 → "123.5").
std::wstring fabricNumberText(double v);

// Describes the canvas whose upper seam line starts at `reference` (a point of seamLines): the
// piece spans the strip from the reference down by the roll width over the tension coefficient
// of the document's material. Points are collected in list order (working outline, cutouts, then
// the crossings); `points` and `indexes` (either may be null) receive them in the piece frame
// and their name indexes. Empty text without a seam side, without points in the strip, or when
// all the points lie on one line.
std::wstring canvasPoints(TZStaticArray<Vertex>* points, TZStaticArray<int>* indexes, TZCeiling& doc,
                          const Vertex& reference);

// The texts canvasPoints gives for each of the references, the layout's points turned into the
// seam frame only once for them all.
std::vector<std::wstring> canvasPointTexts(TZCeiling& doc, const std::vector<Vertex>& references);

// One canvas of the layout with its piece.
struct CanvasPiece {
    int number = 0;        // 1-based, in seam-line order
    int seamLinePoint = 0; // index into seamLines of the first point of its upper line
    std::vector<Vertex> points;
    std::vector<int> indexes;
    std::wstring text; // empty when the strip holds no piece
};

// Every pair of neighbouring seam lines as a canvas (the canvas dialog, the side panel's canvas
// list and the printed sheet describe canvases this way).
std::vector<CanvasPiece> canvasPieces(TZCeiling& doc);

} // namespace tenzora
