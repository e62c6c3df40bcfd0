#pragma once
// The commands that form the outline or change how it is formed, as document operations: each
// takes its undo snapshot and refreshes the views as the window's command does.
// Commands that act on "the selected row" of the side panel's tree take that row's text.

#include <string>
#include <string_view>

namespace tenzora {

class TZCeiling;

// "Поиск решения" (1642) is enabled with at least one record on a defined outline.
bool canFormProject(const TZCeiling& doc);

struct FormCommandResult {
    bool formed = false;
    std::wstring statusText; // what the side panel showed (emptied in the document afterwards)
};
// "Поиск решения" (1642): forms from the first record with five relaxation visits per record.
// Does nothing when the command is not enabled.
FormCommandResult formProjectCommand(TZCeiling& doc);

// "Коррекция диагоналей" (32892): every record that is not a side takes its actual length.
void correctDiagonals(TZCeiling& doc);

// The vertex a row of the side panel's tree stands for: the first vertex of the side or
// diagonal it names (the last vertex for the closing side, written last-first). −1 for none.
int vertexOfRow(const TZCeiling& doc, std::wstring_view row);

// "Точка треугольника НАРУЖУ / ВНУТРЬ", "Автовыбор" (32854 / 32855 / 32856): sets the triangle
// side of the row's vertex (kSideOutward, kSideInward, kSideAuto) and forms from its side.
// False when nothing was done (start mode, no such vertex).
bool setTriangleSide(TZCeiling& doc, std::wstring_view row, int preference);

// "Прямой угол" (32857): marks the row's corner as a right angle, giving the record across it
// the length Pythagoras asks for, and forms; on a marked corner removes the mark and that record
// and forms. False when nothing was done.
bool toggleRightAngle(TZCeiling& doc, std::wstring_view row);

// "Режим пошагового построения треугольников" (32853): toggles step-by-step mode. False in the
// start mode.
bool toggleStepMode(TZCeiling& doc);

} // namespace tenzora
