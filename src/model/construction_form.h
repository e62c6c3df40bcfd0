#pragma once
// The logic of the construction dialog that is not about widgets: the texts of its type list,
// what its fields show for a record, which controls each kind uses and how they are labelled,
// the direction word, and the record its OK stores.

#include <array>
#include <optional>
#include <string>

#include "model/construction.h"

namespace tenzora {

// The type list, in the order of TZDopKind.
inline constexpr std::array<const wchar_t*, 6> kConstructionKindTexts = {
    L"--Отключёно--", L"Прямоугольник", L"Дуга", L"Срез угла", L"Трапеция", L"Перегиб"};

// What the dialog's fields hold (numbers already read from their edits).
struct ConstructionFields {
    std::int32_t kind = 0;
    std::wstring name1;   // vertex 1 (2010)
    std::wstring name2;   // vertex 2 (2011)
    double distance1 = 0; // 1180
    double distance2 = 0; // 1188
    double depth = 0;     // 1204
    double arcLength = 0; // 1244
    double extra = 0;     // 1210: arc points, trapezoid second depth, bend second level
};

// The fields for a record: the point names (empty for −1) and, in 1210, depth2 for a trapezoid
// and extraPoints otherwise.
ConstructionFields fieldsFromRecord(const TZDop& dop);

// The record OK stores from the fields: names to indexes (−1 for an empty or unreadable name),
// extraPoints = 1210 truncated, depth2 = 1210 for a trapezoid, the arc length only when the depth
// is 0; then orderHostVertices(). Computed members are kept from `base`.
TZDop recordFromFields(const ConstructionFields& fields, const TZDop& base);

// The message refusing the first number of the fields that is not finite or outside its range
// (the dialog then stays open, the project unchanged); nullopt when OK may store the record.
std::optional<std::wstring> constructionFieldsRefusal(const ConstructionFields& fields);
// The same for the texts of the five number fields as typed (distance 1, distance 2, depth, arc
// length, the extra field): a text that holds no number is refused too; an empty one reads 0.
using ConstructionTexts = std::array<std::wstring, 5>;
std::optional<std::wstring> constructionTextsRefusal(std::int32_t kind, const ConstructionTexts& texts);

// A rectangle, arc or trapezoid given from a later point to an earlier one (not point 0) is
// turned round: the two indexes are exchanged, and with them the two distances (so that each
// stays measured from the point it was typed for) and a trapezoid's two depths.
void orderHostVertices(TZDop& dop);

// "Наружу", "Внутрь" or "" for the kind and the depth (or, when the depth is 0, the arc length).
// A bend moves outward for a positive level, every other kind inward.
std::wstring directionWord(std::int32_t kind, double depth, double arcLength);

// Selecting a kind in the list: an arc whose extraPoints is 0 gets 5; a bend whose depth is 0
// gets no second level.
void selectKind(TZDop& dop, std::int32_t kind);

enum class ControlState { Shown, Inactive, Hidden };

// How the dialog looks for a kind.
struct ConstructionLayout {
    ControlState vertexLabel1 = ControlState::Shown; // 1252
    ControlState vertexLabel2 = ControlState::Shown; // 1258
    std::wstring vertexLabel2Text = L"Вершина 2:";
    ControlState distances = ControlState::Shown; // 1180, 1188
    ControlState name1 = ControlState::Shown;     // 2010
    ControlState name2 = ControlState::Shown;     // 2011
    std::wstring distanceLabel1, distanceLabel2;  // 1264, 1268
    ControlState depth = ControlState::Shown;     // 1204 with 1280
    std::wstring depthLabel = L"Глубина:";
    ControlState extra = ControlState::Hidden; // 1210 with 1276
    std::wstring extraLabel = L"Доп. точек:";
    ControlState arcLength = ControlState::Hidden; // 1244 with 1272
};

// `name1`, `name2` are the texts of the name fields; `pointCount` is the number of points of the
// working outline (the corner cut's labels name the two sides at the corner, cyclically).
ConstructionLayout constructionLayout(std::int32_t kind, const std::wstring& name1, const std::wstring& name2,
                                      int pointCount);

} // namespace tenzora
