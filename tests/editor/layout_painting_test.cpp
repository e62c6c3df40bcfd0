// The cutting layout on the drawing: canvases, seams and the distances to the canvas edges.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "editor/canvas_distances.h"
#include "editor/display_frame.h"
#include "model/geometry.h"
#include "model/names.h"
#include "painting_fixture.h"

using namespace tenzora;

namespace {

constexpr Color kGreen{0, 255, 0};
constexpr Color kDimensionPen{144, 144, 255};

using Points = std::vector<std::pair<double, double>>;

void setSeams(TZCeiling& doc, const Points& points) {
    doc.seamLines.clear();
    for (auto [x, y] : points)
        doc.seamLines.append(makeVertex(x, y));
}

// The fixture's 400 × 300 rectangle cut into two canvases by seams along AB.
void twoCanvases(PaintFixture& f) {
    f.rectangle();
    f.t->seamFrom = 0;
    f.t->seamTo = 1;
    setSeams(*f.t, {{-200, -150}, {200, -150}, {-200, 0}, {200, 0}, {-200, 150}, {200, 150}});
}

// A room with a notch in its lower wall, inside one canvas that overhangs it by 10 cm on every
// side: the notch's corners lie 30 cm above the canvas's lower edge.
const Points kNotchedRoom = {{0, 0},     {400, 0},   {400, 190}, {280, 190},
                             {250, 170}, {150, 170}, {120, 190}, {0, 190}};
const Points kOverhangingCanvas = {{-10, -10}, {410, -10}, {-10, 200}, {410, 200}};

Points turnedQuarter(const Points& points) {
    Points out;
    for (auto [x, y] : points)
        out.emplace_back(-y, x);
    return out;
}

void notchedRoom(PaintFixture& f, const Points& room, const Points& seams) {
    setOutline(*f.t, room);
    f.t->seamFrom = 0;
    f.t->seamTo = 1;
    setSeams(*f.t, seams);
    f.t->view.showCanvasDistances = true;
    f.t->material.tensionCoef = 0.93;
    // Zoomed out, so that the whole room is in the view: world (x, y) → (200 + x/2, 200 + y/2).
    f.t->view.scaleX = f.t->view.scaleY = 2;
    f.t->view.panX = 200;
    f.t->view.panY = -100;
}

} // namespace

TEST(LayoutPainting, CanvasesAreHatchedOnTheScreenAndTheOneUnderTheMouseCrossHatched) {
    PaintFixture f;
    twoCanvases(f);
    f.t->editor.mode = kModeCutting;
    f.settings.flipCutting = false;
    f.t->view.showLengths = true;
    f.t->editor.hoverCanvas = 2;
    f.paintScreen();
    const auto canvases = f.surface.ofKind(RecordKind::Polygon);
    ASSERT_EQ(canvases.size(), 2u);
    EXPECT_EQ(canvases[0]->state.brush, hatchBrush(HatchStyle::BackDiagonal, kGreen));
    EXPECT_EQ(canvases[1]->state.brush, hatchBrush(HatchStyle::DiagonalCross, kGreen));
    EXPECT_EQ(canvases[0]->state.pen, solidPen(1, kGreen));
    const auto quad = f.surface.points(*canvases[0]);
    EXPECT_EQ(quad[0], (Point{200, 150}));
    EXPECT_EQ(quad[2], (Point{600, 300}));
    // No lengths in the layout display.
    EXPECT_TRUE(f.surface.textsContaining(L".0").empty());

    // Mirrored when flipping is on: the canvas's left end lands on the right.
    f.settings.flipCutting = true;
    f.paintScreen();
    EXPECT_EQ(f.surface.points(*f.surface.ofKind(RecordKind::Polygon)[0])[0], (Point{600, 150}));
}

TEST(LayoutPainting, OnPaperTheCanvasesAreOutlinedOnly) {
    PaintFixture f;
    twoCanvases(f);
    f.t->editor.mode = kModeCutting;
    f.paintInto(4);
    EXPECT_EQ(f.surface.count(RecordKind::Polygon), 0u);
    int closed = 0;
    for (const SurfaceRecord* r : f.surface.ofKind(RecordKind::Polyline))
        if (f.surface.points(*r).size() == 5 && r->state.pen.color == Color{128, 128, 128}) ++closed;
    EXPECT_EQ(closed, 2);
}

TEST(LayoutPainting, AQuarterTurnedSideStandsTheCanvasesUpright) {
    PaintFixture f;
    setOutline(*f.t, turnedQuarter({{-200, -150}, {200, -150}, {200, 150}, {-200, 150}}));
    f.t->seamFrom = 0;
    f.t->seamTo = 1;
    setSeams(*f.t, turnedQuarter({{-200, -150}, {200, -150}, {-200, 0}, {200, 0}, {-200, 150}, {200, 150}}));
    f.t->editor.mode = kModeCutting;
    f.settings.flipCutting = false;
    f.paintScreen();
    const auto canvases = f.surface.ofKind(RecordKind::Polygon);
    ASSERT_EQ(canvases.size(), 2u);
    const auto quad = f.surface.points(*canvases[0]);
    EXPECT_EQ(quad[0], (Point{200, 150}));
    EXPECT_EQ(quad[1], (Point{600, 150}));
    EXPECT_EQ(quad[2], (Point{600, 300}));
    EXPECT_EQ(quad[3], (Point{200, 300}));
}

