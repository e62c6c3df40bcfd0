#include <gtest/gtest.h>

#include "editor/editor_input.h"
#include "editor/hit_tests.h"
#include "editor/photo_placement.h"
#include "editor_window_fake.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "platform/image_codec.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

PointerEvent pixel(int x, int y, bool shift = false) {
    return {x, y, shift, kWidth, kHeight};
}

struct Layout {
    Layout() : t(true), input(*t, settings, window) {
        t->view.viewWidth = kWidth;
        t->view.viewHeight = kHeight;
        setOutline(*t, {{0, 0}, {300, 0}, {300, 300}, {0, 300}});
        t->editor.mode = kModeCutting;
        t->seamFrom = 0;
        t->seamTo = 1;
        t->seamLineStart = makeVertex(0, 0);
        t->seamLineEnd = makeVertex(300, 0);
        // Three horizontal seam lines: canvases 1 (y 0–100) and 2 (y 100–200).
        for (double y : {0.0, 100.0, 200.0}) {
            t->seamLines.append(makeVertex(0, y));
            t->seamLines.append(makeVertex(300, y));
        }
    }
    TestDocument t;
    AppSettings settings;
    RecordingEditorWindow window;
    EditorInput input;
};

} // namespace

TEST(Canvases, TheMirroredLayoutIsHoveredAndOpenedAtTheCanvasUnderTheMouse) {
    Layout l;
    // Mirrored: drawing x = 400 − pixel x.
    const int repaints = l.t.views.repaints;
    l.input.move(pixel(300, 350)); // drawing (100, 50)
    EXPECT_EQ(l.t->editor.hoverCanvas, 0);
    EXPECT_GT(l.t.views.repaints, repaints);
    l.input.move(pixel(300, 450)); // (100, 150)
    EXPECT_EQ(l.t->editor.hoverCanvas, 2);
    l.input.move(pixel(300, 550)); // (100, 250): below the last seam line
    EXPECT_EQ(l.t->editor.hoverCanvas, -1);
    l.input.move(pixel(500, 350)); // (−100, 50): would be inside without the mirroring
    EXPECT_EQ(l.t->editor.hoverCanvas, -1);

    l.input.leftDown(pixel(300, 450));
    l.input.leftUp(pixel(300, 450));
    ASSERT_EQ(l.window.canvases.size(), 1u);
    EXPECT_EQ(l.window.canvases[0], std::make_pair(2, 2));
    EXPECT_EQ(l.t->editor.hoverCanvas, -1) << "the click forgets the hovered canvas";
    EXPECT_EQ(l.t->polygon.count(), 4);
}

TEST(Canvases, DealerModeNeitherHoversNorOpensCanvases) {
    Layout l;
    l.settings.dealerMode = true;
    l.input.move(pixel(500, 350)); // (100, 50), not mirrored in dealer mode
    EXPECT_EQ(l.t->editor.hoverCanvas, -1);
    l.input.leftDown(pixel(500, 350));
    EXPECT_TRUE(l.window.canvases.empty());
}

TEST(Canvases, WithoutASeamSideTheMouseHoversNothingButAClickStillOpens) {
    Layout l;
    l.t->seamFrom = -1;
    l.input.move(pixel(300, 350));
    EXPECT_EQ(l.t->editor.hoverCanvas, -1);
    l.input.leftDown(pixel(300, 350));
    EXPECT_EQ(l.window.canvases.size(), 1u);
}

TEST(Canvases, TheHitTestTurnsTheSeamLinesUpright) {
    TestDocument t;
    t->seamLineStart = makeVertex(0, 0);
    t->seamLineEnd = makeVertex(0, 300);
    for (double x : {0.0, 100.0}) {
        t->seamLines.append(makeVertex(x, 0));
        t->seamLines.append(makeVertex(x, 300));
    }
    // Turned by −90°, the seams run along x and the canvas lies at y from −100 to 0.
    int number = 0;
    EXPECT_EQ(canvasUnder(*t, makeVertex(150, -50), &number), 0);
    EXPECT_EQ(number, 1);
    EXPECT_EQ(canvasUnder(*t, makeVertex(50, 150)), -1) << "the unturned position is not the canvas";
    EXPECT_EQ(canvasUnder(*t, makeVertex(150, 0.04)), 0) << "a border within 0.05 counts";
    EXPECT_EQ(canvasUnder(*t, makeVertex(150, 0.06)), -1);
}

