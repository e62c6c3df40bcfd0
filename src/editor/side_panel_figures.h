#pragma once
// The figures of the side panel as texts: material area, offcuts, the error figure, the area,
// the status line and the perimeter, or the ruler's length and area while the ruler measures.

#include <string>

namespace tenzora {

class TZCeiling;

inline constexpr wchar_t kFormedStatus[] = L"ПРОЕКТ СФОРМИРОВАН";

struct PanelFigures {
    std::wstring materialArea; // 1032, m²
    std::wstring offcuts;      // 1034, m²
    std::wstring error;        // 1024, the displayed error figure
    std::wstring area;         // 1026, m² of the ceiling less its cutouts
    // The status line (1284) replaces the cursor's x/y line while it has something to say.
    bool statusShown = false;
    bool statusFormed = false; // "ПРОЕКТ СФОРМИРОВАН", shown in blue
    std::wstring status;
    // "Периметр:" / value / "м", or "ДЛИНА:" / the ruler's length (and area) / "см" or "м2".
    std::wstring perimeterLabel; // 1262
    std::wstring perimeterValue; // 1250
    std::wstring perimeterUnit;  // 1316
};

// The figures as the panel shows them after a refresh: "ПРОЕКТ СФОРМИРОВАН" by the document's
// `figuresFormed`, otherwise its status text (the vertices forming could not place).
PanelFigures panelFigures(const TZCeiling& doc);

// A cursor coordinate of the x and y fields: centimetres with one decimal.
std::wstring cursorCoordinateText(double v);

} // namespace tenzora
