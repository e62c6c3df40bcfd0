// The price dialogs: the settings of cities and gradations, the price lists per city with their
// band titles, editing that grows the lists, OK, and the layout on resizing.

#include <gtest/gtest.h>

#include "business/price_list_form.h"
#include "business/price_options_form.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

TZPriceFile twoCities() {
    TZPriceFile p;
    p.cities.append(L"Москва");
    p.cities.append(L"Тверь");
    p.areaSteps.append(20.0);
    p.areaSteps.append(50.5);
    p.cornerSteps.append(4);
    p.cornerSteps.append(8);
    TZPriceCeil moscow{L"Матовый", {}, 0};
    moscow.prices.append(500.0);
    moscow.prices.append(450.25);
    p.ceilingPrices.append(moscow);
    TZPriceCeil tver{L"Глянец", {}, 1};
    tver.prices.append(300.0);
    p.ceilingPrices.append(tver);
    TZPriceAngle corners;
    corners.city = 1;
    corners.prices.append(0.0);
    corners.prices.append(120.0);
    p.cornerPrices.append(corners);
    p.extraWorks.append({L"Люстра", 1, 450.0});
    return p;
}

struct PriceFixture : ::testing::Test {
    TempDir programDir;
    ScriptedUi ui;
    void SetUp() override { ASSERT_TRUE(twoCities().save(programDir.path())); }
    TZPriceFile onDisk() {
        TZPriceFile p;
        p.load(programDir.path());
        return p;
    }
};

std::vector<double> values(const TZStaticArray<double>& a) {
    return {a.begin(), a.end()};
}

} // namespace

TEST(PriceOptions, AreaGradationsAreSortedAndCloseOrTinyValuesDropped) {
    EXPECT_EQ(normalizeAreaSteps({10, 5, 5.005, 0}), (std::vector<double>{5, 10}));
    EXPECT_EQ(normalizeAreaSteps({0.01, 0.015, 30, 20, 20.0099, 20.02}),
              (std::vector<double>{20, 20.02, 30}));
    // Each value is compared with the last one kept, not with its dropped neighbour.
    EXPECT_EQ(normalizeAreaSteps({1.0, 1.006, 1.012}), (std::vector<double>{1.0, 1.012}));
    EXPECT_EQ(normalizeAreaSteps({-5, 0}), std::vector<double>{});
    EXPECT_EQ(normalizeCornerSteps({8, 4, 4, 0, -3, 1}), (std::vector<std::int32_t>{1, 4, 8}));
}

TEST(PriceOptions, TypedCornerCountsAreWholeNumbers) {
    EXPECT_EQ(readTypedInteger(L""), 0);
    EXPECT_EQ(readTypedInteger(L" 12 углов"), 12);
    EXPECT_EQ(readTypedInteger(L"4.7"), 4);
    EXPECT_EQ(readTypedInteger(L"-3"), -3);
    EXPECT_EQ(readTypedInteger(L"99999999999999999999"), 2147483647);
    EXPECT_EQ(readTypedInteger(L"-99999999999999999999"), -2147483647 - 1);
}

TEST_F(PriceFixture, SettingsShowEachListWithABlankRowAndGrowWhenTheLastIsTyped) {
    PriceOptionsForm form(programDir.path(), ui);
    form.open();
    using L = PriceOptionsForm::List;
    EXPECT_EQ(form.rowCount(L::Cities), 3);
    EXPECT_EQ(form.cellText(L::Cities, 1, 0), L"2");
    EXPECT_EQ(form.cellText(L::Cities, 1, 1), L"Тверь");
    EXPECT_EQ(form.cellText(L::AreaSteps, 1, 1), L"50.5");
    EXPECT_EQ(form.cellText(L::AreaSteps, 0, 1), L"20.0"); // one decimal, no rounding to whole numbers
    EXPECT_EQ(form.cellText(L::AreaSteps, 2, 1), L"");
    EXPECT_EQ(form.cellText(L::CornerSteps, 0, 1), L"4");
    EXPECT_TRUE(form.editCell(L::AreaSteps, 2, 1, L"5,005"));
    EXPECT_EQ(form.rowCount(L::AreaSteps), 4);
    EXPECT_FALSE(form.editCell(L::AreaSteps, 0, 1, L"5"));
    EXPECT_TRUE(form.editCell(L::CornerSteps, 2, 1, L"4"));
    ASSERT_TRUE(form.accept());
    const TZPriceFile p = onDisk();
    EXPECT_EQ(values(p.areaSteps), (std::vector<double>{5, 50.5}));
    EXPECT_EQ(std::vector<std::int32_t>(p.cornerSteps.begin(), p.cornerSteps.end()),
              (std::vector<std::int32_t>{4, 8}));
    EXPECT_EQ(p.ceilingPrices.count(), 2); // the rows stay as they were
}

