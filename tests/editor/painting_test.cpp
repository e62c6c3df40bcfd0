#include <gtest/gtest.h>

#include <cmath>

#include "editor/painting.h"
#include "editor/photo_placement.h"
#include "model/geometry.h"
#include "model/measurements.h"
#include "painting_fixture.h"

using namespace tenzora;

namespace {

constexpr Color kGreen{0, 255, 0};
constexpr Color kBlue{0, 0, 255};
constexpr Color kRed{255, 0, 0};
constexpr Color kGridBlue{151, 203, 255};
constexpr Color kPaperMeasured{80, 80, 80};
constexpr Color kPaperUnmeasured{110, 110, 110};

// Screen positions of the fixture's rectangle at zoom 1 in an 800 × 600 view.
constexpr Point kA{200, 150}, kB{600, 150}, kC{600, 450}, kD{200, 450};

// A free cutout whose rows locate the given points from vertices A and B.
TZHole freeCutout(const TZCeiling& doc, const std::vector<std::pair<double, double>>& points) {
    TZHole hole;
    hole.type = static_cast<std::int32_t>(TZHoleType::Free);
    for (auto [x, y] : points) {
        TZHoleDiagonal row;
        row.vertex1 = 0;
        row.vertex2 = 1;
        row.distance1 = distance(doc.polygon.at(0), makeVertex(x, y));
        row.distance2 = distance(doc.polygon.at(1), makeVertex(x, y));
        hole.rows.append(row);
    }
    return hole;
}

std::vector<std::wstring> textsOf(const RecordingSurface& s) {
    return s.allTexts();
}

bool hasText(const RecordingSurface& s, std::wstring_view text) {
    return !s.textsEqual(text).empty();
}

} // namespace

TEST(Painting, AScreenPaintTakesTheViewSizeFromTheSurfaceAndStartsWhite) {
    PaintFixture f;
    f.rectangle();
    f.t->view.viewWidth = f.t->view.viewHeight = 0;
    f.paintScreen();
    EXPECT_EQ(f.t->view.viewWidth, 800);
    EXPECT_EQ(f.t->view.viewHeight, 600);
    const SurfaceRecord& first = f.surface.records().front();
    EXPECT_EQ(first.kind, RecordKind::FillRect);
    EXPECT_EQ(first.color, kWhite);
    EXPECT_EQ(first.rect, (Rect{0, 0, 800, 600}));
    // The caller's drawing state is given back.
    EXPECT_EQ(f.surface.state(), DrawState{});
}

TEST(Painting, TheStartScreenShowsOnlyTheLogoCentredOnceStartUpHasFinished) {
    PaintFixture f;
    f.rectangle();
    f.t->editor.mode = kModeStart;
    f.t->resources.logo.width = 100;
    f.t->resources.logo.height = 50;
    f.t->resources.logo.pixels.assign(5000, 0xFF00FF00u);
    f.paintScreen();
    EXPECT_EQ(f.surface.count(RecordKind::Bitmap), 0u); // start-up has not finished
    f.t->showLogo = true;
    f.paintScreen();
    ASSERT_EQ(f.surface.records().size(), 2u);
    const SurfaceRecord& logo = f.surface.records().back();
    EXPECT_EQ(logo.kind, RecordKind::Bitmap);
    EXPECT_EQ(logo.rect, (Rect{350, 275, 450, 325}));
}

TEST(Painting, AnOpenOutlineIsABlackPolylineWithoutFillOrClosingSide) {
    PaintFixture f;
    setOutline(*f.t, {{-200, -150}, {200, -150}, {200, 150}}, false);
    f.t->polygon.defined = false;
    f.paintScreen();
    EXPECT_EQ(f.surface.count(RecordKind::PolygonWithHoles), 0u);
    bool blackPolyline = false;
    for (const SurfaceRecord* r : f.surface.ofKind(RecordKind::Polyline)) {
        const auto p = f.surface.points(*r);
        if (p.size() == 3 && r->state.pen.color == kBlack && p[0] == kA && p[2] == kC) blackPolyline = true;
    }
    EXPECT_TRUE(blackPolyline);
    EXPECT_EQ(f.lineBetween(kC, kA), nullptr);
    EXPECT_NE(f.lineBetween(kA, kB), nullptr);
}

