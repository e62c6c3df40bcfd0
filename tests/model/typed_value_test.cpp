// Typed values checked against their physical ranges: the reading itself, and the construction
// and cutout fields and grid cells that use it.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/construction.h"
#include "model/construction_form.h"
#include "model/cutout_form.h"
#include "model/cutout_grid.h"
#include "model/shape_wizard.h"
#include "model/typed_value.h"

using namespace tenzora;

namespace {

constexpr ValueRange kLength = valueRange::kRoomLength;

} // namespace

TEST(TypedValue, ReadsEmptyValueOrRefusalForEveryKindOfText) {
    struct Case {
        const wchar_t* text;
        TypedStatus status;
        double value;
    };
    const Case cases[] = {
        {L"", TypedStatus::Empty, 0},
        {L"   ", TypedStatus::Empty, 0},
        {L"0", TypedStatus::Empty, 0},
        {L"0,0", TypedStatus::Empty, 0}, // not measured
        {L"312,5", TypedStatus::Value, 312.5},
        {L" +40см", TypedStatus::Value, 40},
        {L".5", TypedStatus::Value, 0.5},
        {L"10000", TypedStatus::Value, 10000},
        {L"-5", TypedStatus::Refused, 0},
        {L"nan", TypedStatus::Refused, 0},
        {L"-nan", TypedStatus::Refused, 0},
        {L"inf", TypedStatus::Refused, 0},
        {L"Infinity", TypedStatus::Refused, 0},
        {L"1e308", TypedStatus::Refused, 0},
        {L"1e400", TypedStatus::Refused, 0},
        {L"1e-400", TypedStatus::Refused, 0},
        {L"abc", TypedStatus::Refused, 0},
        {L"см 300", TypedStatus::Refused, 0},
        {L"10000.001", TypedStatus::Refused, 0},
        {L"-0", TypedStatus::Empty, 0},
    };
    for (const Case& c : cases) {
        const TypedValue v = readTypedValue(c.text, kLength, L"Длина", DecimalComma::Accepted, true);
        EXPECT_EQ(v.status, c.status) << c.text;
        EXPECT_EQ(v.value, c.value) << c.text;
        EXPECT_EQ(v.refusal.empty(), c.status != TypedStatus::Refused) << c.text;
    }
    // Without zeroIsEmpty a typed 0 is checked like any value: in a range from 0 it is a value,
    // in a range above 0 it is refused.
    EXPECT_EQ(readTypedValue(L"0", valueRange::kOffcutCoef, L"К").status, TypedStatus::Value);
    EXPECT_EQ(readTypedValue(L"0", valueRange::kRollWidth, L"Ширина").status, TypedStatus::Refused);
    // A comma is a decimal point only where the field takes one.
    EXPECT_EQ(readTypedValue(L"0,93", valueRange::kTensionCoef, L"К", DecimalComma::Rejected, true).status,
              TypedStatus::Empty);
}

TEST(TypedValue, MessagesNameTheFieldAndTheRangeInItsUnit) {
    EXPECT_EQ(rangeRefusalText(L"Длина", valueRange::kRoomLength),
              L"Поле «Длина»: введите число больше 0 и не больше 10000 см");
    EXPECT_EQ(rangeRefusalText(L"К", valueRange::kTensionCoef), L"Поле «К»: введите число от 0.5 до 1");
    EXPECT_EQ(rangeRefusalText(L"Цена", valueRange::kPrice),
              L"Поле «Цена»: введите число от 0 до 1000000000");
    EXPECT_EQ(rangeRefusalText(L"Метраж", valueRange::kAreaStep),
              L"Поле «Метраж»: введите число от 0 до 1000000 м²");
    EXPECT_FALSE(refusalOf(0.5, valueRange::kTensionCoef, L"К"));
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(), -1e308, 1e308, 0.49})
        EXPECT_TRUE(refusalOf(bad, valueRange::kTensionCoef, L"К")) << bad;
}

TEST(TypedValue, EveryRangeIsSoundAndHoldsNoAbsurdBound) {
    const ValueRange ranges[] = {valueRange::kRoomLength,
                                 valueRange::kDistance,
                                 valueRange::kSeamOffset,
                                 valueRange::kSeamAllowance,
                                 valueRange::kConstructionSize,
                                 valueRange::kArcPoints,
                                 valueRange::kCutoutSize,
                                 valueRange::kRollWidth,
                                 valueRange::kTensionCoef,
                                 valueRange::kOffcutCoef,
                                 valueRange::kPrice,
                                 valueRange::kExtraWorkPrice,
                                 valueRange::kReceiptQuantity,
                                 valueRange::kQuantity,
                                 valueRange::kCoefficient,
                                 valueRange::kAreaStep,
                                 valueRange::kCoordinate};
    for (const ValueRange& r : ranges) {
        EXPECT_LT(r.low, r.high);
        // Squares and sums of any two values stay finite, so the figures made of them do too.
        EXPECT_TRUE(std::isfinite(r.high * r.high * 4));
        EXPECT_TRUE(valueRange::contains(r, r.high));
        EXPECT_EQ(valueRange::contains(r, r.low), !r.lowOpen);
        EXPECT_FALSE(valueRange::contains(r, std::nan("")));
    }
}

