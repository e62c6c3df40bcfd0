#include <gtest/gtest.h>

#include <numeric>

#include "output/metafile_reader.h"
#include "output/surface_scene.h"
#include "output/wmf_writer.h"
#include "platform/approximate_text_measurer.h"

using namespace tenzora;

using namespace metafile;

namespace {

struct WmfFixture : ::testing::Test {
    ApproximateTextMeasurer measurer;
    WmfHeader header;

    Playback play(WmfWriter& w) {
        Playback p = playWmf(w.finish(), header);
        EXPECT_TRUE(p.ok()) << p.error;
        return p;
    }
};

} // namespace

TEST_F(WmfFixture, HeadersDescribeThePictureAndTheFile) {
    WmfWriter w(scene::kWidth, scene::kHeight, measurer);
    scene::draw(w);
    const Playback p = play(w);
    scene::keep("scene.wmf", w.finish());

    EXPECT_EQ(header.boundingBox, (Rect{0, 0, scene::kWidth, scene::kHeight}));
    EXPECT_EQ(header.inch, 96);
    EXPECT_EQ(header.windowOrigin, (Point{0, 0}));
    EXPECT_EQ(header.windowExtent, (Size{scene::kWidth, scene::kHeight}));
    EXPECT_GE(header.objects, p.maxObjectsAlive);
    EXPECT_EQ(p.types.back(), meta::EOF_);

    const Drawn* side = p.textEqual(L"АВ 300");
    ASSERT_NE(side, nullptr);
    EXPECT_EQ(side->dc.font.face, L"Tahoma");
    EXPECT_EQ(side->dc.font.weight, 700);
    EXPECT_EQ(side->dc.font.charSet, 204);
    EXPECT_EQ(side->dc.textAlign, 6u);
    EXPECT_EQ(p.textEqual(L"ВС 200")->dc.font.escapement, 900);
    const auto fills = p.ofType(meta::POLYPOLYGON);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->polygonCounts, (std::vector<std::uint32_t>{4, 4}));
    EXPECT_EQ(p.ofType(meta::POLYGON).at(0)->dc.brush.hatch, 3u);
    EXPECT_EQ(p.count(meta::STRETCHDIB), 1u);
}

TEST_F(WmfFixture, TextIsWrittenInTheFontsCodePageWithSpacing) {
    WmfWriter w(200, 100, measurer);
    const Font font = scene::boldTahoma(16);
    w.setFont(font);
    const std::wstring text = L"Угол 90°";
    w.textOut({5, 6}, text);
    Font latin = font;
    latin.charSet = kCharSetAnsi;
    w.setFont(latin);
    w.textOut({5, 40}, L"Ж"); // no Cyrillic in the ANSI code page
    const Playback p = play(w);
    const auto texts = p.ofType(meta::EXTTEXTOUT);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->text, text);
    EXPECT_EQ(texts[0]->reference, (Point{5, 6}));
    EXPECT_EQ(std::accumulate(texts[0]->dx.begin(), texts[0]->dx.end(), 0),
              roundToPixel(measurer.advance(font, text)));
    EXPECT_EQ(texts[1]->text, L"?");
}

TEST_F(WmfFixture, PicturesBeyondSixteenBitsAreScaledDown) {
    WmfWriter w(65534, 20000, measurer);
    EXPECT_NEAR(w.scale(), 0.5, 1e-4);
    w.setPen(solidPen(8, scene::kRed));
    w.line({0, 0}, {65534, 20000});
    w.setFont(scene::boldTahoma(40));
    w.textOut({1000, 1000}, L"Т");
    const Playback p = play(w);
    EXPECT_EQ(header.boundingBox.right, 32767);
    EXPECT_EQ(header.inch, 48); // the same physical size
    const auto lines = p.ofType(meta::POLYLINE);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->points.back(), (Point{32767, 10000}));
    EXPECT_EQ(lines[0]->dc.pen.width, 4);
    EXPECT_EQ(p.ofType(meta::EXTTEXTOUT).at(0)->dc.font.height, 20);
}

TEST_F(WmfFixture, AreaClipsCutLinesAndLimitTheRestToTheBoundingBox) {
    WmfWriter w(scene::kWidth, scene::kHeight, measurer);
    w.pushClip(scene::kArea, scene::kAreaRings, FillRule::EvenOdd);
    w.line({0, 150}, {400, 150});
    w.line({200, 0}, {200, 300});
    w.popClip();
    const Playback p = play(w);
    const auto clip = p.ofType(meta::INTERSECTCLIPRECT);
    ASSERT_EQ(clip.size(), 1u);
    EXPECT_EQ(clip[0]->box, (Rect{50, 50, 351, 251}));
    const auto lines = p.ofType(meta::POLYLINE);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2]->points, (std::vector<Point>{{200, 50}, {200, 100}}));
    EXPECT_EQ(lines[3]->points, (std::vector<Point>{{200, 200}, {200, 250}}));
}

TEST_F(WmfFixture, ObjectSlotsFollowTheReadersLowestFreeRule) {
    WmfWriter w(100, 100, measurer);
    for (int i = 0; i < 40; ++i) {
        w.setPen(solidPen(1, Color{0, i, 0}));
        w.setBrush(solidBrush(Color{0, 0, i}));
        w.rectangle({i, i, i + 10, i + 10});
    }
    const Playback p = play(w); // the playback fails on any mismatch of slots
    EXPECT_GT(p.deleted, 0);
    EXPECT_EQ(p.count(meta::RECTANGLE), 40u);
    EXPECT_EQ(p.ofType(meta::RECTANGLE).back()->dc.pen.color, (Color{0, 39, 0}).colorRef());
}
