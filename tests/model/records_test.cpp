#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <tuple>

#include "model/ceiling.h"
#include "model/records.h"
#include "support/fakes.h"
#include "support/rooms.h"

using namespace tenzora;

namespace {
// The records as "AB=300" texts in list order, for compact comparisons.
std::vector<std::wstring> recordTexts(const TZCeiling& doc) {
    std::vector<std::wstring> out;
    for (const Diagonal& d : doc.diagonals)
        out.push_back(std::to_wstring(std::min(d.a, d.b)) + L"-" + std::to_wstring(std::max(d.a, d.b)) +
                      L"=" + std::to_wstring(int(d.length)) + (d.isSide ? L"s" : L""));
    return out;
}
} // namespace

TEST(Records, FindTakesTheFirstMeasuredElseTheLastOfThePairInEitherOrder) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, false);
    for (auto [a, b, length] : {std::tuple{2, 0, 0.0}, {0, 2, 0.0}, {0, 1, 5.0}}) {
        Diagonal d;
        d.a = a;
        d.b = b;
        d.length = length;
        t->diagonals.append(d);
    }
    EXPECT_EQ(findDiagonal(*t, 0, 2), 1);
    t->diagonals.at(0).length = 7;
    EXPECT_EQ(findDiagonal(*t, 2, 0), 0);
    EXPECT_EQ(findDiagonal(*t, 1, 0), 2);
    EXPECT_EQ(findDiagonal(*t, 1, 3), -1);
}

TEST(Records, SetDiagonalKeepsAMeasuredLengthFillsAnUnmeasuredOneAndCreatesSmallerFirst) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    measureRecord(*t, L"AB", 100);
    EXPECT_EQ(setDiagonal(*t, 1, 0, 250), 0);
    EXPECT_EQ(t->diagonals.at(0).length, 100) << "a measured record keeps its length";
    EXPECT_EQ(setDiagonal(*t, 2, 1, 120), 1);
    EXPECT_EQ(t->diagonals.at(1).length, 120);

    const int created = setDiagonal(*t, 3, 1, 141);
    ASSERT_EQ(created, 4);
    EXPECT_EQ(t->editor.currentDiagonal, created);
    EXPECT_EQ(t->diagonals.at(created).a, 1);
    EXPECT_EQ(t->diagonals.at(created).b, 3);
    EXPECT_EQ(t->diagonals.at(created).isSide, 0);

    EXPECT_EQ(setDiagonal(*t, 0, 9, 10), -1);
    EXPECT_EQ(t->editor.currentDiagonal, -1);
    EXPECT_EQ(t->diagonals.count(), 5);
}

TEST(Records, SetDiagonalByNameReadsTypedNames) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    EXPECT_EQ(setDiagonalByName(*t, L"ac", 141), 4);
    EXPECT_EQ(setDiagonalByName(*t, L"B-D", 142), 5);
    EXPECT_EQ(setDiagonalByName(*t, L"A", 1), -1);
    EXPECT_EQ(setDiagonalByName(*t, L"AZ", 1), -1);
    EXPECT_EQ(setDiagonalByName(*t, L"A?", 1), -1);
    EXPECT_EQ(t->diagonals.count(), 6);
}

TEST(Records, CreateSidesKeepsMeasuredSidesAndIsOneUndoStep) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {100, 0}}, false);
    EXPECT_FALSE(createSides(*t));
    appendVertex(*t, 100, 100);
    appendVertex(*t, 0, 100);
    measureRecord(*t, L"BC", 100);
    const int undoBefore = t->history.undoCount;
    ASSERT_TRUE(createSides(*t));
    EXPECT_EQ(t->history.undoCount, undoBefore + 1);
    markAllAsSides(*t);
    EXPECT_EQ(recordTexts(*t), (std::vector<std::wstring>{L"1-2=100s", L"0-1=0s", L"2-3=0s", L"0-3=0s"}));
}

TEST(Records, DeletingCOfABCDJoinsBAndDAndRenumbersD) {
    for (bool diagonalMeasured : {false, true}) {
        TestDocument t;
        buildMeasuredRoom(*t, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {L"AC"});
        if (diagonalMeasured) measureRecord(*t, L"BD", 141);
        t->editor.currentDiagonal = 4;
        ASSERT_TRUE(deleteVertex(*t, 2));
        EXPECT_EQ(t->polygon.count(), 3);
        EXPECT_EQ(t->polygon.at(2).y, 100) << "D is now index 2";
        const std::wstring bd = diagonalMeasured ? L"1-2=141s" : L"1-2=0s";
        EXPECT_EQ(recordTexts(*t), (std::vector<std::wstring>{L"0-1=100s", L"0-2=100s", bd}));
        EXPECT_EQ(t->editor.currentDiagonal, 2) << "the record that closes the ring";
    }
    TestDocument t;
    EXPECT_FALSE(deleteVertex(*t, 0));
}

