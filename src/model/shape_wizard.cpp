#include "model/shape_wizard.h"

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "model/ceiling.h"
#include "model/names.h"
#include "model/shapes.h"
#include "model/typed_number.h"
#include "model/typed_value.h"

namespace tenzora {

namespace {

constexpr wchar_t kNoShape[] = L"Пожалуйста, укажите тип фигуры";
constexpr wchar_t kSquareSide[] = L"Пожалуйста, укажите длину стороны квадрата";
constexpr wchar_t kRectangleLength[] = L"Пожалуйста, укажите длину стороны прямоугольника";
constexpr wchar_t kRectangleWidth[] = L"Пожалуйста, укажите ширину стороны прямоугольника";
constexpr wchar_t kCutLength[] = L"Пожалуйста, укажите длину выреза";
constexpr wchar_t kCutWidth[] = L"Пожалуйста, укажите ширину выреза";
constexpr wchar_t kDiameter[] = L"Пожалуйста, укажите диаметр";
constexpr wchar_t kEllipsePoints[] = L"Пожалуйста, укажите число точек, составляющих эллипс";
constexpr wchar_t kHorizontalDiameter[] = L"Пожалуйста, укажите горизонтальный диаметр эллипса";
constexpr wchar_t kVerticalDiameter[] = L"Пожалуйста, укажите вертикальный диаметр эллипса";

double value(const std::wstring& field) {
    return readTypedNumber(field);
}

// A point count read from its field, truncated; counts beyond int are as absurd as the limit.
int pointCount(const std::wstring& field) {
    const double v = std::trunc(value(field));
    if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

// The fields of a shape in the order they are checked, each with its message.
std::vector<std::pair<const std::wstring*, const wchar_t*>> requiredFields(WizardShape shape,
                                                                           const WizardFields& f) {
    switch (shape) {
    case WizardShape::Square:
        return {{&f.squareSide, kSquareSide}};
    case WizardShape::Rectangle:
        return {{&f.rectangleX, kRectangleLength}, {&f.rectangleY, kRectangleWidth}};
    case WizardShape::CornerCut:
        return {{&f.cutX, kSquareSide},
                {&f.cutY, kRectangleWidth},
                {&f.cutWidth, kCutLength},
                {&f.cutHeight, kCutWidth}};
    case WizardShape::Circle:
        return {{&f.circleDiameter, kDiameter}, {&f.circlePoints, kEllipsePoints}};
    case WizardShape::Ellipse:
        return {{&f.ellipseX, kHorizontalDiameter},
                {&f.ellipseY, kVerticalDiameter},
                {&f.ellipsePoints, kEllipsePoints}};
    case WizardShape::None:
        break;
    }
    return {};
}

} // namespace

std::optional<std::wstring> wizardFieldMessage(WizardShape shape, const WizardFields& fields) {
    if (shape == WizardShape::None) return std::wstring(kNoShape);
    for (const auto& [field, message] : requiredFields(shape, fields)) {
        // A field that reads no number (empty, 0 or a word) is asked for by name; a size no
        // room has (negative or beyond the room lengths) is refused with its range. The point
        // counts are checked by the shape itself.
        if (value(*field) == 0) return std::wstring(message);
        const bool count = field == &fields.circlePoints || field == &fields.ellipsePoints;
        if (!count) {
            const TypedValue typed =
                readTypedValue(*field, valueRange::kRoomLength, L"Размер", DecimalComma::Rejected, true);
            if (typed.refused()) return typed.refusal;
        }
    }
    // A point count that truncates to zero is as missing as an empty field.
    if (shape == WizardShape::Circle && pointCount(fields.circlePoints) == 0)
        return std::wstring(kEllipsePoints);
    if (shape == WizardShape::Ellipse && pointCount(fields.ellipsePoints) == 0)
        return std::wstring(kEllipsePoints);
    return std::nullopt;
}

bool wizardOk(TZCeiling& doc, WizardShape shape, const WizardFields& f) {
    if (const auto message = wizardFieldMessage(shape, f)) {
        // The messages name no icon: a plain message box.
        doc.ui().message({*message, L"", MessageIcon::None, MessageButtons::Ok, MessageAnswer::Ok});
        return false;
    }
    switch (shape) {
    case WizardShape::Square:
        return generateShape(doc, ShapeKind::Rectangle, 4, value(f.squareSide), value(f.squareSide));
    case WizardShape::Rectangle:
        return generateShape(doc, ShapeKind::Rectangle, 4, value(f.rectangleX), value(f.rectangleY));
    case WizardShape::CornerCut:
        return generateShape(doc, ShapeKind::CornerCut, 6, value(f.cutX), value(f.cutY), value(f.cutWidth),
                             value(f.cutHeight));
    case WizardShape::Circle:
        return generateShape(doc, ShapeKind::Ellipse, pointCount(f.circlePoints), value(f.circleDiameter),
                             value(f.circleDiameter));
    case WizardShape::Ellipse:
        return generateShape(doc, ShapeKind::Ellipse, pointCount(f.ellipsePoints), value(f.ellipseX),
                             value(f.ellipseY));
    case WizardShape::None:
        break;
    }
    return false;
}

std::wstring lastCornerName(const TZCeiling& doc) {
    return vertexName(doc.polygon.count() - 1);
}

} // namespace tenzora
