// The busy scene painted through Qt in its main views, checked for what must be there. With the
// environment variable TENZORA_DRAWING_SAMPLES naming a folder, the pictures are also left there
// to be looked at.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <filesystem>

#include "editor/drawing_cache.h"
#include "editor/painting.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "output/recording_surface.h"
#include "output/report_fields.h"
#include "output/sheet.h"
#include "output/sheet_variables_adapter.h"
#include "platform/qt/qt_image_codec.h"
#include "platform/qt/qt_surface.h"
#include "qt/gui_app.h"
#include "support/fakes.h"
#include "support/painting_scene.h"

using namespace tenzora;

namespace {

void keep(const QImage& image, const std::string& name) {
    const char* folder = std::getenv("TENZORA_DRAWING_SAMPLES");
    if (folder == nullptr || *folder == 0) return;
    std::filesystem::create_directories(folder);
    image.save(QString::fromStdString((std::filesystem::path(folder) / name).string()));
}

struct SceneFixture {
    SceneFixture() {
        ensureGuiApplication();
        paintingScene::build(*t);
        t->view.scaleX = t->view.scaleY = 1.25f;
        settings.flipCutting = false;
    }
    QImage paint(int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        QPainter painter(&image);
        QtSurface surface(painter, &measurer);
        prepareScreenPaint(*t, surface, settings, cache);
        paintDrawing(surface, *t, settings, PaintRequest{}, cache);
        return image;
    }
    TestDocument t;
    AppSettings settings;
    DrawingCache cache;
    QtTextMeasurer measurer;
};

int countColour(const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

} // namespace

TEST(DrawingSamples, TheLayoutDisplayShowsHatchedCanvasesAndTheirDimensions) {
    SceneFixture f;
    const QImage image = f.paint(1920, 1080);
    keep(image, "layout.png");
    EXPECT_GT(countColour(image, QColor(0, 255, 0)), 1000);    // hatches and canvas outlines
    EXPECT_GT(countColour(image, QColor(144, 144, 255)), 500); // dimension lines and canvas edges
    EXPECT_FALSE(f.cache.distances.points.empty());
    EXPECT_EQ(f.cache.distances.edges.size(), 4u * paintingScene::kCanvases);
}

TEST(DrawingSamples, ThePointsModeShowsLengthsDiagonalsAndCutoutRows) {
    SceneFixture f;
    f.t->editor.mode = kModePoints;
    f.t->view.showCanvasDistances = false;
    f.t->editor.rulerPoints.append(makeVertex(-300, -100));
    f.t->editor.rulerPoints.append(makeVertex(200, 150));
    const QImage image = f.paint(1920, 1080);
    keep(image, "points.png");
    EXPECT_GT(countColour(image, QColor(233, 233, 233)), 100000);
    EXPECT_GT(countColour(image, QColor(155, 0, 155)), 100); // the ruler
    RecordingSurface recorded(deviceMetricsFor(1920, 1080));
    prepareScreenPaint(*f.t, recorded, f.settings, f.cache);
    paintDrawing(recorded, *f.t, f.settings, PaintRequest{}, f.cache);
    EXPECT_FALSE(recorded.textsEqual(L"A").empty());
    EXPECT_GT(recorded.count(RecordKind::Text), 200u);
}

TEST(DrawingSamples, ASheetWithEveryKindOfElement) {
    SceneFixture f;
    f.t->editor.mode = kModePoints;
    TZPrintForm& form = *f.t->resources.printForms.append();
    const auto add = [&](PrintElemType type, double x, double y, double w, double h, int size,
                         std::wstring text = {}) {
        TZPrintFormElem e;
        e.type = static_cast<std::int32_t>(type);
        e.x = x;
        e.y = y;
        e.width = w;
        e.height = h;
        e.size = size;
        e.percent = 100;
        e.text = text;
        e.variable = type == PrintElemType::PrintVar ? reportFieldId(text) : 0;
        form.append(e);
    };
    add(PrintElemType::Print, 60, 12, 0, 0, 6, L"Чертёж натяжного потолка");
    add(PrintElemType::PrintVar, 60, 22, 140, 8, 4, L"NAME");
    add(PrintElemType::Line, 10, 32, 190, 0, 0);
    add(PrintElemType::Figure, 10, 35, 190, 150, 5);
    add(PrintElemType::Line, 10, 188, 190, 0, 0);
    add(PrintElemType::PrintVar, 10, 192, 190, 40, 4, L"SIDES");
    add(PrintElemType::Logo, 10, 12, 40, 17.6, 0);
    f.t->resources.printLogo = Bitmap{40, 10, std::vector<std::uint32_t>(400, 0xFF2050A0u)};
    QImage image(2100, 2970, QImage::Format_RGB32);
    image.fill(Qt::white);
    VariableTextsAdapter variables(*f.t, f.settings);
    std::wstring continuation;
    {
        QPainter painter(&image);
        QtSurface surface(painter, &f.measurer);
        EXPECT_TRUE(drawSheet(*f.t, surface, continuation, true, SheetPage{0, 0, 2100, 2970, 210, 297},
                              SheetServices{f.settings, variables}));
    }
    keep(image, "sheet.png");
    EXPECT_GT(form.scale, 0.0);
    EXPECT_EQ(image.pixelColor(105, 125), QColor(0x20, 0x50, 0xA0)); // the logo
}
