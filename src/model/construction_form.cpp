#include "model/construction_form.h"

#include <cmath>
#include <utility>

#include "model/names.h"
#include "model/typed_value.h"

namespace tenzora {

namespace {

constexpr wchar_t kOutward[] = L"Наружу";
constexpr wchar_t kInward[] = L"Внутрь";
// Intermediate points a new arc gets.
constexpr std::int32_t kDefaultArcPoints = 5;

int indexOfName(const std::wstring& name) {
    const std::wstring keyed = applyNameKeys(name);
    return keyed.empty() ? -1 : vertexIndexStrict(keyed);
}

// 1210 as a whole number; a value beyond the int32 range (or not a number) gives 0.
std::int32_t truncatedField(double v) {
    if (!std::isfinite(v) || v >= 2147483648.0 || v <= -2147483649.0) return 0;
    return static_cast<std::int32_t>(std::trunc(v));
}

bool isKind(std::int32_t kind, TZDopKind k) {
    return kind == static_cast<std::int32_t>(k);
}

std::wstring distanceLabel(const std::wstring& name) {
    return L"расстояние от " + name + L" :";
}

} // namespace

ConstructionFields fieldsFromRecord(const TZDop& dop) {
    ConstructionFields f;
    f.kind = dop.kind;
    f.name1 = vertexName(dop.vertex1);
    f.name2 = vertexName(dop.vertex2);
    f.distance1 = dop.distance1;
    f.distance2 = dop.distance2;
    f.depth = dop.depth;
    f.arcLength = dop.arcLength;
    f.extra = isKind(dop.kind, TZDopKind::Trapezoid) ? dop.depth2 : dop.extraPoints;
    return f;
}

namespace {

struct NumberField {
    const ValueRange& range;
    const wchar_t* name;
};

// The five number fields in the order of ConstructionTexts: distance 1, distance 2, depth, arc
// length, the extra field (the arc's points, a trapezoid's second depth, a bend's second level).
std::array<NumberField, 5> numberFields(std::int32_t kind) {
    const bool arc = kind == static_cast<std::int32_t>(TZDopKind::Arc);
    return {
        {{valueRange::kConstructionSize, L"Расстояние 1"},
         {valueRange::kConstructionSize, L"Расстояние 2"},
         {valueRange::kConstructionSize, L"Глубина"},
         {valueRange::kConstructionSize, L"Длина дуги"},
         {arc ? valueRange::kArcPoints : valueRange::kConstructionSize, arc ? L"Доп. точек" : L"Глубина 2"}}};
}

} // namespace

std::optional<std::wstring> constructionFieldsRefusal(const ConstructionFields& f) {
    const double values[] = {f.distance1, f.distance2, f.depth, f.arcLength, f.extra};
    const auto fields = numberFields(f.kind);
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (auto refusal = refusalOf(values[i], fields[i].range, fields[i].name)) return refusal;
    return std::nullopt;
}

std::optional<std::wstring> constructionTextsRefusal(std::int32_t kind, const ConstructionTexts& texts) {
    const auto fields = numberFields(kind);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const TypedValue v = readTypedValue(texts[i], fields[i].range, fields[i].name);
        if (v.refused()) return v.refusal;
    }
    return std::nullopt;
}

TZDop recordFromFields(const ConstructionFields& f, const TZDop& base) {
    TZDop d = base;
    d.vertex1 = indexOfName(f.name1);
    d.vertex2 = indexOfName(f.name2);
    d.kind = f.kind;
    d.distance1 = f.distance1;
    d.distance2 = f.distance2;
    d.depth = f.depth;
    d.extraPoints = truncatedField(f.extra);
    if (isKind(f.kind, TZDopKind::Trapezoid)) d.depth2 = f.extra;
    d.arcLength = f.depth != 0 ? 0.0 : f.arcLength;
    orderHostVertices(d);
    return d;
}

void orderHostVertices(TZDop& d) {
    const bool alongOneSide = isKind(d.kind, TZDopKind::Rectangle) || isKind(d.kind, TZDopKind::Arc) ||
                              isKind(d.kind, TZDopKind::Trapezoid);
    if (!alongOneSide || !(d.vertex2 < d.vertex1) || d.vertex2 == 0) return;
    std::swap(d.vertex1, d.vertex2);
    std::swap(d.distance1, d.distance2);
    if (isKind(d.kind, TZDopKind::Trapezoid)) std::swap(d.depth, d.depth2);
}

std::wstring directionWord(std::int32_t kind, double depth, double arcLength) {
    if (depth != 0) {
        const bool outward = isKind(kind, TZDopKind::Bend) ? depth > 0 : depth < 0;
        return outward ? kOutward : kInward;
    }
    if (arcLength < 0) return kOutward;
    if (arcLength > 0) return kInward;
    return L"";
}

void selectKind(TZDop& dop, std::int32_t kind) {
    dop.kind = kind;
    if (isKind(kind, TZDopKind::Arc) && dop.extraPoints == 0) dop.extraPoints = kDefaultArcPoints;
    if (isKind(kind, TZDopKind::Bend) && dop.depth == 0) dop.extraPoints = 0;
}

ConstructionLayout constructionLayout(std::int32_t kind, const std::wstring& name1, const std::wstring& name2,
                                      int pointCount) {
    ConstructionLayout l;
    l.distanceLabel1 = distanceLabel(name1);
    l.distanceLabel2 = distanceLabel(name2);
    switch (static_cast<TZDopKind>(kind)) {
    case TZDopKind::Rectangle:
        break;
    case TZDopKind::Arc:
        l.extra = ControlState::Shown;
        l.arcLength = ControlState::Shown;
        break;
    case TZDopKind::CornerCut: {
        l.vertexLabel1 = ControlState::Hidden;
        l.vertexLabel2Text = L"Вершина:";
        l.name1 = ControlState::Hidden;
        l.depth = ControlState::Hidden;
        const int corner = indexOfName(name2);
        std::wstring arriving, leaving;
        if (corner >= 0 && pointCount > 0) {
            arriving = pairName((corner + pointCount - 1) % pointCount, corner);
            leaving = pairName(corner, (corner + 1) % pointCount);
        }
        l.distanceLabel1 = L"Срез по " + arriving + L" :";
        l.distanceLabel2 = L"Срез по " + leaving + L" :";
        break;
    }
    case TZDopKind::Trapezoid:
        l.depthLabel = L"Глубина 1:";
        l.extra = ControlState::Shown;
        l.extraLabel = L"Глубина 2:";
        break;
    case TZDopKind::Bend:
        l.depthLabel = L"1й уровень:";
        l.extra = ControlState::Shown;
        l.extraLabel = L"2й уровень:";
        break;
    default: // disabled
        l.vertexLabel1 = l.vertexLabel2 = ControlState::Inactive;
        l.distances = l.name1 = l.name2 = ControlState::Inactive;
        l.distanceLabel1 = l.distanceLabel2 = L"расстояние до вершины:";
        l.depth = l.extra = l.arcLength = ControlState::Inactive;
        break;
    }
    return l;
}

} // namespace tenzora
