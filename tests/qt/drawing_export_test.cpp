// The drawing and the sheet painted through Qt: pixels on the screen's back buffer, and every
// exported file read back by an independent reader.

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <fstream>
#include <sstream>

#include "editor/drawing_cache.h"
#include "editor/painting.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "output/picture_export.h"
#include "output/report_fields.h"
#include "output/sheet.h"
#include "platform/clock.h"
#include "platform/qt/qt_export_backend.h"
#include "platform/qt/qt_image_codec.h"
#include "platform/qt/qt_surface.h"
#include "qt/gui_app.h"
#include "storage/codepage.h"
#include "support/export_project.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

class OverflowingVariables : public SheetVariables {
  public:
    std::wstring text(TZPrintForm&, const TZPrintFormElem&, int, std::wstring& continuation) override {
        continuation += overflow;
        return L"AB=500.0; BC=300.0";
    }
    std::wstring overflow;
};

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Pages of a PDF: the page objects, not the page tree.
int pdfPages(const std::string& pdf) {
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1))
        if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
    return pages;
}

QColor pixelOf(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

struct QtExportFixture {
    QtExportFixture() {
        ensureGuiApplication();
        setUpExportProject(*t);
        t->view.showPointNames = true;
    }
    ExportResult exportTo(const std::string& name, int form = -1) {
        return exportDrawing(*t, codepage::fromPath(dir / name), form, services);
    }
    QImage read(const std::string& name) {
        QImageReader reader(QString::fromStdString((dir / name).string()));
        QImage image = reader.read();
        EXPECT_FALSE(image.isNull()) << name << ": " << reader.errorString().toStdString();
        return image;
    }

    TestDocument t;
    TempDir dir;
    AppSettings settings;
    QtExportBackend backend;
    QtImageCodec codec;
    OverflowingVariables variables;
    FixedClock clock{LocalTime{}};
    ExportServices services{settings, backend, codec, &variables, dir.path(), &clock};
};

} // namespace

TEST(QtDrawing, TheScreenShowsTheFilledRoomWithCrispSidesInTheirColours) {
    QtExportFixture f;
    f.t->diagonals.at(1).length = 0; // BC unmeasured: green
    QImage image(800, 600, QImage::Format_RGB32);
    QtTextMeasurer measurer;
    DrawingCache cache;
    {
        QPainter painter(&image);
        QtSurface surface(painter, &measurer);
        prepareScreenPaint(*f.t, surface, f.settings, cache);
        paintDrawing(surface, *f.t, f.settings, PaintRequest{}, cache);
    }
    // The room lies from (150, 150) to (650, 450) on the screen.
    EXPECT_EQ(pixelOf(image, 400, 300), QColor(233, 233, 233));
    EXPECT_EQ(pixelOf(image, 20, 20), QColor(Qt::white));
    EXPECT_EQ(pixelOf(image, 300, 150), QColor(0, 0, 255)); // AB, measured
    EXPECT_EQ(pixelOf(image, 650, 200), QColor(0, 255, 0)); // BC, unmeasured
    // 3 pixels wide, no blur beside it.
    EXPECT_EQ(pixelOf(image, 300, 149), QColor(0, 0, 255));
    EXPECT_EQ(pixelOf(image, 300, 151), QColor(0, 0, 255));
    EXPECT_EQ(pixelOf(image, 300, 147), QColor(Qt::white));
}

TEST(QtDrawing, PngJpegTiffAndGifExportsReadBackAtFourPixelsPerCentimetre) {
    QtExportFixture f;
    for (const char* name : {"plan.png", "plan.jpg", "plan.tiff", "plan.gif"}) {
        const ExportResult r = f.exportTo(name);
        ASSERT_TRUE(r.ok()) << name;
        const QImage image = f.read(name);
        EXPECT_EQ(image.size(), QSize(2000, 1200)) << name;
    }
    // Lossless formats keep the drawing's colours exactly: the fill of the room, the white
    // around it (the drawing fits the picture with a 5 % margin).
    for (const char* name : {"plan.png", "plan.tiff", "plan.gif"}) {
        const QImage image = f.read(name);
        EXPECT_EQ(pixelOf(image, 1000, 600), QColor(233, 233, 233)) << name;
        EXPECT_EQ(pixelOf(image, 30, 30), QColor(Qt::white)) << name;
    }
    const QImage jpeg = f.read("plan.jpg");
    EXPECT_NEAR(pixelOf(jpeg, 1000, 600).red(), 233, 4);
}

TEST(QtDrawing, ThePdfHoldsOnePagePerSheetPage) {
    QtExportFixture f;
    ASSERT_TRUE(f.exportTo("plan.pdf").ok());
    const std::string drawing = readFile(f.dir / "plan.pdf");
    EXPECT_EQ(drawing.substr(0, 4), "%PDF");
    EXPECT_EQ(pdfPages(drawing), 1);

    ASSERT_TRUE(f.exportTo("sheet.pdf", 0).ok());
    EXPECT_EQ(pdfPages(readFile(f.dir / "sheet.pdf")), 1);
    f.variables.overflow = L"СТОРОНЫ:\n\nAB=500.0\n\n";
    const ExportResult r = f.exportTo("long.pdf", 0);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.pages, 2);
    const std::string sheet = readFile(f.dir / "long.pdf");
    EXPECT_EQ(sheet.substr(0, 4), "%PDF");
    EXPECT_EQ(pdfPages(sheet), 2);
    // A4 pages: 595 × 842 points.
    EXPECT_NE(sheet.find("/MediaBox [0 0 595"), std::string::npos);
}

TEST(QtDrawing, ASheetWithContinuationExportsAsTwoPagesOneAboveTheOther) {
    QtExportFixture f;
    f.variables.overflow = L"СТОРОНЫ:\n\nAB=500.0\n\n";
    ASSERT_TRUE(f.exportTo("sheet.png", 0).ok());
    const QImage image = f.read("sheet.png");
    EXPECT_EQ(image.size(), QSize(1414, 4000));
    // The drawing of the FIGURE lies on the upper page; the lower page holds only text at its top.
    bool greyOnTop = false;
    for (int y = 300; y < 1300 && !greyOnTop; y += 7)
        greyOnTop =
            pixelOf(image, 707, y) == QColor(233, 233, 233) || pixelOf(image, 707, y) != QColor(Qt::white);
    EXPECT_TRUE(greyOnTop);
    bool inkBelow = false;
    for (int y = 2067; y < 2200 && !inkBelow; ++y)
        for (int x = 67; x < 600 && !inkBelow; x += 2)
            inkBelow = pixelOf(image, x, y).lightness() < 128;
    EXPECT_TRUE(inkBelow);
    for (int y = 3000; y < 4000; y += 50)
        EXPECT_EQ(pixelOf(image, 707, y), QColor(Qt::white));
}
