#pragma once
// The side panel's tree: one row per side with the diagonals from its first vertex below it, or,
// in the cutting layout display, one row per canvas with the points of its piece below it.

#include <functional>
#include <string>
#include <vector>

namespace tenzora {

class TZCeiling;
struct AppSettings;

struct PanelTreeRow {
    std::wstring text;
    // The pair of vertices the row names (a side or a diagonal); −1 for canvas rows.
    int first = -1;
    int second = -1;
    int record = -1; // the pair's record; −1 when it has none
    bool root = false;
    // Rows below a root: all of them from buildPanelTree; from buildPanelRoots only a canvas's,
    // a side's being left to buildPanelChildren.
    std::vector<PanelTreeRow> children;
    int childCount = 0; // the number of rows below a root, built or not
};

// One point of a canvas piece: the index its name is made from and its position in the piece's
// frame, in centimetres of the drawing.
struct CanvasPiecePoint {
    int nameIndex = 0;
    double x = 0.0;
    double y = 0.0;
};
// The points of the canvas whose upper seam line starts at seam point `reference`; empty for a
// canvas without a piece. The cutting layout supplies it.
using CanvasPieceSource = std::function<std::vector<CanvasPiecePoint>(const TZCeiling& doc, int reference)>;

inline constexpr wchar_t kRightAngleMark[] = L" L";
inline constexpr wchar_t kInwardMark[] = L" ВНУТРЬ";
inline constexpr wchar_t kOutwardMark[] = L" НАРУЖУ";
inline constexpr wchar_t kCanvasRowPrefix[] = L"Полотно ";

// The rows of the tree. Empty in step-by-step mode. In the layout display (dealer mode off) the
// canvases with their points on the fabric (scaled by the material's tension coefficient);
// otherwise the sides, each recognised as a right angle where it is one (the mark is kept in the
// vertex), with the pairs from its first vertex to every later vertex below it and the most
// deviating measured diagonal among them marked "(+d)" (drawn shorter) or "(-d)" (drawn longer).
std::vector<PanelTreeRow> buildPanelTree(TZCeiling& doc, const AppSettings& settings,
                                         const CanvasPieceSource& canvases);

// The same rows without the pairs below the sides, which are built when a side is opened: a
// room of n vertices has n·(n − 1)/2 pairs, too many to write out on every change of a large
// outline. The canvas rows come with their points (a canvas has few).
std::vector<PanelTreeRow> buildPanelRoots(TZCeiling& doc, const AppSettings& settings,
                                          const CanvasPieceSource& canvases);
// The rows below a side's root row as buildPanelTree gives them (empty for any other row).
std::vector<PanelTreeRow> buildPanelChildren(const TZCeiling& doc, const PanelTreeRow& root);

// What choosing a row puts into the name field, and whether the focus then moves to the length
// field (a side's row: its length is what one types next). Nothing for a canvas row.
struct RowChoice {
    std::wstring name;
    bool focusLength = false;
};
bool chooseRow(const PanelTreeRow& row, RowChoice& choice);

} // namespace tenzora