TEST(LayoutPainting, InDealerModeOnlyTheInnerSeamsAreDrawnDottedAndClippedToTheCeiling) {
    PaintFixture f;
    twoCanvases(f);
    f.t->editor.mode = kModeCutting;
    f.settings.dealerMode = true;
    f.paintScreen();
    EXPECT_EQ(f.surface.count(RecordKind::Polygon), 0u);
    const auto dotted = f.linesStyled(PenStyle::Dot);
    ASSERT_EQ(dotted.size(), 1u);
    EXPECT_EQ(dotted[0]->state.pen, (Pen{PenStyle::Dot, 3, kGreen}));
    EXPECT_EQ(dotted[0]->clipDepth, 1);
    EXPECT_EQ(f.surface.count(RecordKind::PushClipRegion), 1u);
    EXPECT_EQ(f.surface.count(RecordKind::PopClip), 1u);
}

TEST(LayoutPainting, OnPaperOutsideTheLayoutDisplayTheInnerSeamsAreGreyAndClippedExceptForPurposeFive) {
    PaintFixture f;
    twoCanvases(f);
    f.paintInto(2);
    const auto seams = f.linesColoured(Color{192, 192, 192});
    ASSERT_EQ(seams.size(), 1u);
    EXPECT_EQ(seams[0]->clipDepth, 1);
    f.paintInto(5);
    EXPECT_EQ(f.surface.count(RecordKind::PushClipRegion), 0u);
    // On the screen outside the layout display the seams are not shown.
    f.paintScreen();
    EXPECT_TRUE(f.linesColoured(Color{192, 192, 192}).empty());
    // Nor without a seam side.
    f.t->seamFrom = -1;
    f.paintInto(2);
    EXPECT_TRUE(f.linesColoured(Color{192, 192, 192}).empty());
}

TEST(CanvasDistances, ARoomCornerThirtyCentimetresFromTheLowerEdgeGetsItsDimensionLine) {
    PaintFixture f;
    notchedRoom(f, kNotchedRoom, kOverhangingCanvas);
    f.t->view.showPointNames = true;
    f.paintScreen();
    // The corner (250, 170) and its foot (250, 200) on the lower edge.
    const Point corner{325, 285}, foot{325, 300};
    const SurfaceRecord* line = f.lineBetween(corner, foot);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->state.pen, solidPen(1, kDimensionPen));
    bool labelled = false;
    for (const SurfaceRecord* r : f.surface.textsEqual(L"30"))
        labelled = labelled || (r->point == Point{325, 292} && r->state.font.escapement == 900);
    EXPECT_TRUE(labelled);

    // The lower edge, from the right corner of the canvas to the left, is divided at the feet:
    // pieces of 10, 120, 30, 100, 30, 120 and 10 cm on the fabric times 0.93.
    std::map<int, std::wstring> pieces;
    for (const SurfaceRecord* r : f.surface.ofKind(RecordKind::Text))
        if (r->point.y == 300 && r->state.font.height == 9)
            pieces[r->point.x] = std::wstring(f.surface.text(*r));
    std::vector<std::wstring> inOrder;
    for (const auto& [x, text] : pieces)
        inOrder.push_back(text);
    EXPECT_EQ(inOrder, (std::vector<std::wstring>{L"9", L"112", L"28", L"93", L"28", L"112", L"9"}));

    // The names go on after the room's eight points: I, J, K, …, one per dimension point.
    const std::size_t dots = f.surface.count(RecordKind::Ellipse) - 8;
    ASSERT_GT(dots, 4u);
    for (std::size_t k = 0; k < dots; ++k)
        EXPECT_TRUE(f.text(vertexName(static_cast<int>(8 + k))) != nullptr) << k;
    EXPECT_EQ(f.text(vertexName(static_cast<int>(8 + dots))), nullptr);
}

TEST(CanvasDistances, FeetInsideTheRoomOrBehindAWallAndPointsNearVerticesAreLeftOut) {
    PaintFixture f;
    notchedRoom(f, kNotchedRoom, kOverhangingCanvas);
    f.paintScreen();
    // The notch corner's foot on the upper edge would run through the room: no line up from it.
    EXPECT_EQ(f.lineBetween({325, 285}, {325, 195}), nullptr);
    // Nor to the side edges, across the walls.
    EXPECT_EQ(f.lineBetween({325, 285}, {195, 285}), nullptr);
    // Every accepted point keeps 1 cm from the others and from the room's vertices.
    const auto dots = f.surface.ofKind(RecordKind::Ellipse);
    for (std::size_t i = 0; i < dots.size(); ++i)
        for (std::size_t j = i + 1; j < dots.size(); ++j)
            EXPECT_NE(dots[i]->rect, dots[j]->rect);
}

