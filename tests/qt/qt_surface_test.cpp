#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "output/emf_writer.h"
#include "output/surface_scene.h"
#include "output/wmf_writer.h"
#include "platform/qt/qt_surface.h"
#include "qt/gui_app.h"

using namespace tenzora;

namespace {

constexpr QRgb kWhiteRgb = 0xFFFFFFFF;
constexpr QRgb kBlackRgb = 0xFF000000;
constexpr QRgb kRedRgb = 0xFFFF0000;
constexpr Color kRed{255, 0, 0};
constexpr Color kGreen{0, 255, 0};
constexpr Color kYellow{255, 255, 0};

// A white picture with a surface on it; the painter ends before the pixels are read.
struct Canvas {
    QImage image;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<QtSurface> surface;

    explicit Canvas(int w = 200, int h = 200, QtSurface::Options options = {}) {
        ensureGuiApplication();
        image = QImage(w, h, QImage::Format_RGB32);
        image.fill(Qt::white);
        painter = std::make_unique<QPainter>(&image);
        surface = std::make_unique<QtSurface>(*painter, nullptr, options);
    }
    QtSurface& operator*() { return *surface; }
    QtSurface* operator->() { return surface.get(); }
    const QImage& done() {
        surface.reset();
        painter.reset();
        return image;
    }
};

// Pixels of the colour within the rectangle (right and bottom excluded).
int countColor(const QImage& image, QRgb color, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == color;
    return n;
}

// The bounding box of every pixel that is not white.
QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kWhiteRgb) box |= QRect(x, y, 1, 1);
    return box;
}

Font tahoma(std::int32_t height, std::int32_t escapement = 0) {
    Font f;
    f.height = height;
    f.weight = kWeightBold;
    f.escapement = escapement;
    f.charSet = kCharSetCyrillic;
    return f;
}

} // namespace

TEST(QtSurface, ThinLinesAreOnePixelAndWideOnesCentred) {
    Canvas c;
    c->setPen(solidPen(1, kBlack));
    c->line({10, 10}, {60, 10});
    c->setPen(solidPen(5, kBlack));
    c->line({10, 50}, {60, 50});
    const QImage& img = c.done();
    EXPECT_EQ(countColor(img, kBlackRgb, QRect(20, 9, 30, 3)), 30); // only row 10, no grey fringe
    EXPECT_EQ(countColor(img, kWhiteRgb, QRect(20, 9, 30, 1)), 30);
    EXPECT_EQ(countColor(img, kBlackRgb, QRect(30, 40, 1, 20)), 5); // rows 48 … 52
    EXPECT_EQ(img.pixel(30, 48), kBlackRgb);
    EXPECT_EQ(img.pixel(30, 52), kBlackRgb);
}

TEST(QtSurface, DottedPensLeaveGapsTransparentOrFilledByTheBackground) {
    Canvas c;
    c->fillRect({0, 0, 200, 40}, kYellow);
    c->setBackgroundMode(BackgroundMode::Transparent);
    c->setPen({PenStyle::Dot, 1, kBlack});
    c->line({0, 10}, {120, 10});
    c->setBackgroundMode(BackgroundMode::Opaque);
    c->setBackgroundColor(kGreen);
    c->line({0, 20}, {120, 20});
    const QImage& img = c.done();
    const QRect transparentRow(0, 10, 120, 1), opaqueRow(0, 20, 120, 1);
    EXPECT_NEAR(countColor(img, kBlackRgb, transparentRow), 60, 3); // three on, three off
    EXPECT_NEAR(countColor(img, 0xFFFFFF00, transparentRow), 60, 3);
    EXPECT_NEAR(countColor(img, 0xFF00FF00, opaqueRow), 60, 3);
}

TEST(QtSurface, EvenOddPolygonsAndAreasWithHoles) {
    Canvas c;
    c->setPen(kNoPen);
    c->setBrush(solidBrush(kRed));
    // One ring running round twice (outer square, then the inner one): even-odd leaves a hole.
    const Point twice[] = {{10, 10}, {90, 10}, {90, 90}, {10, 90}, {10, 10},
                           {30, 30}, {70, 30}, {70, 70}, {30, 70}, {30, 30}};
    c->polygon(twice, FillRule::EvenOdd);
    // An area whose two holes overlap: both holes and their overlap stay empty.
    const Point area[] = {{110, 10}, {190, 10}, {190, 90}, {110, 90},  // outer
                          {120, 20}, {160, 20}, {160, 60}, {120, 60},  // hole 1
                          {180, 40}, {140, 40}, {140, 80}, {180, 80}}; // hole 2, other orientation
    const std::int32_t rings[] = {4, 4, 4};
    c->fillPolygonWithHoles(area, rings, FillRule::Winding);
    const QImage& img = c.done();
    EXPECT_EQ(img.pixel(20, 20), kRedRgb);
    EXPECT_EQ(img.pixel(50, 50), kWhiteRgb);
    EXPECT_EQ(img.pixel(115, 85), kRedRgb);
    EXPECT_EQ(img.pixel(130, 30), kWhiteRgb); // hole 1
    EXPECT_EQ(img.pixel(150, 50), kWhiteRgb); // both holes
    EXPECT_EQ(img.pixel(170, 70), kWhiteRgb); // hole 2
    EXPECT_EQ(img.pixel(185, 20), kRedRgb);
}