TEST(Records, DeletingAVertexWithAMissingSideLeavesTheGapOpen) {
    TestDocument t;
    buildMeasuredRoom(*t, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {});
    t->diagonals.removeAt(1); // no BC
    ASSERT_TRUE(deleteVertex(*t, 2));
    EXPECT_EQ(recordTexts(*t), (std::vector<std::wstring>{L"0-1=100s", L"0-2=100s"}));
}

TEST(Records, InsertingOnASideSplitsItIntoTwoUnmeasuredSides) {
    TestDocument t;
    buildMeasuredRoom(*t, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {L"AC"});
    ASSERT_EQ(insertVertexOnSide(*t, makeVertex(100, 50), 1, 2), 2);
    EXPECT_EQ(t->polygon.count(), 5);
    EXPECT_EQ(t->polygon.at(2).y, 50);
    EXPECT_EQ(recordTexts(*t), (std::vector<std::wstring>{L"0-1=100s", L"3-4=100s", L"0-4=100s", L"0-3=141",
                                                          L"1-2=0s", L"2-3=0s"}));

    // The closing side of a defined outline: the new vertex goes after the last one.
    ASSERT_EQ(insertVertexOnSide(*t, makeVertex(0, 50), 4, 0), 5);
    EXPECT_EQ(findDiagonal(*t, 0, 4), -1);
    EXPECT_GE(findDiagonal(*t, 4, 5), 0);
    EXPECT_GE(findDiagonal(*t, 0, 5), 0);
    EXPECT_EQ(insertVertexOnSide(*t, makeVertex(0, 0), 0, 17), -1);
}

TEST(SuggestNextRecord, WithoutASelectionTheFirstRecordBecomesCurrent) {
    TestDocument t;
    EXPECT_EQ(suggestNextRecord(*t), L"");
    EXPECT_EQ(t->editor.currentDiagonal, -1);
    buildMeasuredRoom(*t, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {});
    EXPECT_EQ(suggestNextRecord(*t), L"");
    EXPECT_EQ(t->editor.currentDiagonal, 0);
}

TEST(SuggestNextRecord, AfterASideTheFirstUnmeasuredSide) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    measureRecord(*t, L"AB", 100);
    measureRecord(*t, L"BC", 100);
    t->editor.currentDiagonal = 0;
    EXPECT_EQ(suggestNextRecord(*t), L"CD");
    measureRecord(*t, L"CD", 100);
    measureRecord(*t, L"DA", 100);
    t->editor.currentDiagonal = 0;
    EXPECT_EQ(suggestNextRecord(*t), L"") << "every side measured";
}

TEST(SuggestNextRecord, AfterADiagonalTheNextUnmeasuredDiagonalRowByRow) {
    TestDocument t;
    buildMeasuredRoom(*t, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {L"AC"});
    t->editor.currentDiagonal = 4;
    EXPECT_EQ(suggestNextRecord(*t), L"BD");

    TestDocument hexagon;
    buildMeasuredRoom(*hexagon, {{0, 0}, {100, 0}, {150, 80}, {100, 160}, {0, 160}, {-50, 80}},
                      {L"AC", L"AD", L"AE", L"BD", L"BE", L"BF", L"CE", L"CF", L"DF"});
    hexagon->editor.currentDiagonal = findDiagonal(*hexagon, 1, 4); // BE
    EXPECT_EQ(suggestNextRecord(*hexagon), L"") << "every diagonal measured: the walk gives up";
    measureRecord(*hexagon, L"AD", 0);
    hexagon->editor.currentDiagonal = findDiagonal(*hexagon, 1, 4);
    EXPECT_EQ(suggestNextRecord(*hexagon), L"AD") << "BF, CE, CF, DF, then round again from AC";
}

// Record ends come from project files as any int; the largest and smallest must compare
// without overflow and never pass for neighbours of each other or of the first corner.
TEST(Records, NeighboursOfExtremeIndicesFromAFile) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    EXPECT_FALSE(areNeighbours(kMax, 0, 4));
    EXPECT_FALSE(areNeighbours(0, kMax, 4));
    EXPECT_FALSE(areNeighbours(kMax, kMin, 4));
    EXPECT_FALSE(areNeighbours(kMin, kMax, 4));
    EXPECT_TRUE(areNeighbours(kMax, kMax - 1, 4));
    EXPECT_TRUE(areNeighbours(3, 0, 4));
}
