// Repainting the print preview (after a zoom, a page switch or an expose; while the page is
// dragged the window moves the page it drew last, the third benchmark): the workshop sheet of a busy project
// (a 92-vertex room with 20 constructions, 10 cutouts and a 12-canvas layout) on the A4 page, its drawing,
// lists and continuation page, painted through the Qt backend into a window-sized picture as the preview
// window paints.

#include <benchmark/benchmark.h>

#if TENZORA_BENCH_QT
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <filesystem>
#include <string_view>

#include "editor/drawing_cache.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "output/print_form_file.h"
#include "output/print_preview.h"
#include "output/sheet.h"
#include "output/sheet_variables_adapter.h"
#include "platform/qt/qt_surface.h"
#include "platform/ui_services.h"
#include "support/painting_scene.h"

using namespace tenzora;

namespace {

// The shipped workshop form's layout: the title and order data, the cutting drawing, the
// material figures and the lists that overflow to the continuation page.
constexpr std::string_view kWorkshopForm = "!Лист для цеха\r\n"
                                           "PRINT; 55; 12; 6; ЛИСТ ДЛЯ ЦЕХА\r\n"
                                           "PRINTVAR; 55; 20; 145; 5; 3; PRINTTITLE\r\n"
                                           "PRINT; 55; 25; 3; Заказ №\r\n"
                                           "PRINTVAR; 75; 25; 28; 4; 3; NUMBER\r\n"
                                           "LINE; 10; 31; 190; 0\r\n"
                                           "FIGURE; 10; 33; 190; 115; 4; 80\r\n"
                                           "PRINT; 130; 149; 3; Масштаб:\r\n"
                                           "PRINTVAR; 152; 149; 48; 4; 3; SCALE\r\n"
                                           "LINE; 10; 154; 190; 0\r\n"
                                           "PRINTVAR; 35; 156; 80; 4; 3; COLOR\r\n"
                                           "PRINTVAR; 45; 166; 80; 4; 3; LENGTHMAT\r\n"
                                           "PRINTVAR; 10; 184; 190; 30; 3; POLOTNA; 100; 7\r\n"
                                           "PRINTVAR; 10; 219; 190; 12; 3; SIDES; 100; 3\r\n"
                                           "PRINTVAR; 10; 236; 190; 8; 3; DIAGONALS; 100; 2\r\n"
                                           "PRINTVAR; 10; 249; 190; 12; 3; FORMS; 100; 3\r\n"
                                           "PRINTVAR; 25; 262; 175; 8; 3; ANGLES; 90; 2\r\n";

void ensureGui() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "tenzora-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

struct PreviewScene {
    SilentUiServices ui;
    TZCeiling doc{ui, std::filesystem::temp_directory_path() / "tenzora-bench-no-program-dir"};
    AppSettings settings;
    DrawingCache cache;
    PrintPreview preview;
    PreviewScene() {
        paintingScene::build(doc);
        TZPrintForm& form = *doc.resources.printForms.append();
        parsePrintForm(form, kWorkshopForm, false);
        doc.printFormIndex = 0;
        preview.pixelsPerCm = PrintPreview::initialPixelsPerCm(1050); // a 1920 × 1080 screen
    }
};

// The window's client area below its toolbar on that screen.
void repaint(benchmark::State& state, int pageMode) {
    ensureGui();
    PreviewScene s;
    s.preview.pageMode = pageMode;
    QImage image(1320, 850, QImage::Format_RGB32);
    QtTextMeasurer measurer;
    for (auto _ : state) {
        QPainter painter(&image);
        QtSurface surface(painter, &measurer);
        VariableTextsAdapter variables(s.doc, s.settings);
        s.preview.paint(s.doc, surface, image.width(), image.height(),
                        SheetServices{s.settings, variables, nullptr, &s.cache});
    }
}

void BM_PreviewRepaintSheet(benchmark::State& state) {
    repaint(state, 0);
}
void BM_PreviewRepaintContinuation(benchmark::State& state) {
    repaint(state, 1);
}
// While the page is dragged the window moves the page it drew last: the ground and one picture.
void BM_PreviewDragRepaint(benchmark::State& state) {
    ensureGui();
    PreviewScene s;
    QImage image(1320, 850, QImage::Format_RGB32);
    const Rect page = s.preview.pageRect(image.width());
    QImage pageImage(page.width() + 1, page.height() + 1, QImage::Format_RGB32);
    {
        QPainter painter(&pageImage);
        painter.translate(-page.left, -page.top);
        QtSurface surface(painter);
        VariableTextsAdapter variables(s.doc, s.settings);
        s.preview.paint(s.doc, surface, image.width(), image.height(),
                        SheetServices{s.settings, variables, nullptr, &s.cache});
    }
    int step = 0;
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), QColor(177, 177, 177));
        painter.drawImage(page.left + step % 40, page.top + step % 30, pageImage);
        ++step;
    }
}
BENCHMARK(BM_PreviewRepaintSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewDragRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewRepaintContinuation)->Unit(benchmark::kMillisecond);

} // namespace
#endif