TEST(QtSurface, HatchesAreEightPixelPatternsOnTheDeviceGrid) {
    Canvas c;
    c->fillRect({0, 0, 200, 200}, kYellow);
    c->setPen(kNoPen);
    c->setBackgroundMode(BackgroundMode::Transparent);
    c->setBrush(hatchBrush(HatchStyle::BackDiagonal, kGreen));
    c->rectangle({13, 21, 77, 85});
    c->setBackgroundMode(BackgroundMode::Opaque);
    c->setBackgroundColor(kWhite);
    c->setBrush(hatchBrush(HatchStyle::DiagonalCross, kGreen));
    c->rectangle({113, 21, 177, 85});
    const QImage& img = c.done();
    // Back-diagonal lines run up to the right: x + y constant, every 8 pixels, gaps left yellow.
    for (int y = 30; y < 70; ++y)
        for (int x = 20; x < 60; ++x)
            ASSERT_EQ(img.pixel(x, y), (x + y) % 8 == 7 ? 0xFF00FF00 : 0xFFFFFF00) << x << "," << y;
    // Opaque mode fills the gaps of the cross hatch with the background colour.
    EXPECT_GT(countColor(img, kWhiteRgb, QRect(120, 30, 40, 40)), 0);
    EXPECT_EQ(countColor(img, 0xFFFFFF00, QRect(120, 30, 40, 40)), 0);
}

TEST(QtSurface, ClipsNestAndComeOffInOrder) {
    Canvas c;
    c->pushClip(Rect{10, 10, 110, 110});
    c->pushClip(Rect{50, 50, 150, 150});
    c->fillRect({0, 0, 200, 200}, kRed); // only 50 … 109
    c->popClip();
    c->fillRect({0, 0, 200, 30}, kGreen); // only 10 … 109 across, 10 … 29 down
    c->popClip();
    c->fillRect({190, 190, 200, 200}, kYellow); // no clip left
    c->popClip();                               // one pop too many: nothing happens
    const QImage& img = c.done();
    EXPECT_EQ(inkBox(img), QRect(QPoint(10, 10), QPoint(199, 199)));
    EXPECT_EQ(countColor(img, kRedRgb, QRect(0, 0, 200, 200)), 60 * 60);
    EXPECT_EQ(countColor(img, 0xFF00FF00, QRect(0, 0, 200, 200)), 100 * 20);
    EXPECT_EQ(img.pixel(195, 195), 0xFFFFFF00);
}

TEST(QtSurface, AreaClipsKeepLinesOutOfHoles) {
    Canvas c;
    const Point area[] = {{20, 20}, {180, 20}, {180, 180}, {20, 180},
                          {80, 80}, {120, 80}, {120, 120}, {80, 120}};
    const std::int32_t rings[] = {4, 4};
    c->pushClip(area, rings, FillRule::EvenOdd);
    c->setPen(solidPen(1, kBlack));
    c->line({0, 100}, {200, 100});
    c->popClip();
    const QImage& img = c.done();
    EXPECT_EQ(img.pixel(10, 100), kWhiteRgb);
    EXPECT_EQ(img.pixel(50, 100), kBlackRgb);
    EXPECT_EQ(img.pixel(100, 100), kWhiteRgb);
    EXPECT_EQ(img.pixel(150, 100), kBlackRgb);
    EXPECT_EQ(img.pixel(190, 100), kWhiteRgb);
}

