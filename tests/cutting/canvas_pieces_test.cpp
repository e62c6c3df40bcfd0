// Canvas pieces: the points of one canvas in fabric coordinates, and their texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "cutting/canvas_dialog.h"
#include "cutting/canvas_pieces.h"
#include "cutting/layout.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

class CanvasPiecesTest : public ::testing::Test {
  protected:
    // The 500 × 400 room laid out along AB with a 320 cm roll and k = 0.93: canvas 1 lies between
    // the two upper seams, canvas 2 between the middle seam and AB.
    void SetUp() override {
        setOutline(*doc, {{0, 0}, {500, 0}, {500, 400}, {0, 400}});
        doc->seamFrom = 0;
        doc->seamTo = 1;
        doc->material.width = 320;
        doc->material.tensionCoef = 0.93;
        ASSERT_EQ(layoutCanvases(*doc, doc->material, true, false), LayoutOutcome::LaidOut);
        ASSERT_EQ(doc->seamLines.count(), 6);
    }
    TestDocument doc;
};

TEST(FabricNumbers, OneDecimalExceptWholeMultiplesOfTen) {
    EXPECT_EQ(fabricNumberText(120.04), L"120");
    EXPECT_EQ(fabricNumberText(123.0), L"123.0");
    EXPECT_EQ(fabricNumberText(123.46), L"123.5");
    EXPECT_EQ(fabricNumberText(465.0), L"465.0");
    EXPECT_EQ(fabricNumberText(0.0), L"0");
    EXPECT_EQ(fabricNumberText(0.04), L"0");
    EXPECT_EQ(fabricNumberText(1e300), fabricNumberText(1e300)); // no overflow
    EXPECT_EQ(pointText(27, 90, 20, 0.5), L"B1(45.0;10)     ");
}

TEST_F(CanvasPiecesTest, RoomCornersFirstThenTheCrossingsOfTheLowerSeam) {
    TZStaticArray<Vertex> points;
    TZStaticArray<int> indexes;
    const std::wstring text = canvasPoints(&points, &indexes, *doc, doc->seamLines.at(0));
    // The crossings are named after the four corners: E on BC, F on DA. The pieces are measured
    // from the end with the largest x and from the upper seam's side, times k.
    EXPECT_EQ(text, L"C(0;0)     D(465.0;0)     E(0;52.0)     F(465.0;52.0)     ");
    ASSERT_EQ(indexes.count(), 4);
    EXPECT_EQ(indexes.at(2), 4);
    EXPECT_NEAR(points.at(1).x, 500, 1e-9);
    EXPECT_NEAR(points.at(3).y, 400 - 320 / 0.93, 1e-4); // the crossing is rounded to 4 decimals

    EXPECT_EQ(canvasPoints(nullptr, nullptr, *doc, doc->seamLines.at(2)),
              L"A(465.0;320)     B(0;320)     E(0;0)     F(465.0;0)     ");
}

TEST_F(CanvasPiecesTest, APieceOnOneLineOrWithoutASideHasNoText) {
    // Below the lowest seam only A and B remain, both on that seam.
    EXPECT_EQ(canvasPoints(nullptr, nullptr, *doc, doc->seamLines.at(4)), L"");
    EXPECT_EQ(canvasPoints(nullptr, nullptr, *doc, makeVertex(0, 5000)), L"");
    doc->seamFrom = -1;
    EXPECT_EQ(canvasPoints(nullptr, nullptr, *doc, doc->seamLines.at(0)), L"");
    doc->seamFrom = 9;
    EXPECT_EQ(canvasPoints(nullptr, nullptr, *doc, doc->seamLines.at(0)), L"");
}

TEST_F(CanvasPiecesTest, EveryPairOfNeighbouringSeamsIsACanvas) {
    const auto pieces = canvasPieces(*doc);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].number, 1);
    EXPECT_EQ(pieces[1].seamLinePoint, 2);
    EXPECT_EQ(pieces[0].text, canvasPoints(nullptr, nullptr, *doc, doc->seamLines.at(0)));
    EXPECT_EQ(pieces[1].indexes, (std::vector<int>{0, 1, 4, 5}));
}

TEST_F(CanvasPiecesTest, CanvasDialogShowsTheNumberedPiece) {
    CanvasDialog dialog;
    EXPECT_EQ(dialog.caption(), L"Полотно");
    dialog.showCanvas(*doc, 3, doc->seamLines.at(2));
    EXPECT_EQ(dialog.caption(), L"Полотно № 3");
    EXPECT_EQ(dialog.text(), canvasPoints(nullptr, nullptr, *doc, doc->seamLines.at(2)));
    EXPECT_TRUE(dialog.visible());
}

} // namespace

// The pieces of many canvases are taken from one sorting of the layout's points across the
// seams: each piece still lists its points in list order (corners before crossings, whatever
// their heights), the same as one canvas asked alone, and points that are not numbers lie in
// no piece.
TEST(CanvasPiecesMany, ANarrowRollGivesEveryCanvasItsOwnPointsInListOrder) {
    TestDocument doc;
    setOutline(*doc, {{0, 0}, {300, 0}, {300, 2000}, {150, 2100}, {0, 2000}});
    doc->seamFrom = 0;
    doc->seamTo = 1;
    doc->material.width = 50;
    doc->material.tensionCoef = 0.9;
    ASSERT_EQ(layoutCanvases(*doc, doc->material, true, false), LayoutOutcome::LaidOut);
    ASSERT_GT(doc->seamLines.count(), 70);

    const auto pieces = canvasPieces(*doc);
    std::vector<Vertex> references;
    for (int k = 0; k < doc->seamLines.count() - 2; k += 2)
        references.push_back(doc->seamLines.at(k));
    const std::vector<std::wstring> texts = canvasPointTexts(*doc, references);
    ASSERT_GE(texts.size(), pieces.size());
    int withPoints = 0;
    for (const CanvasPiece& piece : pieces) {
        const Vertex& reference = doc->seamLines.at(piece.seamLinePoint);
        EXPECT_EQ(piece.text, canvasPoints(nullptr, nullptr, *doc, reference));
        EXPECT_EQ(piece.text, texts[static_cast<std::size_t>(piece.seamLinePoint / 2)]);
        EXPECT_TRUE(std::is_sorted(piece.indexes.begin(), piece.indexes.end()));
        if (!piece.indexes.empty()) ++withPoints;
    }
    EXPECT_GT(withPoints, 30);
    // The top canvas holds the ridge D between the crossings of the two slopes.
    const CanvasPiece& top = pieces.front();
    EXPECT_NE(std::find(top.indexes.begin(), top.indexes.end(), 3), top.indexes.end());

    doc->addPoints.at(0).point = makeVertex(std::nan(""), std::nan(""));
    for (const CanvasPiece& piece : canvasPieces(*doc))
        EXPECT_EQ(std::find(piece.indexes.begin(), piece.indexes.end(), 5), piece.indexes.end());
}
