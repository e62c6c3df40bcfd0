// Figures of forming: the wizard's 92-point ellipse, a 24-corner room measured with a fan of
// diagonals, and the undo snapshot that every forming takes first.

#include <benchmark/benchmark.h>

#include <cmath>

#include <filesystem>
#include <memory>

#include "editor/drawing_cache.h"
#include "editor/length_entry.h"
#include "editor/painting.h"
#include "editor/side_panel_figures.h"
#include "editor/side_panel_tree.h"
#include "model/ceiling.h"
#include "model/document_views.h"
#include "model/forming.h"
#include "model/forming_commands.h"
#include "model/geometry.h"
#include "model/measurement_check.h"
#include "model/records.h"
#include "model/settings.h"
#include "model/shapes.h"
#include "output/recording_surface.h"
#include "platform/ui_services.h"

using namespace tenzora;

namespace {

struct Project {
    SilentUiServices ui;
    std::unique_ptr<TZCeiling> doc =
        std::make_unique<TZCeiling>(ui, std::filesystem::temp_directory_path() / "tenzora-bench");
    TZCeiling* operator->() { return doc.get(); }
    TZCeiling& operator*() { return *doc; }
};

// The wizard's ellipse of 92 points: every side and every diagonal from A measured.
void makeEllipse(TZCeiling& doc) {
    generateShape(doc, ShapeKind::Ellipse, 92, 600, 400);
}

// A room of `corners` corners with notches (a star-like zigzag), measured with a tape to the
// half centimetre (every side and the fan of diagonals from A) and sketched roughly.
void makeNotchedRoom(TZCeiling& doc, int corners) {
    for (int i = 0; i < corners; ++i) {
        const double angle = 2 * kPi * i / corners;
        const double radius = i % 2 == 0 ? 500 : 420;
        doc.polygon.append(makeVertex(radius * std::cos(angle), radius * std::sin(angle)));
    }
    doc.polygon.defined = true;
    doc.editor.mode = kModePoints;
    const auto measure = [&](int i, int j) {
        const double length = distance(doc.polygon.at(i), doc.polygon.at(j));
        putDiagonal(doc, i, j, std::round(length * 2) / 2);
    };
    for (int i = 0; i < corners; ++i)
        measure(i, (i + 1) % corners);
    for (int j = 2; j < corners - 1; ++j)
        measure(0, j);
    // The sketch the measurer drew: every corner off by up to 30 cm.
    for (int i = 0; i < corners; ++i) {
        doc.polygon.at(i).x += 30 * std::sin(1.7 * i + 0.3);
        doc.polygon.at(i).y += 30 * std::cos(2.3 * i + 1.1);
    }
}
void makeRoomOf24(TZCeiling& doc) {
    makeNotchedRoom(doc, 24);
}
void makeRoomOf92(TZCeiling& doc) {
    makeNotchedRoom(doc, 92);
}

template <void (*Make)(TZCeiling&)> void formRepeatedly(benchmark::State& state, int method) {
    Project t;
    Make(*t);
    t->constructionMethod = method;
    const CPolygon sketch = t->polygon;
    for (auto _ : state) {
        state.PauseTiming();
        t->polygon.copyFrom(sketch);
        t->history.clearUndo();
        state.ResumeTiming();
        benchmark::DoNotOptimize(formProjectCommand(*t).formed);
    }
}

void BM_FormEllipseOf92Points(benchmark::State& state) {
    formRepeatedly<makeEllipse>(state, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_FormEllipseOf92Points)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_FormRoomOf24CornersWithAFan(benchmark::State& state) {
    formRepeatedly<makeRoomOf24>(state, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_FormRoomOf24CornersWithAFan)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_FormRoomOf92CornersWithAFan(benchmark::State& state) {
    formRepeatedly<makeRoomOf92>(state, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_FormRoomOf92CornersWithAFan)->Arg(0)->Unit(benchmark::kMillisecond);

// One "Установить" on the 24-corner room as the window runs it: the length entered on a diagonal
// (which forms the outline again), then the side panel's tree and figures rebuilt and the drawing
// painted once.
void BM_SetLengthRoomOf24(benchmark::State& state) {
    Project t;
    makeRoomOf24(*t);
    const CPolygon sketch = t->polygon;
    AppSettings settings;
    DrawingCache cache;
    RecordingSurface surface(deviceMetricsFor(1920, 1080));
    for (auto _ : state) {
        state.PauseTiming();
        t->polygon.copyFrom(sketch);
        t->history.clearUndo();
        surface.clear();
        state.ResumeTiming();
        benchmark::DoNotOptimize(enterLength(*t, L"AM", L"1000,5").formed);
        benchmark::DoNotOptimize(buildPanelRoots(*t, settings, {}));
        benchmark::DoNotOptimize(panelFigures(*t));
        prepareScreenPaint(*t, surface, settings, cache);
        paintDrawing(surface, *t, settings, PaintRequest{}, cache);
    }
}
BENCHMARK(BM_SetLengthRoomOf24)->Unit(benchmark::kMillisecond);

// Views that do on each refresh what the window does: the tree's root rows, the figures, the
// drawing painted.
class WorkingViews : public DocumentViews {
  public:
    WorkingViews(TZCeiling& doc, const AppSettings& settings)
        : doc_(doc), settings_(settings), surface_(deviceMetricsFor(1920, 1080)) {}
    void refreshFigures() override { benchmark::DoNotOptimize(panelFigures(doc_)); }
    void rebuildTree() override { benchmark::DoNotOptimize(buildPanelRoots(doc_, settings_, {})); }
    void repaint() override {
        surface_.clear();
        prepareScreenPaint(doc_, surface_, settings_, cache_);
        paintDrawing(surface_, doc_, settings_, PaintRequest{}, cache_);
    }
    void setTitle(const std::wstring&) override {}
    void clientSize(int& width, int& height) override {
        width = 1920;
        height = 1080;
    }
    void showCuttingDialog() override {}
    bool saveProjectAs() override { return false; }

  private:
    TZCeiling& doc_;
    const AppSettings& settings_;
    RecordingSurface surface_;
    DrawingCache cache_;
};

// The same "Установить" with views attached: every refresh the entry asks for told at once
// (argument 0, as a call outside a change) or collected and told once after it (argument 1, as
// the side panel's button runs it).
void BM_SetLengthRoomOf24WithViews(benchmark::State& state) {
    Project t;
    makeRoomOf24(*t);
    const CPolygon sketch = t->polygon;
    AppSettings settings;
    WorkingViews views(*t, settings);
    t->setViews(&views);
    const bool oneChange = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        t->polygon.copyFrom(sketch);
        t->history.clearUndo();
        state.ResumeTiming();
        if (oneChange) {
            const ChangeCycle change(*t);
            benchmark::DoNotOptimize(enterLength(*t, L"AM", L"1000,5").formed);
            t->repaint();
        } else {
            benchmark::DoNotOptimize(enterLength(*t, L"AM", L"1000,5").formed);
            t->repaint();
        }
    }
    t->setViews(nullptr);
}
BENCHMARK(BM_SetLengthRoomOf24WithViews)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The snapshot forming takes before it changes anything, on the 92-point project. Each
// iteration moves a vertex so that the snapshot differs from the newest one and is stored.
void BM_SnapshotOfThe92PointProject(benchmark::State& state) {
    Project t;
    makeEllipse(*t);
    double nudge = 0;
    for (auto _ : state) {
        t->polygon.at(5).x += (nudge += 0.001);
        if (t->history.undoCount >= TZCeiling::kUndoCapacity - 1) {
            state.PauseTiming();
            t->history.clearUndo();
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(t->takeSnapshot());
    }
}
BENCHMARK(BM_SnapshotOfThe92PointProject)->Unit(benchmark::kMicrosecond);

// "Проверить измерения" on a formed room: one fit to every record, the linear estimate of each
// record's redundancy, and a refit without each of the most suspect ones. The 24-corner room has
// one diagonal mistyped by 20 cm; the ellipse is measured exactly.
template <void (*Make)(TZCeiling&)> void checkRepeatedly(benchmark::State& state, bool mistype) {
    Project t;
    Make(*t);
    if (mistype) t->diagonals.at(t->diagonals.count() - 5).length += 20;
    formProjectCommand(*t);
    for (auto _ : state)
        benchmark::DoNotOptimize(checkMeasurements(*t));
}
void BM_CheckMeasurementsRoomOf24(benchmark::State& state) {
    checkRepeatedly<makeRoomOf24>(state, true);
}
BENCHMARK(BM_CheckMeasurementsRoomOf24)->Unit(benchmark::kMillisecond);
void BM_CheckMeasurementsEllipseOf92(benchmark::State& state) {
    checkRepeatedly<makeEllipse>(state, false);
}
BENCHMARK(BM_CheckMeasurementsEllipseOf92)->Unit(benchmark::kMillisecond);

} // namespace
