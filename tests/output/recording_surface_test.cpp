#include <gtest/gtest.h>

#include "output/recording_surface.h"
#include "output/surface_scene.h"

using namespace tenzora;

TEST(RecordingSurface, KeepsEveryCallWithTheStateInForce) {
    RecordingSurface s;
    scene::draw(s);

    const auto lines = s.ofKind(RecordKind::Polyline);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(s.points(*lines[0]).size(), 5u);
    EXPECT_EQ(lines[0]->state.pen, solidPen(3, scene::kBlue));
    EXPECT_EQ(lines[1]->state.pen.style, PenStyle::Dot);
    // The seam line was drawn inside the area clip.
    EXPECT_EQ(lines[2]->clipDepth, 1);
    EXPECT_EQ(s.count(RecordKind::PushClipRegion), 1u);
    const auto area = s.ofKind(RecordKind::PushClipRegion)[0];
    EXPECT_EQ(s.rings(*area).size(), 2u);
    EXPECT_EQ(area->rule, FillRule::Winding);

    const auto fill = s.ofKind(RecordKind::PolygonWithHoles);
    ASSERT_EQ(fill.size(), 1u);
    EXPECT_EQ(fill[0]->state.brush, solidBrush(scene::kScreenFill));
    EXPECT_EQ(s.points(*fill[0]).size(), 8u);

    const auto side = s.textsEqual(L"АВ 300");
    ASSERT_EQ(side.size(), 1u);
    EXPECT_EQ(side[0]->point, (Point{200, 30}));
    EXPECT_EQ(side[0]->state.font.weight, kWeightBold);
    EXPECT_EQ(side[0]->state.textAlign, kAlignTopCenter);
    EXPECT_EQ(side[0]->state.backgroundMode, BackgroundMode::Transparent);
    EXPECT_EQ(s.textsEqual(L"ВС 200")[0]->state.font.escapement, 900);
    EXPECT_EQ(s.textsContaining(L"°")[0]->state.textColor, scene::kRed);

    const auto tabbed = s.ofKind(RecordKind::TabbedText);
    ASSERT_EQ(tabbed.size(), 1u);
    EXPECT_EQ(std::vector<std::int32_t>(s.tabStops(*tabbed[0]).begin(), s.tabStops(*tabbed[0]).end()),
              (std::vector<std::int32_t>{120, 180}));
    const auto boxed = s.ofKind(RecordKind::WrappedText);
    ASSERT_EQ(boxed.size(), 1u);
    EXPECT_EQ(boxed[0]->rect, (Rect{260, 205, 345, 245}));

    const auto bitmaps = s.ofKind(RecordKind::Bitmap);
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_EQ(bitmaps[0]->bitmapSize, (Size{2, 1}));
    EXPECT_TRUE(bitmaps[0]->bitmapOptions.mirrorX);

    EXPECT_EQ(s.allTexts().size(), 5u);
    s.clear();
    EXPECT_TRUE(s.records().empty());
}

TEST(RecordingSurface, ResultsOfTextCallsAreThoseOfTheLayout) {
    RecordingSurface s;
    Font f;
    f.height = 20;
    s.setFont(f);
    const Size extent = s.textExtent(L"Итого");
    EXPECT_EQ(extent.height, 20);
    EXPECT_EQ(extent.width, roundToPixel(s.measurer().advance(f, L"Итого")));
    const std::int32_t stops[] = {500};
    const Size line = s.tabbedTextOut({10, 10}, L"a\tb", stops, 0);
    EXPECT_EQ(line.width, 500 + roundToPixel(s.measurer().advance(f, L"b")) - 10);
    // Three short paragraphs in a wide box: three lines of one cell each.
    EXPECT_EQ(s.drawWrappedText({0, 0, 1000, 10}, L"a\nb\nc"), 60);
}

TEST(RecordingSurface, ChecksRingsAndClipsBeforeRecording) {
    RecordingSurface s;
    const Point pts[] = {{0, 0}, {10, 0}, {10, 10}, {1, 1}, {2, 2}, {5, 5}, {6, 5}, {6, 6}};
    // The 2-point ring is dropped; a size running past the points ends the list.
    const std::int32_t rings[] = {3, 2, 3, 99};
    s.fillPolygonWithHoles(pts, rings, FillRule::EvenOdd);
    ASSERT_EQ(s.count(RecordKind::PolygonWithHoles), 1u);
    const auto& r = *s.ofKind(RecordKind::PolygonWithHoles)[0];
    EXPECT_EQ(std::vector<std::int32_t>(s.rings(r).begin(), s.rings(r).end()),
              (std::vector<std::int32_t>{3, 3}));
    EXPECT_EQ(s.points(r)[3], (Point{5, 5}));
    // Without a usable outer ring nothing is filled …
    const std::int32_t bad[] = {2, 3};
    s.fillPolygonWithHoles(pts, bad, FillRule::EvenOdd);
    const std::int32_t negative[] = {-1};
    s.fillPolygonWithHoles(pts, negative, FillRule::EvenOdd);
    EXPECT_EQ(s.count(RecordKind::PolygonWithHoles), 1u);
    // … and clipping to it clips everything away, still taking a place on the stack.
    s.pushClip(pts, bad, FillRule::EvenOdd);
    EXPECT_EQ(s.clipDepth(), 1);
    EXPECT_TRUE(s.ofKind(RecordKind::PushClipRect)[0]->rect.isEmpty());
    s.popClip();
    s.popClip(); // more pops than pushes are ignored
    EXPECT_EQ(s.clipDepth(), 0);
    EXPECT_EQ(s.count(RecordKind::PopClip), 1u);
    // Degenerate primitives and bitmaps that do not hold together are not recorded.
    s.polyline(std::span<const Point>(pts, 1));
    Bitmap broken;
    broken.width = 3;
    broken.height = 3;
    s.drawBitmap(broken, {0, 0, 10, 10});
    EXPECT_EQ(s.count(RecordKind::Polyline), 0u);
    EXPECT_EQ(s.count(RecordKind::Bitmap), 0u);
}

TEST(RecordingSurface, ScratchSurfacesMeasureAlikeAndDrawNothing) {
    RecordingSurface s(deviceMetricsFor(2100, 2970, 254));
    Font f;
    f.height = 50;
    s.setFont(f);
    s.setTextColor(scene::kRed);
    const auto scratch = s.createScratch();
    EXPECT_EQ(scratch->metrics().widthMm, 210);
    EXPECT_EQ(scratch->metrics().heightMm, 297);
    EXPECT_EQ(scratch->state().textColor, scene::kRed);
    EXPECT_EQ(scratch->textExtent(L"Заказчик"), s.textExtent(L"Заказчик"));
    EXPECT_EQ(scratch->drawWrappedText({0, 0, 200, 1000}, L"раз два три четыре"),
              s.drawWrappedText({0, 0, 200, 1000}, L"раз два три четыре"));
    scene::draw(*scratch);
    EXPECT_EQ(s.records().size(), 1u); // only the wrapped text drawn on the recorder itself
}
