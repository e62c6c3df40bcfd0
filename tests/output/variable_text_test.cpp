// The texts of the sheet's variables: wrapping, overflow to the continuation page, the lists,
// the material and price figures and the installation time.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>

#include "cutting/layout.h"
#include "model/print_form.h"
#include "model/records.h"
#include "model/settings.h"
#include "output/installation_time.h"
#include "output/report_fields.h"
#include "output/text_wrap.h"
#include "output/variable_lists.h"
#include "output/variable_text.h"
#include "storage/codepage.h"
#include "support/fakes.h"
#include "support/rooms.h"

using namespace tenzora;

namespace {

TZPrintFormElem box(int wrapWidth, int maxLines) {
    TZPrintFormElem e;
    e.type = static_cast<int>(PrintElemType::PrintVar);
    e.wrapWidth = wrapWidth;
    e.maxLines = maxLines;
    return e;
}

int lineFeeds(const std::wstring& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), L'\n'));
}

// A document whose program directory holds the shipped price list (and no materials base).
struct VariablesTest : ::testing::Test {
    TempDir home;
    std::unique_ptr<TestDocument> t;
    AppSettings settings;
    TZPrintForm form;
    std::wstring continuation;

    void SetUp() override {
        std::filesystem::copy_file(std::filesystem::path(TENZORA_SOURCE_DIR) / "data" / "price.dat",
                                   home / "price.dat");
        t = std::make_unique<TestDocument>(false, home.path());
    }
    TZCeiling& doc() { return **t; }
    std::wstring text(int id, const TZPrintFormElem& element = {}) {
        return variableText(doc(), settings, form, element, id, continuation);
    }
    // The room of the wrapping example: AB 250, BC 300, CD 250, DA not measured.
    void exampleRoom() {
        setOutline(doc(), {{0, 0}, {250, 0}, {250, 300}, {0, 300}});
        measureRecord(doc(), L"AB", 250);
        measureRecord(doc(), L"BC", 300);
        measureRecord(doc(), L"CD", 250);
    }
};

} // namespace

TEST(WrapText, BreaksAtBlanksAndAlwaysAdvances) {
    std::wstring text = L"AB=250.0; BC=300.0; CD=250.0";
    int breaks = 0;
    wrapText(box(14, 0), text, breaks);
    EXPECT_EQ(text, L"AB=250.0;\nBC=300.0;\nCD=250.0");
    EXPECT_EQ(breaks, 2);

    // A word longer than the width is cut at the width instead of looping for ever.
    text = L"ABCDEFGHIJ KL";
    breaks = 0;
    wrapText(box(4, 0), text, breaks);
    EXPECT_EQ(text, L"ABCD\nEFGH\nIJ\nKL");
    EXPECT_EQ(breaks, 3);

    // No width, or a width the text fits in, leaves it alone.
    for (int width : {0, -3, 13, 50}) {
        text = L"ABCDEFGHIJ KL";
        breaks = 0;
        wrapText(box(width, 0), text, breaks);
        EXPECT_EQ(text, L"ABCDEFGHIJ KL");
        EXPECT_EQ(breaks, 0);
    }
}

TEST_F(VariablesTest, SidesOverflowToTheContinuationUnderTheirHeading) {
    exampleRoom();
    EXPECT_EQ(text(field::kSides), L"AB=250.0; BC=300.0; CD=250.0");
    EXPECT_EQ(text(field::kSides, box(14, 3)), L"AB=250.0;\nBC=300.0;\nCD=250.0");
    EXPECT_TRUE(continuation.empty());

    EXPECT_EQ(text(field::kSides, box(14, 2)), L"(см. следующую страницу)");
    EXPECT_EQ(continuation, L"СТОРОНЫ:\n\nAB=250.0;\nBC=300.0;\nCD=250.0\n\n");
    form.english = true;
    EXPECT_EQ(text(field::kSides, box(14, 2)), L"(see next page)");
    EXPECT_EQ(continuation.substr(continuation.rfind(L"SIDES:")),
              L"SIDES:\n\nAB=250.0;\nBC=300.0;\nCD=250.0\n\n");
}