TEST_F(PriceFixture, DeletingTheFirstCityShiftsTheRowsOfTheSecondOntoIt) {
    PriceOptionsForm settings(programDir.path(), ui);
    settings.open();
    settings.editCell(PriceOptionsForm::List::Cities, 0, 1, L"");
    ASSERT_TRUE(settings.accept());
    ASSERT_EQ(onDisk().cities.count(), 1);

    PriceListForm lists(programDir.path(), ui);
    lists.open();
    ASSERT_EQ(lists.selectedCity(), 0);
    EXPECT_EQ(lists.cities()[0], L"Тверь");
    // What was Moscow's row (city 0) now shows under Тверь; Тверь's own row (city 1) under none.
    ASSERT_EQ(lists.ceilingRowCount(), 1);
    EXPECT_EQ(lists.ceilingCellText(0, 1), L"Матовый");
}

TEST(PriceLists, BandTitles) {
    TZStaticArray<double> areas;
    EXPECT_EQ(areaBandTitles(areas), std::vector<std::wstring>{L"0-0"});
    areas.append(20.0);
    EXPECT_EQ(areaBandTitles(areas), (std::vector<std::wstring>{L"0-20", L">20"}));
    areas.append(50.56);
    areas.append(100.04);
    EXPECT_EQ(areaBandTitles(areas), (std::vector<std::wstring>{L"0-20", L"20-50.6", L"50.6-100", L">100"}));
    TZStaticArray<std::int32_t> corners;
    EXPECT_EQ(cornerBandTitles(corners), std::vector<std::wstring>{L"до 0"});
    corners.append(4);
    corners.append(8);
    EXPECT_EQ(cornerBandTitles(corners), (std::vector<std::wstring>{L"до 4", L"от 4 до 8", L"8 и более"}));
    EXPECT_EQ(priceCellText(450.25), L"450.25");
    EXPECT_EQ(priceCellText(500.004), L"500");
    EXPECT_EQ(priceCellText(0.0), L"");
    EXPECT_EQ(priceCellText(-3.0), L"");
}

TEST_F(PriceFixture, ListsShowTheSelectedCityAndBlankRowsForACityWithout) {
    PriceListForm form(programDir.path(), ui);
    form.open();
    const auto columns = form.ceilingColumns();
    ASSERT_EQ(columns.size(), 5u);
    EXPECT_EQ(columns[1].title, L"Наименование");
    EXPECT_EQ(columns[2], (GridColumnTitle{L"0-20", 36}));
    EXPECT_EQ(columns[4].title, L">50.5");
    ASSERT_EQ(form.ceilingRowCount(), 1);
    EXPECT_EQ(form.ceilingCellText(0, 0), L"1");
    EXPECT_EQ(form.ceilingCellText(0, 2), L"500");
    EXPECT_EQ(form.ceilingCellText(0, 3), L"450.25");
    EXPECT_EQ(form.ceilingCellText(0, 4), L""); // no price for the last band
    // Moscow has no extra works: two blank rows.
    EXPECT_EQ(form.workRowCount(), 2);
    EXPECT_EQ(form.workCellText(0, 1), L"");
    form.selectCity(1);
    EXPECT_EQ(form.workRowCount(), 1);
    EXPECT_EQ(form.workCellText(0, 2), L"450");
    // Corners: a row for every city whatever the combo shows.
    ASSERT_EQ(form.cornerRowCount(), 2);
    EXPECT_EQ(form.cornerCellText(1, 1), L"Тверь");
    EXPECT_EQ(form.cornerCellText(1, 3), L"120");
    EXPECT_EQ(form.cornerCellText(0, 3), L"");
    EXPECT_EQ(form.cornerColumns()[3].title, L"от 4 до 8");
}