// ---- the photo over the drawing -------------------------------------------------------------------

namespace {

Bitmap picture(int w, int h) {
    Bitmap b;
    b.width = w;
    b.height = h;
    b.pixels.assign(std::size_t(w) * std::size_t(h), 0xFF808080u);
    return b;
}

struct CountingCodec : ImageCodec {
    std::optional<Bitmap> decodeFile(const std::wstring&) override {
        ++decodes;
        return result;
    }
    bool encodeFile(const Bitmap&, ImageFormat, const std::wstring&) override { return false; }
    std::optional<Bitmap> result;
    int decodes = 0;
};

} // namespace

TEST(Photo, AFirstShownPhotoIsFittedIntoTheViewKeepingItsProportions) {
    TestDocument t;
    t->view.viewWidth = kWidth;
    t->view.viewHeight = kHeight;
    TZPicture wide;
    wide.image = picture(400, 100);
    ASSERT_TRUE(fitPhotoIfNew(*t, wide));
    EXPECT_EQ(wide.rect.left, 100);
    EXPECT_EQ(wide.rect.right, 700);
    EXPECT_EQ(wide.rect.top, 225);
    EXPECT_EQ(wide.rect.bottom, 375);
    EXPECT_EQ(wide.corner1.x, -300) << "kept in drawing coordinates";
    EXPECT_EQ(wide.corner1.y, -75);

    TZPicture tall;
    tall.image = picture(100, 400);
    ASSERT_TRUE(fitPhotoIfNew(*t, tall));
    EXPECT_EQ(tall.rect.top, 50);
    EXPECT_EQ(tall.rect.bottom, 550);
    EXPECT_EQ(tall.rect.left, 337);
    EXPECT_EQ(tall.rect.right, 462);

    EXPECT_FALSE(fitPhotoIfNew(*t, tall)) << "placed once, it stays where it is";
    TZPicture stored;
    stored.image = picture(100, 100);
    stored.rect = {10, 10, 50, 50};
    EXPECT_FALSE(fitPhotoIfNew(*t, stored)) << "a rectangle read from the file is kept";
}

TEST(Photo, APictureIsDecodedOnceAndAFailureIsNotRetriedAtEveryPaint) {
    TestDocument t;
    t->view.viewWidth = kWidth;
    t->view.viewHeight = kHeight;
    TZPicture photo;
    photo.path = L"/nowhere/photo.jpg";
    t->photos.append(photo);
    t->shownPhoto = 0;
    CountingCodec codec;
    EXPECT_FALSE(preparePhotoForDisplay(*t, codec));
    EXPECT_FALSE(preparePhotoForDisplay(*t, codec));
    EXPECT_EQ(codec.decodes, 1);

    t->photos.at(0).image.reset();
    codec.result = picture(200, 100);
    EXPECT_TRUE(preparePhotoForDisplay(*t, codec));
    EXPECT_TRUE(t->photos.at(0).placed);
    EXPECT_FALSE(preparePhotoForDisplay(*t, codec));
    EXPECT_EQ(codec.decodes, 2);
}

