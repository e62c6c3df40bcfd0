#pragma once
// The logic of the cutout dialog that is not about widgets: its type and mode lists, what each
// type and mode shows, the texts of its grid, and the record its OK stores.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/cutout.h"

namespace tenzora {

// The type list; the type is the position + 1.
inline constexpr std::array<const wchar_t*, 4> kCutoutTypeTexts = {L"Прямоугольник", L"Круг",
                                                                   L"Произвольный вырез", L"Эллипс"};
// "Точек:" shows this for an automatic point count.
inline constexpr wchar_t kAutomaticPointsText[] = L"авто";

struct CutoutMode {
    std::int32_t mode;
    const wchar_t* text;
};
// The modes the "Тип данных:" list offers for a type, in list order (none for a free cutout).
std::vector<CutoutMode> cutoutModes(std::int32_t type);
// The text of a mode, "" for an unknown one.
std::wstring cutoutModeText(std::int32_t mode);

// Grid rows of a mode: 2 for modes 1, 8, 9; 3 for mode 2; 1 for modes 3–7; 0 (any number) for a
// free cutout.
int cutoutRowCount(std::int32_t type, std::int32_t mode);
// Whether the side or diameter field (1168) is used: rectangle modes 1, 8, 9, circles, ellipses.
bool cutoutUsesSize(std::int32_t type, std::int32_t mode);
// Its label: "Сторона:", "Диаметр:" or "Диаметр 1:" ("" for a free cutout).
std::wstring cutoutSizeLabel(std::int32_t type);
// Top of the grid in dialog units: 75, or 100 for an ellipse, 50 for a free cutout.
int cutoutGridTop(std::int32_t type);

// "авто" for 0, else the number; and back ("авто", empty or not a number give 0).
std::wstring pointCountText(std::int32_t count);
std::int32_t pointCountFromText(const std::wstring& text);

// A grid row of the dialog.
struct TZHoleRow {
    std::int32_t vertex1 = -1;
    std::int32_t vertex2 = -1;
    double distance1 = 0;
    double distance2 = 0;
};
// Cell texts: the point name ("" for −1) and the distance with one decimal.
std::wstring rowNameText(std::int32_t vertex);
std::wstring rowDistanceText(double distance);
// A free cutout gets a new empty row once every row holds a name or a positive distance.
bool freeCutoutNeedsEmptyRow(const std::vector<TZHoleRow>& rows);

// What the dialog's fields hold.
struct CutoutFields {
    std::int32_t type = static_cast<std::int32_t>(TZHoleType::Rectangle);
    std::int32_t mode = static_cast<std::int32_t>(TZHoleMode::TwoAdjacentPoints);
    double size1 = 0;                 // 1168
    std::int32_t pointCount = 0;      // 1176
    std::int32_t angleFrom = 0;       // 1184
    std::int32_t angleTo = 0;         // 1194
    double size2 = 0;                 // 1568: ellipse second diameter
    std::wstring parallelSide;        // 1569: side the first diameter is parallel to
    bool turned = false;              // 1171 "Перпендикулярно"
    std::vector<TZHoleDiagonal> rows; // the grid (a circle or ellipse shows its first row only)
};

CutoutFields cutoutFieldsFromRecord(const TZHole& hole);
// The record OK stores: the rows with both names given, the size for the types and modes that
// use it, point count and angles for circles and ellipses, and an ellipse's extra row.
TZHole recordFromCutoutFields(const CutoutFields& fields);
// The message refusing the first size or row distance that is not finite or outside its range
// (the dialog then stays open, the project unchanged); nullopt when OK may store the record.
std::optional<std::wstring> cutoutFieldsRefusal(const CutoutFields& fields);
// The same for the two size fields as typed ("Сторона"/diameter and "Диаметр 2"): a text that
// holds no number is refused too; an empty one reads 0.
std::optional<std::wstring> cutoutSizeTextsRefusal(std::wstring_view size1, std::wstring_view size2);

} // namespace tenzora
