#include <gtest/gtest.h>

#include <numeric>

#include "output/emf_writer.h"
#include "output/metafile_reader.h"
#include "output/surface_scene.h"
#include "platform/approximate_text_measurer.h"
#include "support/fakes.h"

using namespace tenzora;

using namespace metafile;

namespace {

struct EmfFixture : ::testing::Test {
    ApproximateTextMeasurer measurer;
    EmfHeader header;

    Playback play(EmfWriter& w) {
        const std::string& bytes = w.finish();
        Playback p = playEmf(bytes, header);
        EXPECT_TRUE(p.ok()) << p.error;
        return p;
    }
};

constexpr std::uint32_t colorRef(Color c) {
    return c.colorRef();
}

} // namespace

TEST_F(EmfFixture, HeaderDescribesThePictureAndTheFile) {
    EmfWriter w(scene::kWidth, scene::kHeight, measurer);
    scene::draw(w);
    const Playback p = play(w);
    scene::keep("scene.emf", w.finish());

    EXPECT_EQ(header.bounds, (Rect{0, 0, 399, 299}));
    // 400 pixels at 96 dpi are 105.83 mm.
    EXPECT_EQ(header.frame, (Rect{0, 0, 10582, 7937}));
    EXPECT_EQ(header.device.width * 254, header.millimeters.width * 960); // 96 dpi reference device
    EXPECT_EQ(header.micrometers.width, header.millimeters.width * 1000);
    EXPECT_NE(header.description.find(L"Tenzora"), std::wstring::npos);
    EXPECT_EQ(header.records, p.types.size());
    EXPECT_GT(header.handles, p.maxObjectsAlive); // slot 0 stands for the picture itself
    EXPECT_EQ(p.types.front(), emr::HEADER);
    EXPECT_EQ(p.types.back(), emr::EOF_);
}

TEST_F(EmfFixture, PrimitivesCarryTheirPensBrushesAndFonts) {
    EmfWriter w(scene::kWidth, scene::kHeight, measurer);
    scene::draw(w);
    const Playback p = play(w);

    // The blue outline, 3 pixels wide.
    const auto lines = p.ofType(emr::POLYLINE);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0]->points.size(), 5u);
    EXPECT_EQ(lines[0]->dc.pen.width, 3);
    EXPECT_EQ(lines[0]->dc.pen.color, colorRef(scene::kBlue));
    // The dotted diagonal stays a plain one-pixel dotted pen; the wide dash-dot pen is geometric
    // so that readers keep its pattern.
    EXPECT_EQ(lines[1]->dc.pen.style, 2u);
    const auto wide =
        std::find_if(lines.begin(), lines.end(), [](const Drawn* d) { return d->dc.pen.width == 4; });
    ASSERT_NE(wide, lines.end());
    EXPECT_EQ((*wide)->dc.pen.style & 0x000F000Fu, 0x00010003u); // PS_GEOMETRIC | PS_DASHDOT

    // The canvas quadrilateral with its back-diagonal green hatch.
    const auto polygons = p.ofType(emr::POLYGON);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0]->dc.brush.style, 2u);
    EXPECT_EQ(polygons[0]->dc.brush.hatch, 3u);
    EXPECT_EQ(polygons[0]->dc.brush.color, colorRef(scene::kGreen));
    EXPECT_EQ(polygons[0]->dc.backgroundMode, 1u); // transparent hatch gaps

    // The outline fill with its cutout: two rings under the non-zero rule, the hole turned against
    // the outline so that it stays empty, drawn without an outline pen.
    const auto fills = p.ofType(emr::POLYPOLYGON);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->polygonCounts, (std::vector<std::uint32_t>{4, 4}));
    EXPECT_EQ(fills[0]->dc.polyFillMode, 2u);
    EXPECT_EQ(fills[0]->dc.pen.style, 5u);
    EXPECT_EQ(fills[0]->dc.brush.color, colorRef(scene::kScreenFill));
    const std::span<const Point> all(fills[0]->points);
    EXPECT_LT(signedArea2(all.first(4)) * signedArea2(all.subspan(4)), 0);

    // Texts with their fonts, alignment and colours.
    const Drawn* side = p.textEqual(L"АВ 300");
    ASSERT_NE(side, nullptr);
    EXPECT_EQ(side->reference, (Point{200, 30}));
    EXPECT_EQ(side->dc.font.face, L"Tahoma");
    EXPECT_EQ(side->dc.font.height, 22);
    EXPECT_EQ(side->dc.font.weight, 700);
    EXPECT_EQ(side->dc.font.charSet, 204);
    EXPECT_EQ(side->dc.font.escapement, 0);
    EXPECT_EQ(side->dc.textAlign, 6u); // TA_CENTER | TA_TOP
    EXPECT_EQ(side->dc.textColor, colorRef(kBlack));
    const Drawn* turned = p.textEqual(L"ВС 200");
    ASSERT_NE(turned, nullptr);
    EXPECT_EQ(turned->dc.font.escapement, 900);
    EXPECT_EQ(turned->dc.font.orientation, 900);
    // Turned upwards, the text's box is tall and narrow.
    EXPECT_GT(turned->box.bottom - turned->box.top, turned->box.right - turned->box.left);
    const Drawn* angle = p.textEqual(L"90°");
    ASSERT_NE(angle, nullptr);
    EXPECT_EQ(angle->dc.textColor, colorRef(scene::kRed));

    // The dot: an ellipse with a black brush.
    const auto dots = p.ofType(emr::ELLIPSE);
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ(dots[0]->box, (Rect{47, 47, 53, 53}));
    EXPECT_EQ(dots[0]->dc.brush.color, colorRef(kBlack));
}

