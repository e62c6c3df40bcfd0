#pragma once
// The example projects shipped in data/examples/, built in code. example_projects_test.cpp
// checks that the shipped files are exactly what this code writes (and rewrites them when
// TENZORA_WRITE_EXAMPLES=1 is set); the command-line tests read them as a user's files.

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "model/ceiling.h"
#include "storage/codepage.h"

namespace tenzora {

namespace examples {

struct ExampleProject {
    const char* file; // name in data/examples/
    void (*build)(TZCeiling& doc);
};

inline void measuredOutline(TZCeiling& doc, const std::vector<std::pair<double, double>>& corners,
                            const std::vector<std::pair<int, int>>& diagonals) {
    const int n = static_cast<int>(corners.size());
    for (const auto& [x, y] : corners)
        doc.polygon.append(makeVertex(x, y));
    doc.polygon.defined = true;
    auto measure = [&](int a, int b, bool side) {
        const Vertex& p = doc.polygon.at(a);
        const Vertex& q = doc.polygon.at(b);
        Diagonal d;
        d.a = a;
        d.b = b;
        d.isSide = side ? 1 : 0;
        d.length = std::hypot(p.x - q.x, p.y - q.y);
        doc.diagonals.append(d);
    };
    for (int i = 0; i < n; ++i)
        measure(std::min(i, (i + 1) % n), std::max(i, (i + 1) % n), true);
    for (const auto& [a, b] : diagonals)
        measure(a, b, false);
}

inline void fabric(TZCeiling& doc, int id, int groupId, const wchar_t* name, double width) {
    doc.material.id = id;
    doc.material.groupId = groupId;
    doc.material.isGroup = 0;
    doc.material.tensionCoef = 0.93;
    doc.material.offcutPriceCoef = 1.0;
    doc.material.setName(codepage::toCp1251(name));
    doc.material.width = width;
}

inline void viewOf(TZCeiling& doc) {
    doc.editor.mode = kModePoints;
    doc.view.viewWidth = 800;
    doc.view.viewHeight = 600;
    doc.view.showLengths = true;
    doc.view.showPointNames = true;
    doc.modified = false;
}

// A rectangular room 400 × 300 cm with its four sides and the diagonal AC measured.
inline void rectangularRoom(TZCeiling& doc) {
    measuredOutline(doc, {{0, 0}, {400, 0}, {400, 300}, {0, 300}}, {{0, 2}});
    doc.orderDate = L"12.03.2024";
    doc.orderNumber = L"17";
    doc.orderName = L"Кухня";
    doc.client = L"Иванов Иван Иванович¬¬¬¬¬+7 912 345-67-89"; // name and phone; ИНН … account empty
    doc.note = L"Белый матовый потолок, люстра по центру";
    fabric(doc, 2, 1, L"Белый матовый", 320.0);
    doc.city = 0; // the first city of the shipped price list
    doc.ceilingType = L"Матовый";
    viewOf(doc);
}

// An L-shaped hall: six corners, the sides and three diagonals measured, one extra work.
inline void lShapedHall(TZCeiling& doc) {
    measuredOutline(doc, {{0, 0}, {500, 0}, {500, 250}, {300, 250}, {300, 400}, {0, 400}},
                    {{0, 2}, {0, 3}, {0, 4}});
    doc.orderDate = L"15.04.2024";
    doc.orderNumber = L"18-П";
    doc.orderName = L"Прихожая";
    doc.client = L"Петрова Мария Сергеевна";
    doc.note = L"Глянец, два светильника";
    fabric(doc, 5, 4, L"Глянец бежевый", 270.0);
    doc.city = 0;
    doc.ceilingType = L"Глянцевый";
    doc.harpoon = 1;
    doc.extraWorks.append({L"Светильник", 2.0});
    viewOf(doc);
}

inline const std::vector<ExampleProject>& all() {
    static const std::vector<ExampleProject> list = {{"room-400x300.tz", rectangularRoom},
                                                     {"l-shaped-hall.tz", lShapedHall}};
    return list;
}

} // namespace examples

} // namespace tenzora