TEST(Photo, HandlesLieAroundTheRectangleAndAreTestedInOrder) {
    const PixelRect r{100, 100, 300, 200};
    EXPECT_EQ(photoHandleAt(r, 95, 95), 1);
    EXPECT_EQ(photoHandleAt(r, 204, 92), 7);
    EXPECT_EQ(photoHandleAt(r, 306, 100), 2);
    EXPECT_EQ(photoHandleAt(r, 90, 154), 5);
    EXPECT_EQ(photoHandleAt(r, 310, 146), 6);
    EXPECT_EQ(photoHandleAt(r, 100, 210), 3);
    EXPECT_EQ(photoHandleAt(r, 195, 200), 8);
    EXPECT_EQ(photoHandleAt(r, 305, 205), 4);
    EXPECT_EQ(photoHandleAt(r, 150, 150), 0) << "the photo itself is no handle";
    EXPECT_EQ(photoHandleAt(r, 89, 95), 0);
    EXPECT_EQ(photoHandleAt(r, 206, 95), 0);
    // On a tiny photo the boxes overlap; the first in the order wins.
    EXPECT_EQ(photoHandleAt(PixelRect{100, 100, 104, 104}, 102, 98), 7);
}

namespace {

struct PhotoEditor {
    PhotoEditor() : t(true), input(*t, settings, window) {
        t->view.viewWidth = kWidth;
        t->view.viewHeight = kHeight;
        setOutline(*t, {{0, 0}, {300, 0}, {300, 300}});
        t->editor.mode = kModePoints;
        TZPicture photo;
        photo.image = picture(200, 100);
        placePhotoAt(*t, photo, {100, 100, 300, 200});
        t->photos.append(photo);
        t->shownPhoto = 0;
    }
    PixelRect rect() { return photoScreenRect(*t, t->photos.at(0)); }
    TestDocument t;
    AppSettings settings;
    RecordingEditorWindow window;
    EditorInput input;
};

} // namespace

TEST(Photo, DraggingAHandleMovesItsEdgesAndNothingElseHappens) {
    PhotoEditor e;
    e.input.leftDown(pixel(305, 205));
    EXPECT_EQ(e.input.photoHandle(), 4);
    e.input.move(pixel(325, 215));
    e.input.leftUp(pixel(325, 215));
    EXPECT_EQ(e.input.photoHandle(), 0);
    const PixelRect r = e.rect();
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.right, 320);
    EXPECT_EQ(r.bottom, 210);
    EXPECT_EQ(e.t->polygon.count(), 3) << "the click entered no point";

    e.t->view.panX = 50; // the photo follows the drawing
    EXPECT_EQ(e.rect().left, 50);
}

TEST(Photo, ShiftMovesThePhotoByAMiddleHandleAndKeepsItsProportionsAtACorner) {
    PhotoEditor e;
    e.input.leftDown(pixel(305, 150, true));
    e.input.move(pixel(335, 160, true));
    e.input.leftUp(pixel(335, 160, true));
    PixelRect r = e.rect();
    EXPECT_EQ(r.left, 130);
    EXPECT_EQ(r.right, 330);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.bottom, 200);

    // The bottom-right corner dragged 70 to the right: 270 wide makes 135 high for a 2:1 picture.
    e.input.leftDown(pixel(333, 203, true));
    ASSERT_EQ(e.input.photoHandle(), 4);
    e.input.move(pixel(403, 260, true));
    r = e.rect();
    EXPECT_EQ(r.right, 400);
    EXPECT_EQ(r.bottom, 235);
    ASSERT_EQ(e.window.movedTo.size(), 1u);
    EXPECT_EQ(e.window.movedTo[0], std::make_pair(403, 238)) << "the cursor stays on the corrected corner";
    e.input.move(pixel(413, 238, true));
    EXPECT_EQ(e.rect().right, 410);
    EXPECT_EQ(e.rect().bottom, 240);
}

TEST(Photo, InTheCuttingLayoutAndWithoutAPlacementThereAreNoHandles) {
    PhotoEditor e;
    e.t->editor.mode = kModeCutting;
    e.input.leftDown(pixel(305, 205));
    EXPECT_EQ(e.input.photoHandle(), 0);
    e.t->editor.mode = kModePoints;
    e.t->photos.at(0).placed = false;
    e.input.leftDown(pixel(305, 205));
    EXPECT_EQ(e.input.photoHandle(), 0);
}