TEST(CanvasDistances, EveryDimensionLineHasItsLength) {
    PaintFixture f;
    notchedRoom(f, kNotchedRoom, kOverhangingCanvas);
    f.paintScreen();
    DrawingCache& c = f.cache;
    int partners = 0;
    for (const TZRasPoint& p : c.distances.points)
        partners += p.hasPartner;
    int lengths = 0;
    for (const SurfaceRecord* r : f.surface.ofKind(RecordKind::Text))
        lengths += r->state.font.height == 9;
    // Pieces of the edges plus one length per dimension line.
    int pieces = 0;
    for (const TZDopDiagonal& e : c.distances.edges) {
        int on = 0;
        for (const TZRasPoint& p : c.distances.points)
            on += liesOnEdge(p.point, e.start, e.end);
        for (const Vertex& v : f.t->polygon)
            on += liesOnEdge(v, e.start, e.end);
        pieces += std::max(0, on - 1);
    }
    EXPECT_GT(partners, 0);
    EXPECT_EQ(lengths, pieces + partners);
}

TEST(CanvasDistances, DrawnWhenSwitchedOnOrForPurposeFiveAndNeverInDealerMode) {
    PaintFixture f;
    notchedRoom(f, kNotchedRoom, kOverhangingCanvas);
    f.t->view.showCanvasDistances = false;
    f.paintScreen();
    EXPECT_TRUE(f.linesColoured(kDimensionPen).empty());
    f.paintInto(5);
    EXPECT_FALSE(f.linesColoured(Color{160, 160, 160}).empty());
    EXPECT_FALSE(f.surface.textsEqual(L"30").empty());
    f.settings.dealerMode = true;
    f.paintInto(5);
    EXPECT_TRUE(f.surface.textsEqual(L"30").empty());
}

TEST(CanvasDistances, ACanvasWithoutRoomCornersIsOutlinedButNotDividedAndTooFewSeamsDrawNothing) {
    PaintFixture f;
    notchedRoom(f, kNotchedRoom, {{1000, 0}, {1100, 0}, {1000, 100}, {1100, 100}});
    f.paintScreen();
    EXPECT_EQ(f.linesColoured(kDimensionPen).size(), 4u);
    EXPECT_TRUE(f.cache.distances.points.empty());
    EXPECT_EQ(f.surface.count(RecordKind::Text), 0u);
    setSeams(*f.t, {{-10, -10}, {410, -10}});
    f.paintScreen();
    EXPECT_TRUE(f.linesColoured(kDimensionPen).empty());
}

TEST(CanvasDistances, TheTurnedLayoutDisplayDimensionsLikeAnUnturnedRoom) {
    PaintFixture plain;
    notchedRoom(plain, kNotchedRoom, kOverhangingCanvas);
    plain.t->view.showPointNames = true;
    plain.paintScreen();

    PaintFixture turned;
    notchedRoom(turned, turnedQuarter(kNotchedRoom), turnedQuarter(kOverhangingCanvas));
    turned.t->view.showPointNames = true;
    turned.t->editor.mode = kModeCutting;
    turned.settings.flipCutting = false;
    turned.paintScreen();
    ASSERT_NEAR(turned.cache.distances.points.size(), plain.cache.distances.points.size(), 0);
    auto sorted = [](std::vector<std::wstring> v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    EXPECT_EQ(sorted(turned.surface.allTexts()), sorted(plain.surface.allTexts()));
}

TEST(CanvasDistances, EdgeAndCrossingRules) {
    const Vertex a = makeVertex(0, 0), b = makeVertex(100, 0);
    EXPECT_TRUE(liesOnEdge(makeVertex(50, 0.05), a, b));
    EXPECT_FALSE(liesOnEdge(makeVertex(50, 0.2), a, b));
    EXPECT_TRUE(liesOnEdge(makeVertex(100.05, 0), a, b));
    EXPECT_FALSE(liesOnEdge(makeVertex(100.2, 0), a, b));
    EXPECT_TRUE(liesOnEdge(makeVertex(0, 30), a, makeVertex(0, 50)));
    // A slanted edge: the same relative position along x and y.
    EXPECT_TRUE(liesOnEdge(makeVertex(25, 50), a, makeVertex(50, 100)));
    EXPECT_FALSE(liesOnEdge(makeVertex(25, 60), a, makeVertex(50, 100)));
    // A rotation's rounding leaves a horizontal edge horizontal.
    EXPECT_TRUE(liesOnEdge(makeVertex(50, 0), a, makeVertex(100, 1e-12)));

    EXPECT_TRUE(
        dimensionLineCrosses(makeVertex(0, -10), makeVertex(0, 10), makeVertex(-5, 0), makeVertex(5, 0)));
    EXPECT_FALSE(
        dimensionLineCrosses(makeVertex(0, 0), makeVertex(0, 10), makeVertex(-5, 0), makeVertex(5, 0)));
    EXPECT_FALSE(
        dimensionLineCrosses(makeVertex(0, 0), makeVertex(10, 0), makeVertex(0, 0), makeVertex(20, 0)));
}
