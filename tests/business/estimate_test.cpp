// The cost estimate: area bands, corner bands, the billable area with and without the tension
// setting, extra works, and the price a saved project carries in its header.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "business/estimate.h"
#include "business/project_file.h"
#include "model/measurements.h"
#include "storage/codepage.h"
#include "storage/file_io.h"
#include "storage/price_file.h"
#include "storage/project_image.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

// One city; area gradations 20 and 50 with 500 / 450 / 400 per m² for "Матовый"; corner
// gradations 4 and 8 with 0 / 100 / 150 per corner.
TZPriceFile samplePrices() {
    TZPriceFile p;
    p.cities.append(L"Москва");
    p.cities.append(L"Тверь");
    p.areaSteps.append(20.0);
    p.areaSteps.append(50.0);
    p.cornerSteps.append(4);
    p.cornerSteps.append(8);
    TZPriceCeil other; // another city's row of the same name comes first and must not be taken
    other.name = L"Матовый";
    other.city = 1;
    other.prices.append(1.0);
    p.ceilingPrices.append(other);
    TZPriceCeil row;
    row.name = L"Матовый";
    row.city = 0;
    for (double v : {500.0, 450.0, 400.0})
        row.prices.append(v);
    p.ceilingPrices.append(row);
    TZPriceAngle corners;
    corners.city = 0;
    for (double v : {0.0, 100.0, 150.0})
        corners.prices.append(v);
    p.cornerPrices.append(corners);
    p.extraWorks.append({L"Люстра", 1, 999.0});
    p.extraWorks.append({L"Люстра", 0, 500.0});
    p.extraWorks.append({L"Люстра", 0, 700.0}); // only the first of a name counts
    p.extraWorks.append({L"%Срочно", 0, 1.2});
    return p;
}

// A project in city 0 with the ceiling type priced above and a given material quantity.
void pricedProject(TZCeiling& doc, int corners, double materialQuantity) {
    std::vector<std::pair<double, double>> ring;
    for (int i = 0; i < corners; ++i) {
        const double t = 2 * std::numbers::pi * i / corners;
        ring.emplace_back(100.0 * std::cos(t), 100.0 * std::sin(t));
    }
    setOutline(doc, ring);
    doc.city = 0;
    doc.ceilingType = L"Матовый";
    doc.materialQuantity = materialQuantity;
}

} // namespace

TEST(Estimate, AreaPartTakesThePriceOfTheBandTheBillableAreaFallsIn) {
    const TZPriceFile prices = samplePrices();
    TestDocument t;
    // Three corners: the corner part is 0, so the job cost is the area part alone. A value equal to
    // a gradation belongs to the band that ends there.
    for (auto [quantity, cost] : {std::pair{20.0, 10000.0}, {35.0, 15750.0}, {60.0, 24000.0}}) {
        pricedProject(*t, 3, quantity);
        EXPECT_DOUBLE_EQ(CostEstimate(*t, prices).jobCost(false), cost) << quantity;
    }
}

TEST(Estimate, CornerSurchargeByCornerBand) {
    TZPriceFile prices = samplePrices();
    prices.ceilingPrices.clear(); // no area part
    TestDocument t;
    for (auto [corners, cost] : {std::pair{4, 0.0}, {6, 600.0}, {10, 1500.0}}) {
        pricedProject(*t, corners, 10.0);
        EXPECT_DOUBLE_EQ(CostEstimate(*t, prices).cornerPart(), cost) << corners;
        EXPECT_DOUBLE_EQ(CostEstimate(*t, prices).jobCost(true), cost) << corners;
    }
}

TEST(Estimate, BillableAreaWithAndWithoutTheTensionSetting) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {600, 0}, {600, 300}, {0, 300}}); // 18 m²
    ASSERT_DOUBLE_EQ(netArea(*t), 18.0);
    t->materialQuantity = 20.0;
    t->material.offcutPriceCoef = 0.5;
    const TZPriceFile prices = samplePrices();
    EXPECT_DOUBLE_EQ(CostEstimate(*t, prices, {.materialWithTension = false}).billableArea(), 19.0);
    EXPECT_DOUBLE_EQ(CostEstimate(*t, prices, {.materialWithTension = true}).billableArea(), 20.0);
}