TEST_F(EmfFixture, TextSpacingAddsUpToTheMeasuredWidth) {
    EmfWriter w(200, 100, measurer);
    const Font font = scene::boldTahoma(17);
    w.setFont(font);
    const std::wstring text = L"Длина 1234,5 см";
    w.textOut({10, 10}, text);
    const Playback p = play(w);
    const auto texts = p.ofType(emr::EXTTEXTOUTW);
    ASSERT_EQ(texts.size(), 1u);
    ASSERT_EQ(texts[0]->dx.size(), text.size());
    EXPECT_EQ(std::accumulate(texts[0]->dx.begin(), texts[0]->dx.end(), 0),
              roundToPixel(measurer.advance(font, text)));
    // Left-top alignment: the box starts at the reference point.
    EXPECT_EQ(texts[0]->box.left, 10);
    EXPECT_EQ(texts[0]->box.top, 10);
}

TEST_F(EmfFixture, ObjectsAreCreatedOnceAndDeletedOnlyWhenUnused) {
    EmfWriter w(100, 100, measurer);
    for (int i = 0; i < 100; ++i) {
        w.setPen(solidPen(1, i % 2 == 0 ? scene::kRed : scene::kBlue));
        w.line({0, i}, {100, i});
    }
    Playback p = play(w);
    EXPECT_EQ(p.count(emr::CREATEPEN), 2u);
    EXPECT_EQ(p.count(emr::DELETEOBJECT), 0u);
    EXPECT_EQ(p.count(emr::POLYLINE), 100u);

    // Many different pens: old ones are deleted, never one still selected (the playback checks).
    EmfWriter many(100, 100, measurer);
    many.pushClip(Rect{0, 0, 50, 50});
    many.setPen(solidPen(2, scene::kGreen));
    many.line({0, 0}, {10, 10}); // this pen is held by the saved context below the clip …
    for (int i = 0; i < 60; ++i) {
        many.setPen(solidPen(1, Color{i, 0, 0}));
        many.line({0, i}, {100, i});
    }
    many.popClip();
    many.line({0, 0}, {5, 5});
    p = play(many);
    EXPECT_EQ(p.count(emr::CREATEPEN), 61u);
    EXPECT_GT(p.count(emr::DELETEOBJECT), 0u);
    EXPECT_LE(p.maxObjectsAlive, 20);
}

TEST_F(EmfFixture, ClipsSaveAndRestoreTheContext) {
    EmfWriter w(100, 100, measurer);
    w.setPen(solidPen(1, scene::kRed));
    w.line({0, 0}, {100, 0});
    w.pushClip(Rect{10, 20, 30, 40});
    w.setPen(solidPen(1, scene::kBlue));
    w.line({0, 30}, {100, 30});
    w.popClip();
    // The restore brought the red pen back into the reader's context; the blue one is wanted.
    w.line({0, 60}, {100, 60});
    const Playback p = play(w);
    EXPECT_EQ(p.count(emr::SAVEDC), 1u);
    EXPECT_EQ(p.count(emr::RESTOREDC), 1u);
    const auto clip = p.ofType(emr::INTERSECTCLIPRECT);
    ASSERT_EQ(clip.size(), 1u);
    EXPECT_EQ(clip[0]->box, (Rect{10, 20, 30, 40}));
    const auto lines = p.ofType(emr::POLYLINE);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1]->dc.clipRects, 1);
    EXPECT_EQ(lines[2]->dc.clipRects, 0);
    EXPECT_EQ(lines[2]->dc.pen.color, colorRef(scene::kBlue));
}