TEST(QtSurface, TextSitsOnItsReferencePointAsAlignedAndTurned) {
    {
        Canvas c;
        c->setFont(tahoma(20));
        c->setTextAlign(kAlignTopCenter);
        c->setBackgroundMode(BackgroundMode::Transparent);
        c->textOut({100, 50}, L"АВ 300");
        const Size extent = c->textExtent(L"АВ 300");
        const QRect ink = inkBox(c.done());
        EXPECT_GE(ink.top(), 50);
        EXPECT_LE(ink.bottom(), 50 + extent.height);
        EXPECT_NEAR(ink.center().x(), 100, 3);
        EXPECT_LE(ink.width(), extent.width + 1);
    }
    {
        // Turned by 90°: the text runs upwards from the reference point, its top towards −x … its
        // glyphs lie to the right of a top-aligned reference point and above it.
        Canvas c;
        c->setFont(tahoma(20, 900));
        c->setBackgroundMode(BackgroundMode::Transparent);
        c->textOut({100, 150}, L"ВС 200");
        const QRect ink = inkBox(c.done());
        EXPECT_GE(ink.left(), 99);
        EXPECT_LE(ink.right(), 121);
        EXPECT_LE(ink.bottom(), 151);
        EXPECT_GT(ink.height(), ink.width());
    }
    {
        // Turned by 180° (a right-to-left side): the text lies left of and above the point.
        Canvas c;
        c->setFont(tahoma(20, 1800));
        c->setBackgroundMode(BackgroundMode::Transparent);
        c->textOut({150, 100}, L"12");
        const QRect ink = inkBox(c.done());
        EXPECT_LE(ink.right(), 151);
        EXPECT_LE(ink.bottom(), 101);
        EXPECT_GE(ink.top(), 79);
    }
}

TEST(QtSurface, OpaqueTextFillsItsCell) {
    Canvas c;
    c->setFont(tahoma(20));
    c->setBackgroundColor(kYellow);
    c->textOut({10, 10}, L"0");
    const Size extent = c->textExtent(L"0");
    const QImage& img = c.done();
    EXPECT_EQ(img.pixel(10, 10), 0xFFFFFF00);
    EXPECT_EQ(img.pixel(10 + extent.width - 1, 10 + extent.height - 1), 0xFFFFFF00);
    EXPECT_EQ(img.pixel(10 + extent.width + 1, 10), kWhiteRgb);
}

TEST(QtSurface, TransparentTextAfterOpaqueShapesKeepsWhatLiesBelow) {
    Canvas c;
    c->fillRect({0, 0, 200, 200}, kYellow);
    c->setBackgroundColor(kGreen); // opaque mode (the default) for the hatch …
    c->setBrush(hatchBrush(HatchStyle::Cross, kBlack));
    c->rectangle({100, 100, 150, 150});
    c->setBackgroundMode(BackgroundMode::Transparent); // … then a transparent text
    c->setFont(tahoma(30));
    c->textOut({10, 10}, L"0");
    const QImage& img = c.done();
    EXPECT_EQ(countColor(img, 0xFF00FF00, QRect(0, 0, 90, 90)), 0);
    EXPECT_GT(countColor(img, 0xFF00FF00, QRect(100, 100, 50, 50)), 0);
}

TEST(QtSurface, BitmapsStretchMirrorAndBlend) {
    Bitmap pic;
    pic.width = 2;
    pic.height = 1;
    pic.pixels = {0xFFFF0000u, 0xFF0000FFu}; // red, blue
    Canvas c(100, 40, QtSurface::Options{false, true, false});
    c->drawBitmap(pic, {10, 10, 50, 30}, BitmapOptions{true, false, 255});
    c->drawBitmap(pic, {60, 10, 100, 30}, BitmapOptions{false, false, 128});
    const QImage& img = c.done();
    EXPECT_EQ(img.pixel(15, 20), 0xFF0000FF); // mirrored: blue on the left
    EXPECT_EQ(img.pixel(45, 20), kRedRgb);
    const QColor blended = img.pixelColor(65, 20); // half red over white
    EXPECT_EQ(blended.red(), 255);
    EXPECT_NEAR(blended.green(), 127, 2);
    EXPECT_NEAR(blended.blue(), 127, 2);
    EXPECT_EQ(img.pixel(5, 20), kWhiteRgb);
    // A bitmap whose pixels do not match its size is not drawn at all.
    Canvas bad(20, 20);
    Bitmap broken = pic;
    broken.height = 5;
    bad->drawBitmap(broken, {0, 0, 20, 20});
    EXPECT_TRUE(inkBox(bad.done()).isNull());
}

TEST(QtSurface, ShapesStayInsideTheirBoxes) {
    Canvas c;
    c->setPen(solidPen(1, kBlack));
    c->setBrush(solidBrush(kRed));
    c->rectangle({10, 10, 20, 20});
    c->ellipse({47, 47, 54, 54});
    c->fillRect({100, 100, 110, 105}, kGreen);
    const QImage& img = c.done();
    EXPECT_EQ(inkBox(img.copy(0, 0, 40, 40)), QRect(10, 10, 10, 10));
    EXPECT_EQ(inkBox(img.copy(40, 40, 20, 20)), QRect(7, 7, 7, 7));
    EXPECT_EQ(countColor(img, 0xFF00FF00, QRect(90, 90, 30, 30)), 50);
}

