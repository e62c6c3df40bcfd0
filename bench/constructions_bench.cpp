// Figures of the working outline and the cutouts, which are rebuilt on every repaint: a 92-vertex
// room with 20 constructions of every kind and 10 cutouts.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "model/ceiling.h"
#include "model/cutouts.h"
#include "model/outline_figures.h"
#include "model/working_outline.h"
#include "platform/ui_services.h"
#include "support/painting_scene.h"

using namespace tenzora;

namespace {

// A document of its own for each benchmark (no window, no messages).
struct BenchDocument {
    SilentUiServices ui;
    TZCeiling doc{ui, std::filesystem::temp_directory_path()};
    BenchDocument() {
        paintingScene::room(doc);
        paintingScene::furnish(doc);
    }
};

void BM_WorkingOutlineWithConstructions(benchmark::State& state) {
    BenchDocument bench;
    TZCeiling& doc = bench.doc;
    WorkingOutline outline;
    TZHolesArray holes;
    for (auto _ : state) {
        benchmark::DoNotOptimize(buildWorkingOutline(doc, true, outline));
        benchmark::DoNotOptimize(buildCutouts(doc, outline, holes));
    }
    state.counters["points"] = outline.count();
    state.counters["cutoutPoints"] = holes.totalPoints();
}
BENCHMARK(BM_WorkingOutlineWithConstructions);

void BM_WorkingOutlineMeasuredOnly(benchmark::State& state) {
    BenchDocument bench;
    TZCeiling& doc = bench.doc;
    WorkingOutline outline;
    for (auto _ : state)
        benchmark::DoNotOptimize(buildWorkingOutline(doc, false, outline));
}
BENCHMARK(BM_WorkingOutlineMeasuredOnly);

// What a side panel refresh costs: net area and perimeter from one build.
void BM_ConstructionFigures(benchmark::State& state) {
    BenchDocument bench;
    TZCeiling& doc = bench.doc;
    for (auto _ : state)
        benchmark::DoNotOptimize(constructionFigures(doc, true).netArea());
}
BENCHMARK(BM_ConstructionFigures);

} // namespace