TEST_F(EmfFixture, AreaClipsWriteAClipPathAndCutLinesExactly) {
    EmfWriter w(scene::kWidth, scene::kHeight, measurer);
    w.pushClip(scene::kArea, scene::kAreaRings, FillRule::Winding);
    w.line({0, 150}, {400, 150});
    w.popClip();
    const Playback p = play(w);
    EXPECT_EQ(p.count(emr::BEGINPATH), 1u);
    EXPECT_EQ(p.count(emr::SELECTCLIPPATH), 1u);
    const auto lines = p.ofType(emr::POLYLINE);
    ASSERT_EQ(lines.size(), 2u); // left of the cutout and right of it
    EXPECT_EQ(lines[0]->points, (std::vector<Point>{{50, 150}, {150, 150}}));
    EXPECT_EQ(lines[1]->points, (std::vector<Point>{{250, 150}, {350, 150}}));
    EXPECT_EQ(lines[0]->dc.clipPaths, 1);
}

TEST_F(EmfFixture, WrappedTextIsWrittenLineByLineInsideTheBox) {
    EmfWriter w(300, 300, measurer);
    const Font font = scene::boldTahoma(20);
    w.setFont(font);
    w.setTextAlign(kAlignTopCenter); // the box text ignores it
    const Rect box{10, 10, 130, 300};
    const std::int32_t height = w.drawWrappedText(box, L"раз два три четыре пять шесть");
    const Playback p = play(w);
    const auto texts = p.ofType(emr::EXTTEXTOUTW);
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(height, static_cast<std::int32_t>(texts.size()) * 20);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i]->reference, (Point{10, 10 + 20 * static_cast<std::int32_t>(i)}));
        EXPECT_EQ(texts[i]->dc.textAlign, 0u);
        EXPECT_LE(texts[i]->box.right, 130);
        EXPECT_EQ(texts[i]->dc.clipRects, 1);
    }
}

TEST_F(EmfFixture, BitmapsAreWrittenAsMirroredDibs) {
    EmfWriter w(100, 100, measurer);
    w.drawBitmap(scene::twoPixels(), {10, 10, 50, 30}, BitmapOptions{true, false, 96});
    const Playback p = play(w);
    const auto bitmaps = p.ofType(emr::STRETCHDIBITS);
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_EQ(bitmaps[0]->box, (Rect{10, 10, 50, 30}));
    EXPECT_EQ(bitmaps[0]->dibWidth, 2);
    EXPECT_EQ(bitmaps[0]->dibHeight, 1);
    // Mirrored: blue first (bytes blue, green, red).
    EXPECT_EQ(bitmaps[0]->dibBits.substr(0, 6), std::string("\xFF\x00\x00\x00\x00\xFF", 6));
}

TEST_F(EmfFixture, FinishingClosesOpenClipsAndIgnoresLaterDrawing) {
    EmfWriter w(100, 100, measurer);
    w.pushClip(Rect{0, 0, 10, 10});
    w.pushClip(Rect{0, 0, 5, 5});
    const std::string first = w.finish();
    w.line({0, 0}, {10, 10});
    w.textOut({0, 0}, L"после");
    EXPECT_EQ(w.finish(), first);
    const Playback p = play(w);
    EXPECT_EQ(p.count(emr::SAVEDC), p.count(emr::RESTOREDC));
    EXPECT_EQ(p.count(emr::POLYLINE), 0u);
}

TEST_F(EmfFixture, SavesTheFileWhole) {
    TempDir dir;
    EmfWriter w(50, 50, measurer);
    scene::draw(w);
    ASSERT_TRUE(w.save(dir / "picture.emf"));
    EXPECT_EQ(std::filesystem::file_size(dir / "picture.emf"), w.finish().size());
    EXPECT_FALSE(w.save(dir / "missing" / "picture.emf"));
}