TEST_F(PriceFixture, EditingGrowsTheListsAndOkStoresTheNamedRows) {
    PriceListForm form(programDir.path(), ui);
    form.open();
    // Editing the last ceiling row puts a blank row of the city right after it.
    EXPECT_TRUE(form.editCeilingCell(0, 4, L"380,5"));
    EXPECT_EQ(form.ceilingRowCount(), 2);
    EXPECT_EQ(form.ceilingRows()[1].city, 0);
    EXPECT_EQ(form.ceilingRows()[1].name, L"");
    EXPECT_EQ(form.ceilingCellText(0, 4), L"380.50");
    // A price column far out extends the prices with zeros.
    EXPECT_TRUE(form.editCeilingCell(1, 3, L"700"));
    EXPECT_EQ(values(form.ceilingRows()[1].prices), (std::vector<double>{0, 700}));
    form.editCeilingCell(1, 1, L"Сатин");
    // A work typed into Moscow's blank rows.
    EXPECT_FALSE(form.editWorkCell(0, 1, L"%Срочно"));
    form.editWorkCell(0, 2, L"1.2");
    form.editCornerCell(0, 4, L"150");
    // Erasing a name deletes the row on OK.
    form.selectCity(1);
    form.editCeilingCell(0, 1, L"");
    ASSERT_TRUE(form.accept());

    const TZPriceFile p = onDisk();
    ASSERT_EQ(p.ceilingPrices.count(), 2);
    EXPECT_EQ(p.ceilingPrices[0].name, L"Матовый");
    EXPECT_EQ(values(p.ceilingPrices[0].prices), (std::vector<double>{500, 450.25, 380.5}));
    EXPECT_EQ(p.ceilingPrices[1].name, L"Сатин");
    ASSERT_EQ(p.extraWorks.count(), 2); // in list order: the blank rows were made after Тверь's work
    EXPECT_EQ(p.extraWorks[1].name, L"%Срочно");
    EXPECT_EQ(p.extraWorks[1].city, 0);
    EXPECT_DOUBLE_EQ(p.extraWorks[1].price, 1.2);
    ASSERT_EQ(p.cornerPrices.count(), 2);
    EXPECT_EQ(values(p.cornerPrices[0].prices), (std::vector<double>{0, 0, 150}));
    EXPECT_EQ(p.cornerPrices[1].city, 1);
}

TEST_F(PriceFixture, OkTakesTheCitiesAndGradationsOnDiskAndToldWhenItCannotSave) {
    PriceListForm form(programDir.path(), ui);
    form.open();
    TZPriceFile changed = twoCities();
    changed.cities.append(L"Казань");
    ASSERT_TRUE(changed.save(programDir.path()));
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(onDisk().cities.count(), 3);

    PriceListForm nowhere(programDir / "missing", ui);
    nowhere.open();
    EXPECT_EQ(nowhere.selectedCity(), -1);
    EXPECT_EQ(nowhere.ceilingRowCount(), 0);
    EXPECT_FALSE(nowhere.accept());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(L"price.dat"), std::wstring::npos);
}

TEST(PriceLists, LayoutFollowsTheClientSize) {
    PriceDialogFixedSizes sizes{{200, 14}, {120, 14}, {300, 80}, {75, 23}, {75, 23}};
    const PriceDialogLayout l = priceDialogLayout(800, 600, sizes);
    EXPECT_EQ(l.ceilingGrid, (ControlRect{11, 36, 425, 418}));
    EXPECT_EQ(l.label2500, (ControlRect{13, 455, 200, 14}));
    EXPECT_EQ(l.cornerGrid, (ControlRect{11, 469, 425, 120}));
    EXPECT_EQ(l.worksGrid, (ControlRect{442, 36, 350, 418}));
    EXPECT_EQ(l.label2501, (ControlRect{669, 15, 120, 14}));
    EXPECT_EQ(l.note2502, (ControlRect{442, 475, 300, 80}));
    EXPECT_EQ(l.ok, (ControlRect{634, 562, 75, 23}));
    EXPECT_EQ(l.cancel, (ControlRect{718, 562, 75, 23}));
    EXPECT_EQ(priceDialogLayout(801, 600, sizes).worksGrid.width, 350); // half the width, rounded down
}
