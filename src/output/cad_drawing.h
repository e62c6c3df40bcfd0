#pragma once
// What the CAD and plotter files hold, worked out from the project before any file format is
// written: polylines and texts on named layers, in centimetres, with the y axis pointing up as
// CAD programs and plotters have it (the drawing's y grows downwards; it is turned so that the
// room is not mirrored).
//
// Two drawings are made:
// - the room: the measured outline, the working outline with its constructions and fold lines,
//   the cutouts, the measured diagonals, the seam lines, the canvases of the layout, the lengths
//   and the point names, on the same places as in the drawing;
// - the canvas pieces for cutting: every piece of the layout in fabric coordinates (the points
//   the canvas dialog lists, times the tension coefficient), laid one after another along a roll
//   that starts at x = 0 and whose edges are the lines y = 0 and y = roll width. A piece is shown
//   as the layout display shows it, mirrored when that display is mirrored.

#include <string>
#include <vector>

#include "model/polygon.h"

namespace tenzora {

class TZCeiling;
struct AppSettings;
struct CanvasPiece;

enum class CadLayer {
    MeasuredOutline,
    WorkingOutline,
    Cutouts,
    Diagonals,
    Seams,
    Canvases,
    Dimensions,
    Labels,
    RollEdges,
};

// The layer's name in the file (plain Latin capitals, which every CAD program and plotter
// driver accepts).
const char* cadLayerName(CadLayer layer);
// The layer's colour number in the usual CAD palette.
int cadLayerColour(CadLayer layer);

struct CadPolyline {
    CadLayer layer = CadLayer::WorkingOutline;
    std::vector<Vertex> points;
    bool closed = true;
};

struct CadText {
    CadLayer layer = CadLayer::Labels;
    Vertex at;         // the middle of the text's base line
    double height = 0; // cm
    double angle = 0;  // degrees, counter-clockwise
    std::wstring text;
};

struct CadDrawing {
    std::vector<CadLayer> layers; // declared in the file, in this order, even when empty
    std::vector<CadPolyline> lines;
    std::vector<CadText> texts;
    // Every polyline point and text position together.
    std::size_t pointCount() const;
    // The largest magnitude of a coordinate (0 for an empty drawing).
    double extent() const;
};

// Gap left between two pieces on the roll (cm of fabric).
inline constexpr double kRollPieceGap = 10.0;

// One canvas piece placed on the roll.
struct RollPiece {
    int number = 0;                         // the canvas number of the layout
    std::vector<std::vector<Vertex>> rings; // closed rings: the piece's outline, then its holes
    double start = 0, length = 0;           // its place along the roll (cm)
    int pointCount = 0;                     // points of the rings together
};

struct CanvasRoll {
    double width = 0;  // the roll width (cm)
    double length = 0; // from 0 to the end of the last piece (cm)
    bool mirrored = false;
    std::vector<RollPiece> pieces; // in layout order; canvases without a piece are left out
};

// The drawing of the room.
CadDrawing roomCadDrawing(TZCeiling& doc);

// The order in which the points of a piece (as canvasPoints gives them) go round its boundary:
// rings of positions into piece.points, the outline's ring first, then one ring per cutout that
// reaches into the piece. Each ring follows its outline or cutout and takes the seam crossings
// of every edge in their order along the edge, so consecutive points are joined along the
// outline or along a seam line. Rings of fewer than 3 points (a corner touching a seam) are
// left out.
std::vector<std::vector<int>> pieceRings(TZCeiling& doc, const CanvasPiece& piece);

// The canvas pieces of the layout laid along the roll; empty without a layout. `mirrored`: as
// the mirrored cutting display shows them.
CanvasRoll canvasRoll(TZCeiling& doc, bool mirrored);
// Whether the cutting display is mirrored under these settings.
bool cuttingDisplayMirrored(const AppSettings& settings);

// The roll as a drawing: the pieces (and their holes) on the canvas layer, each numbered in
// its middle on the label layer, the two roll edges on their own layer.
CadDrawing rollCadDrawing(const CanvasRoll& roll);

} // namespace tenzora
