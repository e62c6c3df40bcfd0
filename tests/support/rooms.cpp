#include "support/rooms.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "model/ceiling.h"
#include "model/geometry.h"
#include "model/names.h"
#include "model/records.h"
#include "support/fakes.h"

namespace tenzora {

namespace {
std::pair<int, int> pairOf(std::wstring_view name) {
    const auto pair = parsePairName(name);
    if (!pair) throw std::invalid_argument("not a record name");
    return *pair;
}
} // namespace

void measureRecord(TZCeiling& doc, std::wstring_view name, double length) {
    const auto [i, j] = pairOf(name);
    const int k = putDiagonal(doc, i, j, length);
    if (k < 0) throw std::invalid_argument("no such vertices");
    doc.diagonals.at(k).length = length;
}

double drawnLength(const TZCeiling& doc, std::wstring_view name) {
    const auto [i, j] = pairOf(name);
    return distance(doc.polygon.at(i), doc.polygon.at(j));
}

void buildMeasuredRoom(TZCeiling& doc, const std::vector<std::pair<double, double>>& corners,
                       const std::vector<std::wstring>& diagonals, double sketchError) {
    setOutline(doc, corners);
    const int n = doc.polygon.count();
    for (int k = 0; k < doc.diagonals.count(); ++k) {
        Diagonal& d = doc.diagonals.at(k);
        d.length = distance(doc.polygon.at(d.a), doc.polygon.at(d.b));
    }
    for (const std::wstring& name : diagonals) {
        const auto [i, j] = pairOf(name);
        measureRecord(doc, name, distance(doc.polygon.at(i), doc.polygon.at(j)));
    }
    // A fixed, irregular sketch error per corner.
    for (int i = 0; i < n; ++i) {
        doc.polygon.at(i).x += sketchError * std::sin(1.7 * i + 0.3);
        doc.polygon.at(i).y += sketchError * std::cos(2.3 * i + 1.1);
    }
    doc.editor.mode = kModePoints;
}

std::vector<std::wstring> fanFromA(int cornerCount) {
    std::vector<std::wstring> names;
    for (int j = 2; j < cornerCount - 1; ++j)
        names.push_back(vertexName(0) + L"-" + vertexName(j));
    return names;
}

} // namespace tenzora
