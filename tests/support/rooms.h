#pragma once
// Rooms for forming tests and benchmarks: outlines with measured sides and diagonals.

#include <string_view>
#include <utility>
#include <vector>

namespace tenzora {

class TZCeiling;

// Gives the record named like "AC" the length (creating it when missing, replacing a measured one).
void measureRecord(TZCeiling& doc, std::wstring_view name, double length);

// The distance between the two vertices a name like "AC" names, as the outline stands.
double drawnLength(const TZCeiling& doc, std::wstring_view name);

// A room measured exactly from the true corner positions: every side and each named diagonal
// gets the true distance, while the outline itself starts as a sketch (each corner moved by up
// to `sketchError` cm), as a measurer's drawing would.
void buildMeasuredRoom(TZCeiling& doc, const std::vector<std::pair<double, double>>& corners,
                       const std::vector<std::wstring>& diagonals, double sketchError = 0.0);

// The diagonals from A to every vertex that is not its neighbour (AC, AD, …).
std::vector<std::wstring> fanFromA(int cornerCount);

} // namespace tenzora