TEST(QtSurface, FontsFallBackAndKeepTheirCellHeight) {
    ensureGuiApplication();
    QtTextMeasurer m;
    const QString family = m.familyFor(L"Tahoma");
    EXPECT_FALSE(family.isEmpty());
    if (family != "Tahoma") {
        EXPECT_EQ(family, "DejaVu Sans Condensed");
    }
    const FontMetrics cell = m.metrics(tahoma(40));
    EXPECT_NEAR(cell.height(), 40, 1.5);
    const FontMetrics em = m.metrics(tahoma(-40));
    EXPECT_GT(em.height(), cell.height()); // an em of 40 makes a taller cell
    EXPECT_FALSE(m.familyFor(L"No Such Face").isEmpty());
    // Bold is wider than regular; the escapement does not change the advance.
    Font regular = tahoma(20);
    regular.weight = kWeightNormal;
    EXPECT_GT(m.advance(tahoma(20), L"1234"), m.advance(regular, L"1234"));
    EXPECT_DOUBLE_EQ(m.advance(tahoma(20, 900), L"1234"), m.advance(tahoma(20), L"1234"));
    std::vector<double> each;
    m.characterAdvances(tahoma(20), L"1234", each);
    ASSERT_EQ(each.size(), 4u);
    EXPECT_NEAR(each[0] + each[1] + each[2] + each[3], m.advance(tahoma(20), L"1234"), 1e-6);
}

TEST(QtSurface, ReportsItsDeviceAndMakesCompatibleScratchSurfaces) {
    Canvas c(300, 150);
    const DeviceMetrics m = c->metrics();
    EXPECT_EQ(m.widthPx, 300);
    EXPECT_EQ(m.heightPx, 150);
    EXPECT_EQ(m.dpiX, c.image.logicalDpiX());
    EXPECT_EQ(m.widthMm, c.image.widthMM());
    EXPECT_TRUE(m.canCopyBitmaps);
    c->setFont(tahoma(16));
    const auto scratch = c->createScratch();
    EXPECT_EQ(scratch->metrics(), m);
    EXPECT_EQ(scratch->textExtent(L"Итого"), c->textExtent(L"Итого"));
    scratch->fillRect({0, 0, 300, 150}, kRed);
    EXPECT_TRUE(inkBox(c.done()).isNull());
}

TEST(QtSurface, DrawsTheSharedSceneLikeTheMetafiles) {
    Canvas c(scene::kWidth, scene::kHeight);
    scene::draw(*c);
    const QImage& img = c.done();
    EXPECT_EQ(img.pixel(100, 80), QColor(233, 233, 233).rgb());  // the outline's fill
    EXPECT_EQ(img.pixel(200, 120), kWhiteRgb);                   // the cutout
    EXPECT_EQ(img.pixel(100, 150), QColor(192, 192, 192).rgb()); // the seam, clipped …
    EXPECT_EQ(img.pixel(180, 150), kWhiteRgb);                   // … out of the cutout
    EXPECT_EQ(img.pixel(20, 240), kWhiteRgb);                    // … and out of the room
    EXPECT_EQ(img.pixel(200, 50), 0xFF0000FF);                   // the blue outline
    if (const char* folder = std::getenv("TENZORA_SURFACE_SAMPLES"); folder != nullptr && *folder != 0) {
        img.save(QString::fromLocal8Bit(folder) + "/scene_qt.png");
        QtTextMeasurer measurer;
        EmfWriter emf(scene::kWidth, scene::kHeight, measurer);
        scene::draw(emf);
        scene::keep("scene_qt_fonts.emf", emf.finish());
        WmfWriter wmf(scene::kWidth, scene::kHeight, measurer);
        scene::draw(wmf);
        scene::keep("scene_qt_fonts.wmf", wmf.finish());
    }
}

TEST(QtSurface, DrawsOnAPdfPageInDevicePixels) {
    ensureGuiApplication();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(300);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    {
        QPainter painter(&pdf);
        QtSurface s(painter);
        const DeviceMetrics m = s.metrics();
        EXPECT_NEAR(m.widthPx, 2480, 1);
        EXPECT_EQ(m.widthMm, 210);
        EXPECT_EQ(m.dpiX, 300);
        // Fonts are sized in device pixels whatever the resolution: a 50-pixel cell stays 50.
        s.setFont(tahoma(50));
        EXPECT_NEAR(s.textExtent(L"Итого").height, 50, 1);
        s.setPen(solidPen(3, kBlack));
        s.line({100, 100}, {2000, 100});
        s.textOut({100, 120}, L"Итого");
    }
    EXPECT_TRUE(buffer.data().startsWith("%PDF"));
    EXPECT_GT(buffer.data().size(), 500);
}
