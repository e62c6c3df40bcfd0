// The cutout dialog's grid without its window: cells, row buttons and the distance converter.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/cutout_grid.h"
#include "model/names.h"
#include "support/fakes.h"

using namespace tenzora;

TEST(CutoutGrid, EditedCellsReadNamesThroughTheKeysAndNumbersWithAComma) {
    TZHoleRow row;
    std::wstring text = L"в"; // the key of D with the Russian layout
    editCutoutCell(row, 1, text);
    EXPECT_EQ(row.vertex1, 3);
    EXPECT_EQ(text, L"D");
    text = L"12,5";
    editCutoutCell(row, 2, text);
    EXPECT_DOUBLE_EQ(row.distance1, 12.5);
    EXPECT_EQ(text, L"12.5");
    text = L"?!";
    editCutoutCell(row, 3, text);
    EXPECT_EQ(row.vertex2, -1);
    EXPECT_EQ(text, L"");
    text = L"";
    editCutoutCell(row, 4, text);
    EXPECT_DOUBLE_EQ(row.distance2, 0);
    const std::vector<TZHoleRow> rows = {row};
    EXPECT_EQ(cutoutCellText(rows, 0, 0), L"1");
    EXPECT_EQ(cutoutCellText(rows, 0, 1), L"D");
    EXPECT_EQ(cutoutCellText(rows, 5, 1), L"") << "a row past the end shows nothing";
}

TEST(CutoutGrid, RowButtonsMoveAndDelete) {
    std::vector<TZHoleRow> rows = {{0, 1, 10, 20}, {1, 2, 30, 40}, {2, 3, 50, 60}};
    EXPECT_TRUE(moveCutoutRow(rows, 1, true));
    EXPECT_EQ(rows[0].vertex1, 1);
    EXPECT_FALSE(moveCutoutRow(rows, 0, true));
    EXPECT_FALSE(moveCutoutRow(rows, 2, false));
    EXPECT_FALSE(moveCutoutRow(rows, 7, false));

    // A measured shape keeps its row count: the rows below move up, the last is left empty.
    EXPECT_TRUE(deleteCutoutRow(rows, 0, false));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].vertex1, 0);
    EXPECT_EQ(rows[2].vertex1, -1);
    // A free cutout loses the row.
    EXPECT_TRUE(deleteCutoutRow(rows, 0, true));
    EXPECT_EQ(rows.size(), 2u);
    EXPECT_FALSE(deleteCutoutRow(rows, -1, true));
}

TEST(CutoutGrid, ConverterOffersTheTwoSidesAtVertexOne) {
    EXPECT_EQ(converterSides({1, 2, 0, 0}, 4).first, L"BC");
    EXPECT_EQ(converterSides({1, 2, 0, 0}, 4).second, L"AB");
    // The point before vertex 1 is vertex 2: the point after it is offered instead.
    EXPECT_EQ(converterSides({0, 3, 0, 0}, 4).second, L"AB");
    EXPECT_TRUE(converterSides({-1, 2, 0, 0}, 4).first.empty());
    EXPECT_TRUE(converterSides({1, -1, 0, 0}, 4).second.empty());
}

// Rows come from project files, so vertex 1 may be any int: the neighbouring point is found
// without overflow.
TEST(CutoutGrid, ConverterOfARowNamingTheLargestIndex) {
    constexpr int kMax = std::numeric_limits<int>::max();
    const ConverterSides sides = converterSides({kMax, 2, 0, 0}, 4);
    EXPECT_EQ(sides.first, pairName(kMax, 2));
    // kMax − 1 ≡ 2 (mod 4) is vertex 2 itself: the point after, kMax + 1 ≡ 0, is offered.
    EXPECT_EQ(sides.second, pairName(kMax, 0));
    EXPECT_EQ(converterSides({kMax, 1, 0, 0}, 4).second, pairName(kMax, 2));
}

TEST(CutoutGrid, ConverterTurnsAlongAndAwayIntoTheDistancesFromBothEnds) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
    // 100 along AB from A, 50 into the room.
    TZHoleRow row{0, 1, 100, 50};
    ASSERT_TRUE(convertRowDistances(*t, row, L"AB", L""));
    EXPECT_EQ(row.vertex1, 0);
    EXPECT_EQ(row.vertex2, 1);
    EXPECT_NEAR(row.distance1, std::hypot(100, 50), 1e-9);
    EXPECT_NEAR(row.distance2, std::hypot(300, 50), 1e-9);

    // Measured from B along the side BA (names given the other way round); the converter's own
    // field gives the distance from the wall for the row.
    TZHoleRow fromB{1, 3, 100, 0};
    ASSERT_TRUE(convertRowDistances(*t, fromB, L"AB", L"80"));
    EXPECT_EQ(fromB.vertex1, 1);
    EXPECT_EQ(fromB.vertex2, 0);
    EXPECT_NEAR(fromB.distance1, std::hypot(100, 80), 1e-9);
    EXPECT_NEAR(fromB.distance2, std::hypot(300, 80), 1e-9);

    // Left alone: both values 0, a side not at vertex 1, a name that is no side of the outline.
    TZHoleRow zero{0, 1, 0, 0};
    EXPECT_FALSE(convertRowDistances(*t, zero, L"AB", L""));
    TZHoleRow elsewhere{2, 1, 10, 10};
    EXPECT_FALSE(convertRowDistances(*t, elsewhere, L"AD", L""));
    EXPECT_EQ(elsewhere.distance1, 10);
    EXPECT_FALSE(convertRowDistances(*t, elsewhere, L"CZ", L""));
    EXPECT_FALSE(convertRowDistances(*t, elsewhere, L"", L""));
}
