// The text of the constructions and cutouts for the sheet: each with its kind and the distances
// it was measured by, the constructions first.

#include <limits>

#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/names.h"
#include "output/variable_lists.h"

namespace tenzora {

namespace {

constexpr wchar_t kSeparator[] = L"; ";

std::wstring number(double v) {
    return formatNumber(v, 1);
}

// The name of the point `by` places after `index` (before, for a negative `by`); none beyond the
// range of names (an index read from a damaged file may lie at the end of the integer range).
std::wstring shiftedName(int index, int by) {
    const long long shifted = static_cast<long long>(index) + by;
    if (shifted < 0 || shifted > std::numeric_limits<int>::max()) return {};
    return vertexName(static_cast<int>(shifted));
}

// " до A=50.0, до B=30.0" (or with "от").
std::wstring fromTo(const wchar_t* word, const std::wstring& first, double d1, const std::wstring& second,
                    double d2) {
    return L" " + std::wstring(word) + L" " + first + L"=" + number(d1) + L", " + word + L" " + second +
           L"=" + number(d2);
}

std::wstring constructionText(const TZDop& dop) {
    // The construction's first and last points in the working outline when known, else its hosts.
    const int p = dop.firstPointIndex >= 0 ? dop.firstPointIndex : dop.vertex1;
    const int q = dop.lastPointIndex >= 0 ? dop.lastPointIndex : dop.vertex2;
    switch (static_cast<TZDopKind>(dop.kind)) {
    case TZDopKind::Rectangle:
        return L"ПРЯМОУГ.: " + fromTo(L"до", vertexName(p), dop.distance1, vertexName(q), dop.distance2) +
               L", ширина=" + number(dop.width);
    case TZDopKind::Arc: {
        std::wstring text =
            L"ДУГА: " + fromTo(L"от", vertexName(p), dop.distance1, vertexName(q), dop.distance2);
        if (dop.width != 0) text += L", ширина=" + number(dop.width);
        if (dop.arcLength != 0) text += L", длина=" + number(dop.arcLength);
        if (dop.depth2 != 0) text += L", радиус=" + number(dop.depth2);
        return text;
    }
    case TZDopKind::CornerCut:
        return L"СРЕЗ: " + fromTo(L"от", vertexName(p) + shiftedName(p, -1), dop.distance1,
                                  vertexName(q) + shiftedName(q, 1), dop.distance2);
    case TZDopKind::Trapezoid:
    case TZDopKind::Bend:
        return (dop.kind == static_cast<std::int32_t>(TZDopKind::Trapezoid) ? L"ТРАПЕЦИЯ: " : L"ПЕРЕГИБ: ") +
               fromTo(L"до", vertexName(p), dop.distance1, vertexName(q), dop.distance2) + L", ширина 1=" +
               number(dop.width) + L", ширина 2=" + number(dop.depth2);
    default:
        return {};
    }
}

std::wstring rowText(const TZHoleDiagonal& row) {
    return fromTo(L"от", vertexName(row.vertex1), row.distance1, vertexName(row.vertex2), row.distance2);
}

std::wstring rectangleCutoutText(const TZHole& hole) {
    const int rows = hole.rows.count();
    std::wstring text;
    switch (static_cast<TZHoleMode>(hole.mode)) {
    case TZHoleMode::TwoAdjacentPoints:
        if (rows >= 2) text = L"ВЫРЕЗ ПРЯМОУГ. (две точк.):";
        break;
    case TZHoleMode::ThreePoints:
        if (rows >= 3) text = L"ВЫРЕЗ ПРЯМОУГ. (три точк.):";
        break;
    case TZHoleMode::TwoOppositePoints:
        if (rows >= 2) text = L"ВЫРЕЗ ПРЯМОУГ. (две т. не ряд.):";
        break;
    default:
        break;
    }
    if (rows >= 1) text += rowText(hole.rows.at(0)) + kSeparator;
    if (rows >= 2) text += rowText(hole.rows.at(1));
    if (hole.mode == static_cast<std::int32_t>(TZHoleMode::ThreePoints) && rows >= 3)
        text += std::wstring(L";") + rowText(hole.rows.at(2));
    return text;
}

std::wstring roundCutoutText(const TZHole& hole, const wchar_t* title) {
    if (hole.rows.count() < 1) return {};
    std::wstring text = title + number(hole.size1);
    switch (static_cast<TZHoleMode>(hole.mode)) {
    case TZHoleMode::Top:
        text += L"(верх):";
        break;
    case TZHoleMode::Right:
        text += L"(право):";
        break;
    case TZHoleMode::Bottom:
        text += L"(низ):";
        break;
    case TZHoleMode::Left:
        text += L"(лево):";
        break;
    default:
        break;
    }
    return text + rowText(hole.rows.at(0));
}

std::wstring cutoutText(const TZHole& hole) {
    switch (static_cast<TZHoleType>(hole.type)) {
    case TZHoleType::Rectangle:
        return rectangleCutoutText(hole);
    case TZHoleType::Circle:
        return roundCutoutText(hole, L"ВЫРЕЗ КРУГА диам.: ");
    case TZHoleType::Ellipse:
        return roundCutoutText(hole, L"ВЫРЕЗ ЭЛЛИПСА диам.: ");
    case TZHoleType::Free: {
        std::wstring text = L"ВЫРЕЗ ";
        for (int r = 0; r < hole.rows.count(); ++r) {
            if (r > 0) text += kSeparator;
            text += rowText(hole.rows.at(r));
        }
        return text;
    }
    }
    return {};
}

} // namespace

std::wstring formsList(const TZCeiling& doc) {
    std::wstring text;
    bool first = true;
    for (const TZDop& dop : doc.dops) {
        if (!first) text += kSeparator;
        first = false;
        text += constructionText(dop);
    }
    for (const TZHole& hole : doc.holes) {
        if (!first) text += kSeparator;
        first = false;
        text += cutoutText(hole);
    }
    return text;
}

} // namespace tenzora