TEST(Painting, ADefinedOutlineIsFilledWithHolesWhereTheCutoutsAre) {
    PaintFixture f;
    f.rectangle();
    f.t->holes.append(freeCutout(*f.t, {{-50, -50}, {50, -50}, {50, 50}, {-50, 50}}));
    f.t->showConstructions = true;
    f.paintScreen();
    const auto fills = f.surface.ofKind(RecordKind::PolygonWithHoles);
    ASSERT_EQ(fills.size(), 1u);
    const auto rings = f.surface.rings(*fills[0]);
    ASSERT_EQ(rings.size(), 2u);
    EXPECT_EQ(rings[0], 4);
    EXPECT_EQ(rings[1], 4);
    EXPECT_EQ(fills[0]->state.brush, solidBrush(Color{233, 233, 233}));
    EXPECT_EQ(fills[0]->rule, FillRule::Winding);
    // Printed, the fill is white.
    f.paintInto(2);
    EXPECT_EQ(f.surface.ofKind(RecordKind::PolygonWithHoles).front()->state.brush, solidBrush(kWhite));
    // Without constructions shown the cutouts are left out.
    f.t->showConstructions = false;
    f.paintScreen();
    EXPECT_EQ(f.surface.rings(*f.surface.ofKind(RecordKind::PolygonWithHoles).front()).size(), 1u);
}

TEST(Painting, SideColoursTellMeasuredFromUnmeasuredOnScreenAndPaper) {
    PaintFixture f;
    f.rectangle();
    f.t->diagonals.at(1).length = 0; // BC unmeasured
    f.paintScreen();
    EXPECT_EQ(f.lineBetween(kA, kB)->state.pen, solidPen(3, kBlue));
    EXPECT_EQ(f.lineBetween(kB, kC)->state.pen, solidPen(3, kGreen));
    f.paintInto(2, {0, 0, 800, 600});
    std::size_t measured = f.linesColoured(kPaperMeasured).size();
    std::size_t unmeasured = f.linesColoured(kPaperUnmeasured).size();
    EXPECT_EQ(measured, 3u);
    EXPECT_EQ(unmeasured, 1u);
}

TEST(Painting, AFormedProjectMarksASideBeyondTheAccuracyClassThickAndRed) {
    PaintFixture f;
    f.rectangle();
    f.t->diagonals.at(0).length = 430; // drawn 400: 7 % off, beyond 5 %
    f.t->diagonals.at(1).length = 310; // 3.3 % off: within
    f.paintScreen();
    EXPECT_EQ(f.lineBetween(kA, kB)->state.pen.color, kBlue); // not formed yet
    f.t->outlineFormed = true;
    f.paintScreen();
    EXPECT_EQ(f.lineBetween(kA, kB)->state.pen, solidPen(5, kRed));
    EXPECT_EQ(f.lineBetween(kB, kC)->state.pen, solidPen(3, kBlue));
    // The side selected in the side panel is red as well.
    f.t->editor.currentDiagonal = 2;
    f.paintScreen();
    EXPECT_EQ(f.lineBetween(kC, kD)->state.pen, solidPen(3, kRed));
}

TEST(Painting, LengthsFollowTheirSegmentsAndTheMostDeviatingOneIsRed) {
    PaintFixture f;
    f.rectangle();
    f.t->view.showLengths = true;
    f.t->diagonals.at(2).length = 401.5; // CD is drawn 400: the largest deviation
    f.paintScreen();
    const SurfaceRecord* ab = f.text(L"400.0");
    ASSERT_NE(ab, nullptr);
    EXPECT_EQ(ab->point, (Point{400, 150}));
    EXPECT_EQ(ab->state.font.escapement, 0);
    EXPECT_EQ(ab->state.font.height, 11);
    EXPECT_EQ(ab->state.font.weight, kWeightBold);
    EXPECT_EQ(ab->state.textColor, kBlack);
    EXPECT_EQ(ab->state.textAlign, kAlignTopCenter);
    EXPECT_EQ(ab->state.backgroundMode, BackgroundMode::Transparent);
    // CD runs right to left, and its text is turned by π so that it reads left to right.
    const SurfaceRecord* cd = f.text(L"401.5");
    ASSERT_NE(cd, nullptr);
    EXPECT_EQ(cd->state.font.escapement, 0);
    EXPECT_EQ(cd->state.textColor, kRed);
    // The vertical sides read upwards.
    EXPECT_EQ(f.text(L"300.0")->state.font.escapement, 900);
}

