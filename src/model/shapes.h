#pragma once
// Outlines generated instead of drawn: the wizard's rectangle, corner cut and ellipse with all
// sides and some diagonals already measured, and the regular polygon named by its last corner
// with every side still to be measured.
//
// After a successful generation the side panel's name field shows the first side
// (kFirstRecordName) with the focus on the length field: the window does that.

#include <string_view>

namespace tenzora {

class TZCeiling;

enum class ShapeKind { Rectangle, CornerCut, Ellipse };

inline constexpr wchar_t kWrongPointMessage[] = L"Вы указали неправильную точку";
inline constexpr wchar_t kFirstRecordName[] = L"AB";
// Generated outlines have at most this many points: the working outline of the drawing holds
// no more, and a larger count would only exhaust memory.
inline constexpr int kMaxGeneratedPoints = 1000;

// A new project with the shape: a rectangle x × y (count 4), the rectangle with the width × height
// corner at (x, 0) cut away, or an ellipse of diameters x and y with `count` points (reduced to
// an even number). Formed, clockwise, normalised, in the point mode. A count below 3 (or above
// the limit) is refused with "Вы указали неправильную точку", except for the corner cut. False
// when refused or when the user kept the old project.
bool generateShape(TZCeiling& doc, ShapeKind kind, int count, double x, double y, double width = 0,
                   double height = 0);

// A new project whose outline is a regular polygon of radius 150 cm with corners A … lastCorner
// and unmeasured sides. A name the dialogs cannot read (or beyond the limit) is refused with
// "Вы указали неправильную точку"; fewer than three corners do nothing. False unless generated.
bool generateRegularPolygon(TZCeiling& doc, std::wstring_view lastCorner);

} // namespace tenzora
