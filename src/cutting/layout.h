#pragma once
// The cutting layout: the ceiling divided into canvases of the roll width. Seam lines are laid
// parallel to the chosen side (or at right angles to it, or along the line joining two
// diagonals) at a pitch derived from the roll width, the seam allowance and the tension; the
// crossings of the seams with the outline and the cutouts are collected, every canvas is
// measured along the seams, and the material quantity and the offcuts are worked out.
//
// Outputs (document members): seamLineStart/End, seamLines (two points per line, highest line
// of the rotated frame first), addPoints, canvasLengths, canvasLengthTotal, materialQuantity,
// offcuts; hoverCanvas is cleared.

#include "storage/material.h"
#include "storage/project_image.h"

namespace tenzora {

class TZCeiling;
struct AppSettings;

// Seam lines one layout may produce. The project file keeps at most kMaxListCount seam-line
// points (two per line): a layout beyond that could be saved but never read back, and an absurd
// roll width against a huge outline would otherwise exhaust memory.
inline constexpr int kMaxSeamLines = projectImage::kMaxListCount / 2;
// Crossings one layout may produce: the most the project file reads back.
inline constexpr int kMaxCrossings = projectImage::kMaxAddPointCount;

inline constexpr wchar_t kTooManySeamsMessage[] =
    L"Раскрой не выполнен: при такой ширине полотна получается слишком много швов. "
    L"Проверьте ширину полотна, швы и коэффициент натяжения.";
inline constexpr wchar_t kTooManyCrossingsMessage[] =
    L"Раскрой не выполнен: швы пересекают контур потолка слишком много раз. "
    L"Проверьте ширину полотна, швы и коэффициент натяжения.";

enum class LayoutOutcome {
    NotStarted,       // no seam side, or a roll width of 0 or less: nothing changed
    SeamNotFound,     // a seam index names no point: the seam lines are cleared, nothing else
    NoCanvases,       // no pitch, an empty or degenerate outline: no seam lines, zero quantities
    TooManySeams,     // refused and told (kTooManySeamsMessage): no seam lines, zero quantities
    TooManyCrossings, // refused and told (kTooManyCrossingsMessage): the same
    LaidOut,
};

// Lays the canvases out for `material` (its tension coefficient, offcut price coefficient and
// roll width) and the document's seam choice. Takes an undo snapshot first. `quiet` leaves the
// side panel alone and keeps the refusal messages back (the optimiser runs hundreds of layouts);
// `materialWithTension` is the program setting of that name: the quantity and the offcuts are
// then multiplied by both tension coefficients.
LayoutOutcome layoutCanvases(TZCeiling& doc, const Material& material, bool quiet, bool materialWithTension);

// The setting "materialWithTension" as the document knows it (the default without settings).
bool materialWithTension(const TZCeiling& doc);

} // namespace tenzora