TEST(Painting, CornerAnglesAndPointNamesAreWrittenBesideTheirCorners) {
    PaintFixture f;
    f.rectangle();
    f.t->view.showLengths = f.t->view.showAngles = f.t->view.showPointNames = true;
    f.paintScreen();
    EXPECT_EQ(f.surface.textsEqual(L"90°").size(), 4u);
    const SurfaceRecord* a = f.text(L"A");
    ASSERT_NE(a, nullptr);
    // Outside the top-left corner: above and to the left of it.
    EXPECT_LT(a->point.x, kA.x);
    EXPECT_LT(a->point.y, kA.y);
    EXPECT_EQ(a->state.font.height, 16);
    EXPECT_EQ(a->state.font.charSet, kCharSetCyrillic);
    // The angle inside: below and to the right.
    const SurfaceRecord* angle = f.surface.textsEqual(L"90°").front();
    EXPECT_GT(angle->point.x, kA.x);
    EXPECT_GT(angle->point.y, kA.y - 10);
    // Dots at every point.
    EXPECT_EQ(f.surface.count(RecordKind::Ellipse), 4u);
    // The vertex picked first in diagonal mode is a larger green dot.
    f.t->editor.pendingVertex = 2;
    f.paintScreen();
    const auto dots = f.surface.ofKind(RecordKind::Ellipse);
    EXPECT_EQ(dots[2]->state.brush, solidBrush(kGreen));
    EXPECT_EQ(dots[2]->rect, (Rect{kC.x - 4, kC.y - 4, kC.x + 4, kC.y + 4}));
    EXPECT_EQ(dots[0]->rect, (Rect{kA.x - 3, kA.y - 3, kA.x + 3, kA.y + 3}));
}

TEST(Painting, PurposeTwoShowsTheOutlineAndNamesButNoLengthsAnglesOrDiagonals) {
    PaintFixture f;
    f.rectangle();
    f.t->view.showLengths = f.t->view.showAngles = f.t->view.showPointNames = true;
    Diagonal ac;
    ac.a = 0;
    ac.b = 2;
    ac.length = 500;
    f.t->diagonals.append(ac);
    f.paintInto(2);
    EXPECT_EQ(textsOf(f.surface), (std::vector<std::wstring>{L"A", L"B", L"C", L"D"}));
    EXPECT_TRUE(f.linesStyled(PenStyle::Dot).empty());
    EXPECT_EQ(f.surface.count(RecordKind::PolygonWithHoles), 1u);

    // Purpose 6: side and diagonal lengths and the diagonal, in the paper colours.
    f.paintInto(6);
    EXPECT_TRUE(hasText(f.surface, L"400.0"));
    EXPECT_TRUE(hasText(f.surface, L"500.0"));
    EXPECT_EQ(f.surface.textsEqual(L"90°").size(), 4u);
    const auto dotted = f.linesStyled(PenStyle::Dot);
    ASSERT_EQ(dotted.size(), 1u);
    EXPECT_EQ(dotted[0]->state.pen.color, kPaperMeasured);
    EXPECT_TRUE(f.linesColoured(kBlue).empty());

    // Purpose 1: the diagonal without its length; 3: lengths without the diagonal.
    f.paintInto(1);
    EXPECT_EQ(f.linesStyled(PenStyle::Dot).size(), 1u);
    EXPECT_FALSE(hasText(f.surface, L"500.0"));
    EXPECT_FALSE(hasText(f.surface, L"400.0"));
    f.paintInto(3);
    EXPECT_TRUE(f.linesStyled(PenStyle::Dot).empty());
    EXPECT_TRUE(hasText(f.surface, L"400.0"));

    // Purpose 7 is 5 without point names.
    f.paintInto(7);
    EXPECT_FALSE(hasText(f.surface, L"A"));
}

TEST(Painting, PaperPensAndFontsScaleWithTheReferenceSizeAndTheFontScale) {
    PaintFixture f;
    f.rectangle();
    f.t->view.showLengths = true;
    f.t->fontScale = 1.5;
    f.paintInto(3, {0, 0, 2900, 2900}, 2900, 2900);
    EXPECT_EQ(f.text(L"400.0")->state.font.height, 33);                     // 11 · 2 · 1.5
    EXPECT_EQ(f.linesColoured(kPaperMeasured).front()->state.pen.width, 6); // 3 · 2, no font factor
}

TEST(Painting, IntoATargetTheDrawingFitsTheRectangle) {
    PaintFixture f;
    f.rectangle();
    const PaintOutcome o = f.paintInto(2, {100, 200, 540, 530});
    // The 440 × 330 box (with its margins) fills the 440 × 330 rectangle.
    EXPECT_NEAR(o.transform.scale(), 1.0, 1e-12);
    EXPECT_NE(f.lineBetween({120, 215}, {520, 215}), nullptr);
    EXPECT_NE(f.lineBetween({520, 515}, {120, 515}), nullptr);
    // The view size stays the screen's.
    EXPECT_EQ(f.t->view.viewWidth, 800);
}