TEST_F(VariablesTest, ThreeLinesOfBoxForEachList) {
    // SIDES with 3 breaks (four lines) does not fit 3 lines.
    exampleRoom();
    measureRecord(doc(), L"AD", 300);
    EXPECT_EQ(lineFeeds(text(field::kSides, box(10, 0))), 3);
    EXPECT_EQ(text(field::kSides, box(10, 3)), L"(см. следующую страницу)");

    // ANGLES with 3 breaks stays: the angles overflow only beyond their breaks.
    continuation.clear();
    doc().view.showLengths = true;
    const std::wstring angles = text(field::kAngles, box(12, 0));
    ASSERT_EQ(lineFeeds(angles), 3) << angles;
    EXPECT_EQ(text(field::kAngles, box(12, 3)), angles);
    EXPECT_TRUE(continuation.empty());
    EXPECT_EQ(text(field::kAngles, box(12, 2)), L"(см. следующую страницу)");
    EXPECT_EQ(continuation.rfind(L"УГЛЫ:\n\n", 0), 0u);

    // ADDJOB: two works fit 3 lines, three do not.
    continuation.clear();
    doc().city = 0;
    doc().extraWorks.append({L"Люстра", 2.0});
    doc().extraWorks.append({L"Люстра", 1.0});
    EXPECT_EQ(lineFeeds(text(field::kAddjob, box(0, 3))), 2);
    doc().extraWorks.append({L"Люстра", 3.0});
    EXPECT_EQ(text(field::kAddjob, box(0, 3)), L"(см. следующую страницу)");
    EXPECT_EQ(continuation.rfind(L"ДОПОЛНИТЕЛЬНАЯ РАБОТА:\n\nЛюстра\t2\t1000.00\n", 0), 0u)
        << codepage::toUtf8(continuation);
}

TEST_F(VariablesTest, CanvasesListedWithAnEmptyLineBetween) {
    setOutline(doc(), {{0, 0}, {500, 0}, {500, 400}, {0, 400}});
    doc().seamFrom = 0;
    doc().seamTo = 1;
    Material fabric;
    fabric.width = 320;
    fabric.tensionCoef = 1.0;
    doc().material = fabric;
    ASSERT_EQ(layoutCanvases(doc(), fabric, true, false), LayoutOutcome::LaidOut);

    const std::wstring canvases = text(field::kPolotna);
    ASSERT_EQ(canvases.rfind(L"полотно 1. ", 0), 0u) << codepage::toUtf8(canvases);
    EXPECT_NE(canvases.find(L"\n\nполотно 2. "), std::wstring::npos);
    EXPECT_EQ(canvases.substr(canvases.size() - 2), L"\n\n");
    // Two canvases without breaks count as 3 lines: they fit a box of 3, not one of 2.
    EXPECT_EQ(text(field::kPolotna, box(0, 3)), canvases);
    EXPECT_TRUE(continuation.empty());
    EXPECT_EQ(text(field::kPolotna, box(0, 2)), L"(см. следующую страницу)");
    EXPECT_EQ(continuation, L"ПОЛОТНА:\n\n" + canvases + L"\n\n");
    form.english = true;
    EXPECT_EQ(text(field::kPolotna).rfind(L"canvas 1. ", 0), 0u);

    EXPECT_EQ(text(field::kRaskroyline), L"AB");
    doc().seamPerpendicular = true;
    doc().seamOffset = 12.5;
    EXPECT_EQ(text(field::kRaskroyline), L"AB перп.+12.5");
    doc().twoDiagonals = true;
    doc().seamFrom2 = 2;
    doc().seamOffset2 = -40;
    EXPECT_EQ(text(field::kRaskroyline), L"A+12.5, C-40.0");
    doc().seamTo = -1;
    EXPECT_EQ(text(field::kRaskroyline), L"");
}

