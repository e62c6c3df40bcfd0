// The optimiser's progress: told before every candidate, the same result when it runs to the
// end, and a cancel that ends with the best pair found so far.

#include <gtest/gtest.h>

#include "cutting/cutting_dialog.h"
#include "model/names.h"
#include "model/settings.h"
#include "storage/codepage.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

Material fabric(std::int32_t id, std::int32_t groupId, bool group, const wchar_t* name, double width = 0) {
    Material m;
    m.id = id;
    m.groupId = groupId;
    m.isGroup = group ? 1 : 0;
    m.setName(codepage::toCp1251(name));
    m.width = width;
    m.tensionCoef = 0.93;
    m.offcutPriceCoef = 1.0;
    return m;
}

class OptimiserProgressTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setOutline(*doc, {{0, 0}, {500, 0}, {500, 300}, {0, 300}});
        doc->editor.mode = kModeCutting;
        doc->resources.materialBase.clear();
        doc->resources.materialBase.append(fabric(1, 0, true, L"MSD"));
        doc->resources.materialBase.append(fabric(2, 1, false, L"Белый мат", 320));
        doc->material = doc->resources.materialBase.at(1);
        settings.materialWithTension = false;
        dialog.setVisible(true);
        dialog.fabricChosen();
    }
    TestDocument doc{true};
    AppSettings settings;
    CuttingDialog dialog{*doc, settings};
};

TEST_F(OptimiserProgressTest, ProgressIsToldAndDoesNotChangeTheResult) {
    std::vector<std::pair<int, int>> told;
    const OptimiserResult watched = dialog.optimiseSeamSide([&](int done, int total) {
        told.emplace_back(done, total);
        return true;
    });
    ASSERT_EQ(told.size(), 12u);
    EXPECT_EQ(told.front(), (std::pair<int, int>{0, 12}));
    EXPECT_EQ(told.back(), (std::pair<int, int>{11, 12}));
    EXPECT_FALSE(watched.cancelled);

    const OptimiserResult plain = dialog.optimiseSeamSide();
    EXPECT_EQ(plain.triedPairs, watched.triedPairs);
    EXPECT_EQ(plain.bestPair, watched.bestPair);
    EXPECT_EQ(plain.bestQuantity, watched.bestQuantity);
}

TEST_F(OptimiserProgressTest, ACancelEndsWithTheBestSoFarOrTheSideBefore) {
    const OptimiserResult stopped = dialog.optimiseSeamSide([](int done, int) { return done < 2; });
    EXPECT_TRUE(stopped.cancelled);
    ASSERT_EQ(stopped.triedPairs.size(), 2u);
    EXPECT_FALSE(stopped.bestPair.empty());
    EXPECT_EQ(stopped.final, ConfirmOutcome::LaidOut);
    EXPECT_EQ(pairName(doc->seamFrom, doc->seamTo), stopped.bestPair);
    EXPECT_FALSE(doc->suppressUndo);
    EXPECT_FALSE(dialog.optimising());

    // Stopped before the first candidate: the side chosen before the search is laid out again.
    dialog.setVisible(true);
    dialog.fields().seamSide = L"BC";
    const OptimiserResult none = dialog.optimiseSeamSide([](int, int) { return false; });
    EXPECT_TRUE(none.cancelled);
    EXPECT_TRUE(none.triedPairs.empty());
    EXPECT_EQ(none.final, ConfirmOutcome::LaidOut);
    EXPECT_EQ(pairName(doc->seamFrom, doc->seamTo), L"BC");
}

} // namespace
