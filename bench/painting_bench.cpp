// Painting the drawing, which happens on every mouse move in the drawing view: a 92-vertex room
// with 20 constructions, 10 cutouts and a 12-canvas layout with its dimensions, every label
// switched on. Painted on the recording surface (the routine's own cost, plus keeping records)
// and, in the full build, through the Qt backend into a 1920 × 1080 picture as the view does.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "editor/drawing_cache.h"
#include "editor/painting.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "output/recording_surface.h"
#include "platform/scratch_surface.h"
#include "platform/ui_services.h"
#include "support/painting_scene.h"

#if TENZORA_BENCH_QT
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "platform/qt/qt_surface.h"

using namespace tenzora;
#endif

namespace {

struct Scene {
    SilentUiServices ui;
    TZCeiling doc{ui, std::filesystem::temp_directory_path() / "tenzora-bench-no-program-dir"};
    AppSettings settings;
    DrawingCache cache;
    explicit Scene(bool layoutDisplay) {
        paintingScene::build(doc);
        doc.view.scaleX = doc.view.scaleY = 1.25f;
        if (!layoutDisplay) doc.editor.mode = kModePoints;
    }
};

void paintOn(benchmark::State& state, Surface& surface, Scene& s) {
    for (auto _ : state) {
        prepareScreenPaint(s.doc, surface, s.settings, s.cache); // as the drawing view does
        paintDrawing(surface, s.doc, s.settings, PaintRequest{}, s.cache);
        benchmark::ClobberMemory();
    }
}

void BM_PaintLayoutRecorded(benchmark::State& state) {
    Scene s(true);
    RecordingSurface surface(deviceMetricsFor(1920, 1080));
    for (auto _ : state) {
        surface.clear();
        prepareScreenPaint(s.doc, surface, s.settings, s.cache); // as the drawing view does
        paintDrawing(surface, s.doc, s.settings, PaintRequest{}, s.cache);
    }
    state.counters["records"] = static_cast<double>(surface.records().size());
}
BENCHMARK(BM_PaintLayoutRecorded)->Unit(benchmark::kMillisecond);

void BM_PaintLayoutScratch(benchmark::State& state) {
    Scene s(true);
    ApproximateTextMeasurer measurer;
    ScratchSurface surface(measurer, deviceMetricsFor(1920, 1080));
    paintOn(state, surface, s);
}
BENCHMARK(BM_PaintLayoutScratch)->Unit(benchmark::kMillisecond);

void BM_PaintPointsScratch(benchmark::State& state) {
    Scene s(false);
    ApproximateTextMeasurer measurer;
    ScratchSurface surface(measurer, deviceMetricsFor(1920, 1080));
    paintOn(state, surface, s);
}
BENCHMARK(BM_PaintPointsScratch)->Unit(benchmark::kMillisecond);

#if TENZORA_BENCH_QT
void ensureGui() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "tenzora-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

// As the drawing view paints: into a back buffer, with one text measurer kept across paints.
void paintIntoImage(benchmark::State& state, bool layoutDisplay) {
    ensureGui();
    Scene s(layoutDisplay);
    QImage image(1920, 1080, QImage::Format_RGB32);
    QtTextMeasurer measurer;
    for (auto _ : state) {
        QPainter painter(&image);
        QtSurface surface(painter, &measurer);
        prepareScreenPaint(s.doc, surface, s.settings, s.cache); // as the drawing view does
        paintDrawing(surface, s.doc, s.settings, PaintRequest{}, s.cache);
    }
}
void BM_PaintLayoutQImage1920x1080(benchmark::State& state) {
    paintIntoImage(state, true);
}
void BM_PaintPointsQImage1920x1080(benchmark::State& state) {
    paintIntoImage(state, false);
}

BENCHMARK(BM_PaintLayoutQImage1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPointsQImage1920x1080)->Unit(benchmark::kMillisecond);
#endif

} // namespace