TEST(InstallationTime, MinutesPerMetreAndPerCorner) {
    // 19.4 m and six corners, four of them right: 133 + 76 + 24 + 20 + 60 = 313 minutes.
    const InstallationTime time = installationTime(19.4, {90, 270, 90, 90, 135, 135});
    EXPECT_EQ(time.metres, 19);
    EXPECT_EQ(time.rightCorners, 4);
    EXPECT_EQ(time.minutes(), 313);
    EXPECT_EQ(installationDuration(time, false), L"5 час 13 мин");
    EXPECT_EQ(installationDuration(time, true), L"5 hour 13 min");
    // 305 minutes: the minutes always have two digits.
    EXPECT_EQ(installationDuration(installationTime(19.4, {90, 90, 90, 90, 90, 90}), false), L"5 час 05 мин");

    EXPECT_EQ(installationBreakdown(time), L"Багет на скобах или клее: 19.00м х 7 мин = 133 мин\n"
                                           L"Прикрепление: 19.00м х 4 мин = 76 мин\n"
                                           L"Прямые вн. углы: 4 х 6 мин = 24 мин\n"
                                           L"Другие углы: 2 х 10 мин = 20 мин\n"
                                           L"Дополнительное время на установку: 60 мин\n");
}

TEST(InstallationTime, RightCornersWithinATenthAboveAQuarterTurn) {
    for (double a : {90.8, 180.0, 270.0, 0.0, 91.1, -90.5})
        EXPECT_TRUE(isRightCorner(a)) << a;
    for (double a : {89.5, 91.2, 135.0, 359.0})
        EXPECT_FALSE(isRightCorner(a)) << a;
}

