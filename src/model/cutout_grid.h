#pragma once
// The grid of the cutout dialog without its window: reading an edited cell, the row buttons
// ("up", "down", "delete") and the distance converter, which turns a point measured along a side
// and away from it into the two distances from the side's ends that a cutout row holds.

#include <optional>
#include <string>
#include <vector>

#include "model/cutout_form.h"

namespace tenzora {

class TZCeiling;

// Grid columns: the row number, then vertex 1, its distance, vertex 2, its distance.
inline constexpr int kCutoutGridColumns = 5;

// An edited cell of row `row`: a name cell goes through the name keys and is read as a point
// name (−1 when empty or not a name); a distance cell is read as a number (a comma counts as the
// decimal point; empty reads 0). The text handed back is what the cell shows from now on.
// A distance that holds no number or lies outside the distances' range is refused: the row keeps
// its value, the text handed back shows it, and the message is returned for the user.
std::optional<std::wstring> editCutoutCell(TZHoleRow& row, int column, std::wstring& text);
// The text of a cell (column 0 the 1-based row number).
std::wstring cutoutCellText(const std::vector<TZHoleRow>& rows, int row, int column);

// "up" and "down": the row changes places with its neighbour; false when there is none.
bool moveCutoutRow(std::vector<TZHoleRow>& rows, int row, bool up);
// "delete": a free cutout loses the row; the other types keep their row count, the rows below
// moving up by one place and the last row left empty.
bool deleteCutoutRow(std::vector<TZHoleRow>& rows, int row, bool freeCutout);

// The two sides the converter offers for a row: the side from its vertex 1 to its vertex 2, and
// the side from vertex 1 to the point before it on the working outline (the point after it when
// the one before is vertex 2). Both empty when the row lacks a vertex.
struct ConverterSides {
    std::wstring first;  // radio button 1582
    std::wstring second; // radio button 1586
};
ConverterSides converterSides(const TZHoleRow& row, int pointCount);

// The converter's "ок". The row's first distance is read as the offset a along the side from its
// end at the row's vertex 1, and its second distance as the distance h from the side; a number
// typed into the converter's own field (`fromSide`, empty for none) is that distance h for every
// row, so that a series of points on one line parallel to a wall is typed as offsets only. The
// side is named by `side` (two point names of the working outline); its length L is the drawn
// distance of its two points, truncated to 0.01 cm. The row then measures from the side's two
// ends: √(a² + h²) from the end at vertex 1 and √((L − a)² + h²) from the other. False, the row
// left as it was, when the side does not name two points of the outline, when the row's vertex 1
// is not one of its ends, or when a and h are both 0.
bool convertRowDistances(TZCeiling& doc, TZHoleRow& row, const std::wstring& side,
                         const std::wstring& fromSide);

} // namespace tenzora
