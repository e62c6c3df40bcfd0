#include "model/cutout_form.h"

#include <cwchar>

#include "model/formatting.h"
#include "model/names.h"
#include "model/typed_value.h"

namespace tenzora {

namespace {

// An ellipse's extra row holds 1 when it is turned perpendicular to its side.
constexpr double kTurned = 1.0;

bool isType(std::int32_t type, TZHoleType t) {
    return type == static_cast<std::int32_t>(t);
}
bool isRound(std::int32_t type) {
    return isType(type, TZHoleType::Circle) || isType(type, TZHoleType::Ellipse);
}

const std::vector<CutoutMode>& rectangleModes() {
    static const std::vector<CutoutMode> modes = {
        {1, L"Две точки рядом + сторона"},
        {8, L"Две точки не рядом + сторона"},
        {9, L"Две точки не рядом + сторона (перевернутый)"},
        {2, L"Три точки (по часовой стрелке!)"},
    };
    return modes;
}

const std::vector<CutoutMode>& roundModes() {
    static const std::vector<CutoutMode> modes = {
        {3, L"Центр + диаметр"}, {4, L"Верх + диаметр"}, {5, L"Право + диаметр"},
        {6, L"Низ + диаметр"},   {7, L"Лево + диаметр"},
    };
    return modes;
}

} // namespace

std::vector<CutoutMode> cutoutModes(std::int32_t type) {
    if (isType(type, TZHoleType::Rectangle)) return rectangleModes();
    if (isRound(type)) return roundModes();
    return {};
}

std::wstring cutoutModeText(std::int32_t mode) {
    for (const auto* list : {&rectangleModes(), &roundModes()})
        for (const CutoutMode& m : *list)
            if (m.mode == mode) return m.text;
    return L"";
}

int cutoutRowCount(std::int32_t type, std::int32_t mode) {
    if (isType(type, TZHoleType::Free)) return 0;
    switch (static_cast<TZHoleMode>(mode)) {
    case TZHoleMode::TwoAdjacentPoints:
    case TZHoleMode::TwoOppositePoints:
    case TZHoleMode::TwoOppositePointsTurned:
        return 2;
    case TZHoleMode::ThreePoints:
        return 3;
    default:
        return 1;
    }
}

bool cutoutUsesSize(std::int32_t type, std::int32_t mode) {
    if (isRound(type)) return true;
    return isType(type, TZHoleType::Rectangle) && mode != static_cast<std::int32_t>(TZHoleMode::ThreePoints);
}

std::wstring cutoutSizeLabel(std::int32_t type) {
    switch (static_cast<TZHoleType>(type)) {
    case TZHoleType::Rectangle:
        return L"Сторона:";
    case TZHoleType::Circle:
        return L"Диаметр:";
    case TZHoleType::Ellipse:
        return L"Диаметр 1:";
    default:
        return L"";
    }
}

int cutoutGridTop(std::int32_t type) {
    if (isType(type, TZHoleType::Ellipse)) return 100;
    if (isType(type, TZHoleType::Free)) return 50;
    return 75;
}

std::wstring pointCountText(std::int32_t count) {
    return count == 0 ? kAutomaticPointsText : formatInteger(count);
}

std::int32_t pointCountFromText(const std::wstring& text) {
    const std::wstring t = trimBlanks(text);
    if (t.empty() || t == kAutomaticPointsText) return 0;
    wchar_t* end = nullptr;
    const long v = std::wcstol(t.c_str(), &end, 10);
    if (end == t.c_str() || v < 0 || v > 2147483647L) return 0;
    return static_cast<std::int32_t>(v);
}

std::wstring rowNameText(std::int32_t vertex) {
    return vertexName(vertex);
}

std::wstring rowDistanceText(double distance) {
    return formatNumber(distance, 1);
}

bool freeCutoutNeedsEmptyRow(const std::vector<TZHoleRow>& rows) {
    for (const TZHoleRow& r : rows)
        if (r.vertex1 < 0 && r.vertex2 < 0 && !(r.distance1 > 0) && !(r.distance2 > 0)) return false;
    return true;
}

CutoutFields cutoutFieldsFromRecord(const TZHole& hole) {
    CutoutFields f;
    f.type = hole.type;
    f.mode = hole.mode;
    f.size1 = hole.size1;
    f.pointCount = hole.pointCount;
    f.angleFrom = hole.angleFrom;
    f.angleTo = hole.angleTo;
    const int shown = isRound(hole.type) ? (hole.rows.count() > 0 ? 1 : 0) : hole.rows.count();
    for (int i = 0; i < shown; ++i)
        f.rows.push_back(hole.rows.at(i));
    if (isType(hole.type, TZHoleType::Ellipse) && hole.rows.count() > 1) {
        const TZHoleDiagonal& extra = hole.rows.at(1);
        f.size2 = extra.distance1;
        f.parallelSide =
            extra.vertex1 >= 0 && extra.vertex2 >= 0 ? pairName(extra.vertex1, extra.vertex2) : L"";
        f.turned = extra.distance2 > 0.01;
    }
    return f;
}

TZHole recordFromCutoutFields(const CutoutFields& f) {
    TZHole h;
    h.type = f.type;
    h.mode = isType(f.type, TZHoleType::Free) ? 0 : f.mode;
    if (cutoutUsesSize(f.type, f.mode)) h.size1 = f.size1;
    if (isRound(f.type)) {
        h.pointCount = f.pointCount;
        h.angleFrom = f.angleFrom;
        h.angleTo = f.angleTo;
    }
    for (const TZHoleDiagonal& r : f.rows) {
        if (r.vertex1 < 0 || r.vertex2 < 0) continue;
        TZHoleDiagonal row;
        row.vertex1 = r.vertex1;
        row.vertex2 = r.vertex2;
        row.distance1 = r.distance1;
        row.distance2 = r.distance2;
        h.rows.append(row);
        if (isRound(f.type)) break; // a circle or ellipse is measured by its first row
    }
    if (isType(f.type, TZHoleType::Ellipse)) {
        // The extra row must stay second: without a measurement row an empty one keeps its place
        // (the ellipse is then not drawn).
        if (h.rows.empty()) h.rows.append(TZHoleDiagonal{});
        TZHoleDiagonal extra;
        if (const auto pair = parsePairName(applyNameKeys(f.parallelSide))) {
            extra.vertex1 = pair->first;
            extra.vertex2 = pair->second;
        }
        extra.distance1 = f.size2;
        extra.distance2 = f.turned ? kTurned : 0.0;
        h.rows.append(extra);
    }
    return h;
}

std::optional<std::wstring> cutoutFieldsRefusal(const CutoutFields& fields) {
    if (auto refusal = refusalOf(fields.size1, valueRange::kCutoutSize, L"Размер")) return refusal;
    if (auto refusal = refusalOf(fields.size2, valueRange::kCutoutSize, L"Диаметр 2")) return refusal;
    for (const TZHoleDiagonal& row : fields.rows)
        for (double distance : {row.distance1, row.distance2})
            if (auto refusal = refusalOf(distance, valueRange::kDistance, L"Расстояние")) return refusal;
    return std::nullopt;
}

std::optional<std::wstring> cutoutSizeTextsRefusal(std::wstring_view size1, std::wstring_view size2) {
    const TypedValue first = readTypedValue(size1, valueRange::kCutoutSize, L"Размер");
    if (first.refused()) return first.refusal;
    const TypedValue second = readTypedValue(size2, valueRange::kCutoutSize, L"Диаметр 2");
    if (second.refused()) return second.refusal;
    return std::nullopt;
}

} // namespace tenzora
