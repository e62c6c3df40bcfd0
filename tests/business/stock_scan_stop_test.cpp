// The stock scan that a window's "Отмена" can stop: a complete run gives what the plain scan
// gives, a stopped one changes nothing.

#include <gtest/gtest.h>

#include "business/business_support.h"
#include "business/materials_form.h"
#include "business/stock_scan.h"

using namespace tenzora;

namespace {

struct StoppableScan : ::testing::Test {
    TempDir programDir;
    TempDir drawings;
    ScriptedUi ui;
    TZMaterialBase base = sampleBase(programDir.path() / "absent");
    std::array<std::wstring, 10> folders{codepage::fromPath(drawings.path())};
    void SetUp() override {
        saveProjectUsing(drawings.path(), "a.tz", base[1], 2.0, 0.5);
        saveProjectUsing(drawings.path(), "b.tz", base[2], 1.0, 0.0);
        saveProjectUsing(drawings.path(), "c.tz", base[1], 3.0, 0.25);
    }
};

} // namespace

TEST_F(StoppableScan, ACompleteRunGivesWhatThePlainScanGives) {
    TZMaterialBase plain = base;
    const std::vector<MaterialBalance> expected = scanStock(plain, folders);
    std::vector<std::size_t> told;
    const auto movements = scanStockStoppable(base, folders, [&](std::size_t done, std::size_t total) {
        EXPECT_EQ(total, 3u);
        told.push_back(done);
        return true;
    });
    ASSERT_TRUE(movements);
    EXPECT_EQ(told, (std::vector<std::size_t>{1, 2, 3}));
    ASSERT_EQ(movements->size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ((*movements)[i].material, expected[i].material);
        EXPECT_EQ((*movements)[i].quantity, expected[i].quantity);
        EXPECT_EQ((*movements)[i].path, expected[i].path);
    }
    for (int i = 0; i < base.count(); ++i)
        EXPECT_EQ(base[i].stock, plain[i].stock) << i;
    EXPECT_DOUBLE_EQ(base[1].stock, -5.75);
}

TEST_F(StoppableScan, AStoppedScanChangesNothing) {
    MaterialsForm form(base, ui);
    form.show();
    ASSERT_TRUE(form.scanStock(folders));
    form.selectRow(1);
    ASSERT_EQ(form.movementCount(), 2);
    const double remainder = base[1].stock;

    // New files appear; a scan stopped after the first file leaves the last complete one.
    saveProjectUsing(drawings.path(), "d.tz", base[1], 10.0, 0.0);
    form.show(); // shown again: the scan button is enabled, the remainders stay
    form.selectRow(1);
    EXPECT_TRUE(form.scanButtonEnabled());
    int calls = 0;
    EXPECT_FALSE(form.scanStock(folders, [&](std::size_t, std::size_t) { return ++calls < 1; }));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(base[1].stock, remainder);
    EXPECT_EQ(form.cellText(1, 5), L"-5.75");
    EXPECT_EQ(form.allMovements().size(), 3u);
    EXPECT_EQ(form.movementCount(), 2);
    EXPECT_TRUE(form.scanButtonEnabled()) << "the scan can be started again";

    // Run to its end, the new file counts.
    EXPECT_TRUE(form.scanStock(folders, [](std::size_t, std::size_t) { return true; }));
    EXPECT_DOUBLE_EQ(base[1].stock, -15.75);
    EXPECT_FALSE(form.scanButtonEnabled());
}