TEST(TypedValue, ConstructionAndCutoutFieldsRefuseWhatNoRoomHas) {
    ConstructionFields arc;
    arc.kind = static_cast<std::int32_t>(TZDopKind::Arc);
    arc.distance1 = 50, arc.distance2 = 50, arc.depth = -30, arc.extra = 5;
    EXPECT_FALSE(constructionFieldsRefusal(arc)) << "an inward depth is negative";
    for (double ConstructionFields::*member :
         {&ConstructionFields::distance1, &ConstructionFields::distance2, &ConstructionFields::depth,
          &ConstructionFields::arcLength, &ConstructionFields::extra}) {
        for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(), 1e308, -20000.0}) {
            ConstructionFields f = arc;
            f.*member = bad;
            EXPECT_TRUE(constructionFieldsRefusal(f)) << bad;
        }
    }
    ConstructionFields negativePoints = arc;
    negativePoints.extra = -5;
    EXPECT_EQ(constructionFieldsRefusal(negativePoints).value_or(L""),
              L"Поле «Доп. точек»: введите число от 0 до 10000");
    const ConstructionTexts typed = {L"50", L"50,5", L"-30", L"", L"5"};
    EXPECT_FALSE(constructionTextsRefusal(arc.kind, typed));
    for (const wchar_t* bad : {L"-20000", L"nan", L"inf", L"1e308", L"глубина"}) {
        ConstructionTexts t = typed;
        t[2] = bad;
        EXPECT_EQ(constructionTextsRefusal(arc.kind, t).value_or(L""),
                  L"Поле «Глубина»: введите число от -10000 до 10000 см")
            << bad;
    }

    CutoutFields cutout;
    cutout.size1 = 20;
    cutout.rows.push_back(TZHoleDiagonal{0, 1, {}, {}, 100, 120});
    EXPECT_FALSE(cutoutFieldsRefusal(cutout));
    for (double bad : {-5.0, std::nan(""), std::numeric_limits<double>::infinity(), 1e308}) {
        CutoutFields f = cutout;
        f.size1 = bad;
        EXPECT_TRUE(cutoutFieldsRefusal(f)) << bad;
        f = cutout;
        f.rows[0].distance2 = bad;
        EXPECT_TRUE(cutoutFieldsRefusal(f)) << bad;
    }
    EXPECT_FALSE(cutoutSizeTextsRefusal(L"20", L""));
    for (const wchar_t* bad : {L"-5", L"nan", L"inf", L"1e308", L"abc"})
        EXPECT_EQ(cutoutSizeTextsRefusal(L"20", bad).value_or(L""),
                  L"Поле «Диаметр 2»: введите число от 0 до 10000 см")
            << bad;
}

TEST(TypedValue, ARefusedGridDistanceKeepsTheCellAndSaysWhy) {
    TZHoleRow row;
    row.distance1 = 12.5;
    for (const wchar_t* bad : {L"-5", L"nan", L"inf", L"1e308", L"abc"}) {
        std::wstring text = bad;
        const auto refusal = editCutoutCell(row, 2, text);
        ASSERT_TRUE(refusal) << bad;
        EXPECT_EQ(*refusal, L"Поле «Расстояние»: введите число от 0 до 10000 см");
        EXPECT_EQ(row.distance1, 12.5) << bad;
        EXPECT_EQ(text, L"12.5") << "the cell shows what it still holds";
    }
    std::wstring empty;
    EXPECT_FALSE(editCutoutCell(row, 4, empty));
    EXPECT_EQ(row.distance2, 0);
}

TEST(TypedValue, TheShapeWizardAsksForAMissingSizeAndRefusesOneNoRoomHas) {
    WizardFields f;
    f.rectangleY = L"400";
    for (const wchar_t* missing : {L"", L"0", L"abc", L"nan", L"inf"}) {
        f.rectangleX = missing;
        EXPECT_EQ(wizardFieldMessage(WizardShape::Rectangle, f),
                  L"Пожалуйста, укажите длину стороны прямоугольника")
            << missing;
    }
    for (const wchar_t* bad : {L"-5", L"1e308", L"10001"}) {
        f.rectangleX = bad;
        EXPECT_EQ(wizardFieldMessage(WizardShape::Rectangle, f),
                  L"Поле «Размер»: введите число больше 0 и не больше 10000 см")
            << bad;
    }
    f.rectangleX = L"500";
    EXPECT_FALSE(wizardFieldMessage(WizardShape::Rectangle, f));
}