TEST_F(VariablesTest, CornerAnglesOfAnUnmeasuredSideAreLeftOut) {
    setOutline(doc(), {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
    EXPECT_TRUE(cornerAngleList(doc()).empty()); // lengths not shown
    doc().view.showLengths = true;
    // Every side is a record without a length: nothing to list.
    EXPECT_TRUE(cornerAngleList(doc()).empty());
    for (const wchar_t* side : {L"AB", L"BC", L"CD"})
        measureRecord(doc(), side, 100);
    const std::vector<double> angles = cornerAngleList(doc());
    ASSERT_EQ(angles.size(), 3u);
    for (double a : angles)
        EXPECT_TRUE(isRightCorner(a)) << a;
    // Three measured sides of 1 m and the unmeasured one as drawn, 4 m.
    EXPECT_EQ(text(field::kWork).rfind(L"Багет на скобах или клее: 6.00м х 7 мин = 42 мин\n", 0), 0u);
    EXPECT_NE(text(field::kWork).find(L"Прямые вн. углы: 3 х 6 мин = 18 мин\n"), std::wstring::npos);

    // With BC unmeasured instead, B is left out and the others keep their own names.
    measureRecord(doc(), L"DA", 100);
    doc().diagonals.at(findDiagonal(doc(), 1, 2)).length = 0;
    const std::wstring named = text(field::kAngles);
    ASSERT_EQ(named.size(), std::wstring(L"A=90.0°  C=90.0°  D=90.0°  ").size()) << codepage::toUtf8(named);
    EXPECT_EQ(named.substr(0, 2), L"A=");
    EXPECT_EQ(named.substr(9, 2), L"C=");
    EXPECT_EQ(named.substr(18, 2), L"D=");
}

TEST_F(VariablesTest, MaterialFigures) {
    doc().material.tensionCoef = 0.93;
    EXPECT_EQ(text(field::kReduct), L"7 % - 7 %");

    doc().materialQuantity = 0;
    EXPECT_EQ(text(field::kSquaremat), L"???");
    setOutline(doc(), {{0, 0}, {500, 0}, {500, 400}, {0, 400}}); // 20 m²
    doc().materialQuantity = 24;
    doc().material.offcutPriceCoef = 0.5;
    EXPECT_EQ(text(field::kSquaremat), L"24.00 м2");
    settings.materialWithTension = false;
    EXPECT_EQ(text(field::kSquaremat), L"22.00 м2");

    doc().material.width = 320;
    EXPECT_EQ(text(field::kMatwidth), L"3.20 м");
    doc().material.width = 0;
    EXPECT_EQ(text(field::kMatwidth), L"???");

    EXPECT_EQ(text(field::kLengthmat), L"???");
    doc().canvasLengths.append(450);
    doc().canvasLengths.append(300);
    doc().canvasLengthTotal = 750;
    EXPECT_EQ(text(field::kLengthmat), L"7.50 м (4.50 + 3.00)");
    form.english = true;
    EXPECT_EQ(text(field::kLengthmat), L"7.50 m (4.50 + 3.00)");
    EXPECT_EQ(text(field::kSquare), L"20.00 m2");
    EXPECT_EQ(text(field::kPerimeter), L"18.0 m");

    doc().material.groupId = 4;
    Material group;
    group.id = 4;
    group.isGroup = 1;
    group.setName(codepage::toCp1251(L"Глянцевые"));
    Material notAGroup = group;
    notAGroup.isGroup = 0;
    notAGroup.setName("x");
    doc().resources.materialBase.append(notAGroup);
    doc().resources.materialBase.append(group);
    EXPECT_EQ(text(field::kMatgroup), L"Глянцевые");
}

TEST_F(VariablesTest, DiagonalAcrossARightCornerIsNamedByTheCorner) {
    setOutline(doc(), {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
    measureRecord(doc(), L"AC", 500);
    measureRecord(doc(), L"BD", 500);
    EXPECT_EQ(text(field::kDiagonals), L"AC=500.0; BD=500.0");
    doc().polygon.at(1).rightAngle = 1;
    EXPECT_EQ(text(field::kDiagonals), L"B 90°; BD=500.0");
    EXPECT_EQ(text(field::kLastletter), L"D");
    EXPECT_EQ(text(field::kAnglescount), L"4");
    EXPECT_EQ(text(field::kCountcorner), L"4");
}

TEST_F(VariablesTest, ExtraWorksPricesAndTheClient) {
    setOutline(doc(), {{0, 0}, {500, 0}, {500, 500}, {0, 500}});
    doc().city = 0;
    doc().ceilingType = L"Матовый";
    doc().materialQuantity = 30.0;
    doc().extraWorks.append({L"Люстра", 2.0});
    doc().extraWorks.append({L"%Срочный монтаж", 1.0});
    // 30 m² at 550, two chandeliers at 500, 20 % for the urgent work.
    EXPECT_EQ(text(field::kAddjob), L"Люстра\t2\t1000.00\nСрочный монтаж\t\t3300.00\n");
    EXPECT_EQ(text(field::kSummaterial), L"16500.00");
    EXPECT_EQ(text(field::kSumaddjob), L"4300.00");
    EXPECT_EQ(text(field::kSumprice), L"20800.00");
    EXPECT_EQ(text(field::kCity), L"Москва");
    EXPECT_EQ(text(field::kMaterial), L"Матовый");
    EXPECT_EQ(text(field::kPrice), L"");

    doc().client = L"ООО \"Рога\"¬7701¬7702¬Москва, ул. Ленина¬4070¬+7 495";
    EXPECT_EQ(text(field::kKontragent), L"ООО \"Рога\"");
    EXPECT_EQ(text(field::kInn), L"7701");
    EXPECT_EQ(text(field::kKpp), L"7702");
    EXPECT_EQ(text(field::kAddress), L"Москва, ул. Ленина");
    EXPECT_EQ(text(field::kRasschet), L"4070");
    EXPECT_EQ(text(field::kPhone), L"+7 495");
    doc().client = L"Иванов";
    EXPECT_EQ(text(field::kKontragent), L"Иванов");
    EXPECT_EQ(text(field::kPhone), L"");

    doc().harpoon = 2;
    EXPECT_EQ(text(field::kGarpun), L"Невидимый");
    EXPECT_EQ(text(field::kPrinttitle), L"Подготовлено программой Tenzora");
    settings.printTitle = L"ООО Потолки";
    EXPECT_EQ(text(field::kPrinttitle), L"ООО Потолки");
}

TEST_F(VariablesTest, FormsListConstructionsThenCutouts) {
    setOutline(doc(), {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
    TZDop niche;
    niche.kind = static_cast<int>(TZDopKind::Rectangle);
    niche.vertex1 = 0;
    niche.vertex2 = 1;
    niche.distance1 = 50;
    niche.distance2 = 30;
    niche.width = 320;
    TZDop disabled;
    doc().dops.append(niche);
    doc().dops.append(disabled);
    TZHole circle;
    circle.type = static_cast<int>(TZHoleType::Circle);
    circle.mode = static_cast<int>(TZHoleMode::Top);
    circle.size1 = 60;
    circle.rows.append({0, 1, {}, {}, 100, 120});
    doc().holes.append(circle);
    TZHole rectangle;
    rectangle.type = static_cast<int>(TZHoleType::Rectangle);
    rectangle.mode = static_cast<int>(TZHoleMode::ThreePoints);
    rectangle.rows.append({0, 1, {}, {}, 10, 20});
    rectangle.rows.append({1, 2, {}, {}, 30, 40});
    rectangle.rows.append({2, 3, {}, {}, 50, 60});
    doc().holes.append(rectangle);

    const std::wstring expected =
        L"ПРЯМОУГ.:  до A=50.0, до B=30.0, ширина=320.0; ; "
        L"ВЫРЕЗ КРУГА диам.: 60.0(верх): от A=100.0, от B=120.0; "
        L"ВЫРЕЗ ПРЯМОУГ. (три точк.): от A=10.0, от B=20.0;  от B=30.0, от C=40.0; от C=50.0, от D=60.0";
    EXPECT_EQ(formsList(doc()), expected);
    EXPECT_EQ(text(field::kForms, box(60, 2)), L"(см. следующую страницу)");
    EXPECT_EQ(continuation.rfind(L"ФОРМЫ:\n\nПРЯМОУГ.:  до A=50.0", 0), 0u);

    // A corner cut names the corner and its neighbour on each side; indexes from a damaged file at
    // the ends of the integer range give no neighbour's name.
    doc().holes.clear();
    doc().dops.clear();
    TZDop cut;
    cut.kind = static_cast<int>(TZDopKind::CornerCut);
    cut.vertex1 = cut.vertex2 = 2;
    cut.distance1 = 10;
    cut.distance2 = 20;
    doc().dops.append(cut);
    EXPECT_EQ(formsList(doc()), L"СРЕЗ:  от CB=10.0, от CD=20.0");
    doc().dops.at(0).vertex1 = std::numeric_limits<int>::min();
    doc().dops.at(0).vertex2 = std::numeric_limits<int>::max();
    EXPECT_EQ(formsList(doc()).rfind(L"СРЕЗ:  от =10.0, от ", 0), 0u);
    doc().holes.append(circle);
    doc().holes.append(rectangle);

    // A cutout alone opens the list without a separator.
    doc().dops.clear();
    doc().holes.removeAt(0);
    EXPECT_EQ(formsList(doc()).rfind(L"ВЫРЕЗ ПРЯМОУГ.", 0), 0u);
}

TEST_F(VariablesTest, ScaleOrderDataAndUnknownIds) {
    EXPECT_EQ(scaleText(2.5, false), L"1 мм = 2.50 см");
    EXPECT_EQ(scaleText(0.5, false), L"1 мм = 5 мм");
    EXPECT_EQ(scaleText(1.0, true), L"1 mm = 1.00 cm");
    form.scale = 0.26;
    form.english = true;
    EXPECT_EQ(text(field::kScale), L"1 mm = 3 mm");

    doc().orderNumber = L"17";
    doc().orderDate = L"09.12.2026";
    doc().orderName = L"Кухня";
    doc().note = L"звонить";
    doc().material.setName(codepage::toCp1251(L"Белый матовый"));
    EXPECT_EQ(text(field::kNumber), L"17");
    EXPECT_EQ(text(field::kDate), L"09.12.2026");
    EXPECT_EQ(text(field::kName), L"Кухня");
    EXPECT_EQ(text(field::kComment), L"звонить");
    EXPECT_EQ(text(field::kColor), L"Белый матовый");

    EXPECT_EQ(text(0), L"");
    EXPECT_EQ(text(42), L"");
    EXPECT_EQ(text(-1), L"");
    // Every field of an empty project has a text (or none) without failing; the report never
    // gets the pointer to the next page.
    for (const ReportField& f : reportFields())
        EXPECT_EQ(reportValue(doc(), settings, f.id).find(L"(см."), std::wstring::npos) << f.keyword;
}
