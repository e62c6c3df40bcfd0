#include "model/records.h"

#include <algorithm>
#include <cstdint>

#include "model/ceiling.h"
#include "model/names.h"

namespace tenzora {

namespace {

// The walk that proposes the next diagonal to measure gives up after this many pairs.
constexpr int kSuggestionSteps = 100;

bool isVertex(const TZCeiling& doc, int i) {
    return i >= 0 && i < doc.polygon.count();
}

// Keeps an index into the record list naming the same record after record d is removed.
void followRemoval(std::int32_t& index, int d) {
    if (index == d)
        index = -1;
    else if (index > d)
        --index;
}

} // namespace

bool areNeighbours(int a, int b, int n) {
    // In 64 bits: a record read from a file may name any int, the largest among them.
    const std::int64_t a64 = a, b64 = b, last = std::int64_t{n} - 1;
    return a64 == b64 + 1 || b64 == a64 + 1 || (a64 == 0 && b64 == last) || (b64 == 0 && a64 == last);
}

bool isSideRecord(const TZCeiling& doc, const Diagonal& record) {
    return areNeighbours(record.a, record.b, doc.polygon.count());
}

int findDiagonal(const TZCeiling& doc, int i, int j) {
    int last = -1;
    for (int k = 0; k < doc.diagonals.count(); ++k) {
        const Diagonal& d = doc.diagonals.at(k);
        if (!((d.a == i && d.b == j) || (d.a == j && d.b == i))) continue;
        if (d.length > 0) return k;
        last = k;
    }
    return last;
}

bool measuredLength(const TZCeiling& doc, int i, int j, double& length) {
    const int k = findDiagonal(doc, i, j);
    if (k < 0 || !(doc.diagonals.at(k).length > 0)) return false;
    length = doc.diagonals.at(k).length;
    return true;
}

int putDiagonal(TZCeiling& doc, int i, int j, double length) {
    const int found = findDiagonal(doc, i, j);
    if (found >= 0) {
        Diagonal& d = doc.diagonals.at(found);
        if (!(d.length > 0)) d.length = length;
        doc.editor.currentDiagonal = found;
        return found;
    }
    if (!isVertex(doc, i) || !isVertex(doc, j)) {
        doc.editor.currentDiagonal = -1;
        return -1;
    }
    Diagonal d;
    d.a = std::min(i, j);
    d.b = std::max(i, j);
    d.length = length;
    doc.editor.currentDiagonal = doc.diagonals.append(d) ? doc.diagonals.count() - 1 : -1;
    return doc.editor.currentDiagonal;
}

int setDiagonal(TZCeiling& doc, int i, int j, double length) {
    doc.takeSnapshot();
    return putDiagonal(doc, i, j, length);
}

int setDiagonalByName(TZCeiling& doc, std::wstring_view text, double length) {
    if (text.size() < 2) return -1;
    std::wstring upper(text);
    for (wchar_t& c : upper)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    const auto pair = parsePairName(upper);
    if (!pair || !isVertex(doc, pair->first) || !isVertex(doc, pair->second)) return -1;
    return setDiagonal(doc, pair->first, pair->second, length);
}

void eraseRecord(TZCeiling& doc, int d) {
    if (!doc.diagonals.removeAt(d)) return;
    followRemoval(doc.editor.currentDiagonal, d);
    followRemoval(doc.editor.hoverDiagonal, d);
}

bool removeDiagonal(TZCeiling& doc, int d) {
    if (doc.diagonals.checkedAt(d) == nullptr) return false;
    doc.takeSnapshot();
    eraseRecord(doc, d);
    doc.refreshFigures();
    return true;
}

void putSides(TZCeiling& doc) {
    const int n = doc.polygon.count();
    if (n < 3) return;
    for (int i = 0; i + 1 < n; ++i)
        putDiagonal(doc, i, i + 1, 0.0);
    putDiagonal(doc, n - 1, 0, 0.0);
}

bool createSides(TZCeiling& doc) {
    if (doc.polygon.count() < 3) return false;
    doc.takeSnapshot();
    putSides(doc);
    return true;
}

void markAllAsSides(TZCeiling& doc) {
    for (Diagonal& d : doc.diagonals)
        d.isSide = 1;
}

int appendVertex(TZCeiling& doc, double x, double y) {
    doc.takeSnapshot();
    return doc.polygon.append(makeVertex(x, y)) ? doc.polygon.count() - 1 : -1;
}

bool deleteVertex(TZCeiling& doc, int v) {
    const int n = doc.polygon.count();
    if (!isVertex(doc, v)) return false;
    doc.takeSnapshot();
    const int previous = (v + n - 1) % n;
    const int next = (v + 1) % n;
    // With fewer than three vertices the neighbours coincide and there is no ring to close.
    if (previous != next && findDiagonal(doc, previous, v) >= 0 && findDiagonal(doc, v, next) >= 0) {
        const int bridge = putDiagonal(doc, previous, next, 0.0);
        // The neighbours become neighbours: the record is a side from now on, so that the
        // perimeter and the crossing count see it before the next forming recomputes the flags.
        if (bridge >= 0) doc.diagonals.at(bridge).isSide = 1;
    }
    for (int k = doc.diagonals.count() - 1; k >= 0; --k) {
        const Diagonal& d = doc.diagonals.at(k);
        if (d.a == v || d.b == v) eraseRecord(doc, k);
    }
    for (Diagonal& d : doc.diagonals) {
        if (d.a > v) --d.a;
        if (d.b > v) --d.b;
    }
    doc.polygon.removeAt(v);
    return true;
}

int insertVertexOnSide(TZCeiling& doc, const Vertex& point, int p, int q) {
    const int n = doc.polygon.count();
    if (!isVertex(doc, p) || !isVertex(doc, q)) return -1;
    doc.takeSnapshot();
    const bool closingSide = (p == 0 && q == n - 1) || (q == 0 && p == n - 1);
    const int at = (closingSide && doc.polygon.defined) ? n : std::max(p, q);
    for (Diagonal& d : doc.diagonals) {
        if (d.a >= at) ++d.a;
        if (d.b >= at) ++d.b;
    }
    if (p >= at) ++p;
    if (q >= at) ++q;
    std::uint8_t sideFlag = 0;
    if (const int side = findDiagonal(doc, p, q); side >= 0) {
        sideFlag = doc.diagonals.at(side).isSide;
        eraseRecord(doc, side);
    }
    if (!doc.polygon.insertAt(at, makeVertex(point.x, point.y))) return -1;
    for (const auto& [from, to] : {std::pair{p, at}, std::pair{at, q}}) {
        const int record = putDiagonal(doc, from, to, 0.0);
        if (record >= 0) doc.diagonals.at(record).isSide = sideFlag;
    }
    return at;
}

std::wstring suggestNextRecord(TZCeiling& doc) {
    const Diagonal* current = doc.diagonals.checkedAt(doc.editor.currentDiagonal);
    if (current == nullptr) {
        doc.editor.currentDiagonal = doc.diagonals.empty() ? -1 : 0;
        return L"";
    }
    const int n = doc.polygon.count();
    const int last = n - 1;
    const auto unmeasured = [&](int i, int j) {
        const int k = findDiagonal(doc, i, j);
        return k < 0 || !(doc.diagonals.at(k).length > 0);
    };
    if (isSideRecord(doc, *current)) {
        for (int i = 0; i < n; ++i) {
            const int j = i == last ? 0 : i + 1;
            const int k = findDiagonal(doc, i, j);
            if (k >= 0 && doc.diagonals.at(k).length == 0) return pairName(i, j);
        }
        return L"";
    }
    // Diagonals row by row: (i, i+2) … (i, last), skipping the closing side (0, last).
    int i = std::min(current->a, current->b);
    int j = std::max(current->a, current->b);
    for (int step = 0; step < kSuggestionSteps; ++step) {
        ++j;
        if (i == 0 && j == last) {
            i = 1;
            j = 3;
        }
        if (j > last) {
            ++i;
            j = i + 2;
        }
        if (i < 0 || i > last || j > last || (i == 0 && j == last)) {
            i = 0;
            j = 2;
        }
        if (j <= last && !areNeighbours(i, j, n) && unmeasured(i, j)) return pairName(i, j);
    }
    return L"";
}

} // namespace tenzora