TEST(Painting, TheGridCoversTheViewOnTheScreenOnly) {
    PaintFixture f;
    f.rectangle();
    f.t->view.showGrid = true;
    f.t->view.gridStep = 100;
    f.paintScreen();
    // x = −400 … 400 and y = −300 … 300 in steps of 100.
    EXPECT_EQ(f.linesColoured(kGridBlue).size(), 9u + 7u);
    f.paintInto(0);
    EXPECT_TRUE(f.linesColoured(kGridBlue).empty());
    // A grid finer than two pixels is not drawn.
    f.t->view.gridStep = 1;
    f.t->view.scaleX = f.t->view.scaleY = 5;
    f.paintScreen();
    EXPECT_TRUE(f.linesColoured(kGridBlue).empty());
}

TEST(Painting, CutoutRowsGetTheirMeasurementLinesOnTheScreen) {
    PaintFixture f;
    f.rectangle();
    f.t->showConstructions = f.t->view.showLengths = true;
    f.t->holes.append(freeCutout(*f.t, {{-50, -50}, {50, -50}, {50, 50}}));
    f.paintScreen();
    const auto dotted = f.linesColoured(kGreen);
    EXPECT_EQ(dotted.size(), 6u); // two lines for each of three rows
    for (const SurfaceRecord* r : dotted)
        EXPECT_EQ(r->state.pen.style, PenStyle::Dot);
    // The cutout's own edges carry their lengths.
    EXPECT_EQ(f.surface.textsEqual(L"100.0").size(), 2u);
    EXPECT_EQ(f.surface.textsEqual(L"141.4").size(), 1u);
    f.paintInto(6);
    for (const SurfaceRecord* r : f.linesStyled(PenStyle::Dot))
        EXPECT_NE(r->state.pen.color, kGreen);
}

TEST(Painting, TheRulerIsDrawnOnTheScreenButNotOnPaper) {
    PaintFixture f;
    f.rectangle();
    f.t->editor.rulerPoints.append(makeVertex(0, 0));
    f.t->editor.rulerPoints.append(makeVertex(30, 40));
    f.paintScreen();
    const SurfaceRecord* length = f.text(L"50.0");
    ASSERT_NE(length, nullptr);
    EXPECT_EQ(length->state.textColor, (Color{155, 0, 155}));
    EXPECT_EQ(f.linesColoured(Color{155, 0, 155}).size(), 1u);
    f.paintInto(0);
    EXPECT_FALSE(hasText(f.surface, L"50.0"));
}

TEST(Painting, APhotoIsBlendedOnTheScreenWithHandlesAndOpaqueOnPaper) {
    PaintFixture f;
    f.rectangle();
    TZPicture photo;
    photo.image = Bitmap{2, 2, {0xFF000000u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFF000000u}};
    photo.placed = true;
    photo.corner1 = makeVertex(100, 100); // given right to left: the picture is mirrored
    photo.corner2 = makeVertex(-100, -100);
    f.t->photos.append(photo);
    f.t->shownPhoto = 0;
    f.paintScreen();
    const auto bitmaps = f.surface.ofKind(RecordKind::Bitmap);
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_EQ(bitmaps[0]->rect, (Rect{300, 200, 500, 400}));
    EXPECT_EQ(bitmaps[0]->bitmapOptions, (BitmapOptions{true, true, 96}));
    EXPECT_EQ(f.surface.count(RecordKind::Rectangle), 9u); // the frame and eight handles
    // The handles stand where the editor looks for them.
    const auto rects = f.surface.ofKind(RecordKind::Rectangle);
    EXPECT_EQ(rects[1]->rect, (Rect{290, 190, 300, 200}));
    EXPECT_EQ(photoHandleAt(PixelRect{300, 200, 500, 400}, 295, 195), 1);
    EXPECT_EQ(rects[7]->rect, (Rect{395, 190, 405, 200}));
    EXPECT_EQ(photoHandleAt(PixelRect{300, 200, 500, 400}, 400, 195), 7);
    f.paintInto(2);
    EXPECT_EQ(f.surface.ofKind(RecordKind::Bitmap).front()->bitmapOptions.alpha, 255);
    EXPECT_EQ(f.surface.count(RecordKind::Rectangle), 0u);
}