TEST(Estimate, ExtraWorksAmountsAndCoefficients) {
    const TZPriceFile prices = samplePrices();
    TestDocument t;
    pricedProject(*t, 3, 20.0); // base 10 000
    t->extraWorks.append({L"Люстра", 2.0});
    t->extraWorks.append({L"%Срочно", 2.0});
    t->extraWorks.append({L"Нет в прайсе", 5.0});
    const CostEstimate e(*t, prices);
    EXPECT_DOUBLE_EQ(e.extraWorkCost(L"Люстра", 2.0, 0, 10000.0), 1000.0);
    // A coefficient of 1.2 twice adds 2 × 20 % of the cost without extras.
    EXPECT_DOUBLE_EQ(e.extraWorkCost(L"%Срочно", 2.0, 0, 10000.0), 4000.0);
    EXPECT_DOUBLE_EQ(e.extraWorkCost(L"Нет в прайсе", 5.0, 0, 10000.0), 0.0);
    EXPECT_DOUBLE_EQ(e.extrasSum(10000.0), 5000.0);
    EXPECT_DOUBLE_EQ(e.jobCost(true), 15000.0);
}

TEST(Estimate, NoCityNoRowOrNoGradationsPriceNothing) {
    TZPriceFile prices = samplePrices();
    TestDocument t;
    pricedProject(*t, 10, 20.0);
    t->extraWorks.append({L"Люстра", 1.0});
    t->city = -1;
    EXPECT_EQ(CostEstimate(*t, prices).jobCost(true), 0.0);
    t->city = 2; // past the end of the city list (rows may still point there)
    EXPECT_EQ(CostEstimate(*t, prices).jobCost(true), 0.0);
    t->city = 0;
    t->ceilingType = L"матовый"; // names are compared exactly
    EXPECT_DOUBLE_EQ(CostEstimate(*t, prices).jobCost(false), 1500.0);
    prices.areaSteps.clear();
    prices.cornerSteps.clear();
    t->ceilingType = L"Матовый";
    EXPECT_EQ(CostEstimate(*t, prices).jobCost(false), 0.0);
    EXPECT_EQ(CostEstimate(*t, prices).jobCost(true), 500.0);
}

TEST(Estimate, SavedProjectCarriesItsJobCostInTheHeader) {
    TempDir programDir;
    ASSERT_TRUE(samplePrices().save(programDir.path()));
    TestDocument t(false, programDir.path());
    pricedProject(*t, 6, 35.5);
    t->extraWorks.append({L"Люстра", 1.0});
    // 35.5 × 450 + 6 × 100 + 500
    const std::wstring path = codepage::fromPath(programDir / "заказ.tz");
    ASSERT_TRUE(saveProject(*t, path));
    std::string bytes;
    ASSERT_EQ(readWholeFile(programDir / "заказ.tz", 1u << 20, bytes), ReadStatus::Ok);
    EXPECT_EQ(projectHeaderOf(bytes), std::string("Tenzora file format. Version 1.01. $17075.00"));

    // With the tension setting off the billable area changes, and so does the tag.
    t->material.offcutPriceCoef = 0.0; // only the net area is billed
    PricingOptions withoutTension;
    withoutTension.materialWithTension = false;
    ASSERT_TRUE(saveProject(*t, path, withoutTension));
    ASSERT_EQ(readWholeFile(programDir / "заказ.tz", 1u << 20, bytes), ReadStatus::Ok);
    const double area = netArea(*t);
    EXPECT_EQ(t->priceTag, priceTagText(area * 500 + 600 + 500));

    // No price list at all: the tag is "0".
    std::filesystem::remove(programDir / "price.dat");
    ASSERT_TRUE(saveProject(*t, path));
    EXPECT_EQ(t->priceTag, "0");
}
