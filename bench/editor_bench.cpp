// Figures of the drawing view's input and the side panel: what a mouse move over a large
// outline costs (hit tests, the ruler's snapping), and what one rebuild of the panel's tree and
// figures costs.

#include <benchmark/benchmark.h>

#include <cmath>

#include "editor/editor_input.h"
#include "editor/hit_tests.h"
#include "editor/side_panel_figures.h"
#include "editor/side_panel_tree.h"
#include "model/ceiling.h"
#include "model/records.h"
#include "model/settings.h"
#include "platform/ui_services.h"

using namespace tenzora;

namespace {

// A document of its own, without a window.
struct Document {
    SilentUiServices ui;
    TZCeiling doc{ui, {}};
    TZCeiling& operator*() { return doc; }
    TZCeiling* operator->() { return &doc; }
};

// A ring of n points with its sides and a fan of diagonals from A, all measured.
void ring(TZCeiling& doc, int n) {
    for (int i = 0; i < n; ++i) {
        const double t = 2 * 3.141592653589793 * i / n;
        doc.polygon.append(makeVertex(std::cos(t) * 800, std::sin(t) * 500));
    }
    doc.polygon.defined = true;
    putSides(doc);
    markAllAsSides(doc);
    for (int j = 2; j < n - 1; ++j)
        putDiagonal(doc, 0, j, 0);
    for (Diagonal& d : doc.diagonals)
        d.length = std::hypot(doc.polygon.at(d.a).x - doc.polygon.at(d.b).x,
                              doc.polygon.at(d.a).y - doc.polygon.at(d.b).y) +
                   0.3;
    doc.editor.mode = kModePoints;
}

struct NoWindow : EditorWindow {
    void showCursorPosition(double, double) override {}
    void showRecord(int) override {}
    void openCanvas(int, int) override {}
    void setCursorShape(CursorShape) override {}
    void moveCursor(int, int) override {}
};

void BM_MouseMoveOverOutline(benchmark::State& state) {
    Document t;
    ring(*t, static_cast<int>(state.range(0)));
    AppSettings settings;
    NoWindow window;
    EditorInput input(*t, settings, window);
    int x = 0;
    for (auto _ : state) {
        input.move({x % 800, 300, false, 800, 600});
        ++x;
    }
}
BENCHMARK(BM_MouseMoveOverOutline)->Arg(20)->Arg(200)->Arg(1000);

void BM_RulerFollowsTheMouse(benchmark::State& state) {
    Document t;
    ring(*t, static_cast<int>(state.range(0)));
    t->editor.mode = kModeRuler;
    AppSettings settings;
    NoWindow window;
    EditorInput input(*t, settings, window);
    input.leftDown({100, 100, false, 800, 600});
    int x = 0;
    for (auto _ : state) {
        input.move({x % 800, 250, false, 800, 600});
        ++x;
    }
}
BENCHMARK(BM_RulerFollowsTheMouse)->Arg(20)->Arg(200)->Arg(1000);

void BM_PanelTree(benchmark::State& state) {
    Document t;
    ring(*t, static_cast<int>(state.range(0)));
    AppSettings settings;
    for (auto _ : state)
        benchmark::DoNotOptimize(buildPanelTree(*t, settings, {}));
}
BENCHMARK(BM_PanelTree)->Arg(8)->Arg(40)->Arg(200)->Arg(1000);

// What the side panel builds on every change: the root rows, the pairs below them left to the
// opening of a side (BM_PanelSideOpened).
void BM_PanelTreeRoots(benchmark::State& state) {
    Document t;
    ring(*t, static_cast<int>(state.range(0)));
    AppSettings settings;
    for (auto _ : state)
        benchmark::DoNotOptimize(buildPanelRoots(*t, settings, {}));
}
BENCHMARK(BM_PanelTreeRoots)->Arg(8)->Arg(40)->Arg(200)->Arg(1000);

// Opening the first side, which has the most pairs below it.
void BM_PanelSideOpened(benchmark::State& state) {
    Document t;
    ring(*t, static_cast<int>(state.range(0)));
    AppSettings settings;
    const std::vector<PanelTreeRow> roots = buildPanelRoots(*t, settings, {});
    for (auto _ : state)
        benchmark::DoNotOptimize(buildPanelChildren(*t, roots.front()));
}
BENCHMARK(BM_PanelSideOpened)->Arg(8)->Arg(200)->Arg(1000);

void BM_PanelFigures(benchmark::State& state) {
    Document t;
    ring(*t, static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(panelFigures(*t));
}
BENCHMARK(BM_PanelFigures)->Arg(8)->Arg(200);

} // namespace
