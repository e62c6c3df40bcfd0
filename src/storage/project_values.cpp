#include "storage/project_values.h"

#include <cmath>

#include "model/ceiling.h"
#include "model/typed_value.h"

namespace tenzora {

namespace {

// The bound applies to the size of every value, lengths and coordinates alike: a length or a
// distance of a real room is far inside it.
bool inRange(double v) {
    return valueRange::contains(valueRange::kCoordinate, v);
}

std::wstring numbered(const wchar_t* what, int index) {
    return std::wstring(what) + L" " + std::to_wstring(index + 1);
}

} // namespace

std::optional<std::wstring> projectValueOutOfRange(const TZCeiling& doc) {
    for (int i = 0; i < doc.polygon.count(); ++i) {
        const Vertex& v = doc.polygon[i];
        if (!inRange(v.x) || !inRange(v.y)) return numbered(L"вершина", i);
    }
    for (int i = 0; i < doc.diagonals.count(); ++i)
        if (!inRange(doc.diagonals[i].length)) return numbered(L"длина", i);
    for (int i = 0; i < doc.dops.count(); ++i) {
        const TZDop& d = doc.dops[i];
        // The width and an arc's radius are computed again on opening; a nearly flat arc has a
        // radius far beyond any room, so only what was typed is checked.
        const bool trapezoid = d.kind == static_cast<std::int32_t>(TZDopKind::Trapezoid) ||
                               d.kind == static_cast<std::int32_t>(TZDopKind::Bend);
        for (double v : {d.distance1, d.distance2, d.depth, trapezoid ? d.depth2 : 0.0, d.arcLength})
            if (!inRange(v)) return numbered(L"построение", i);
    }
    for (int i = 0; i < doc.holes.count(); ++i) {
        const TZHole& h = doc.holes[i];
        if (!inRange(h.size1)) return numbered(L"вырез", i);
        for (const TZHoleDiagonal& r : h.rows)
            if (!inRange(r.distance1) || !inRange(r.distance2) || !inRange(r.point1.x) ||
                !inRange(r.point1.y) || !inRange(r.point2.x) || !inRange(r.point2.y))
                return numbered(L"вырез", i);
    }
    if (!inRange(doc.seamOffset) || !inRange(doc.seamOffset2) || !inRange(doc.material.width))
        return std::wstring(L"раскрой");
    for (int i = 0; i < doc.seamLines.count(); ++i)
        if (!inRange(doc.seamLines[i].x) || !inRange(doc.seamLines[i].y)) return std::wstring(L"раскрой");
    return std::nullopt;
}

std::wstring projectValuesRefusalText(const std::wstring& path, const std::wstring& where) {
    return L"Файл «" + path + L"» повреждён: " + where +
           L" за пределами допустимых значений (не больше 1000 м по модулю). Проект не открыт.";
}

} // namespace tenzora
