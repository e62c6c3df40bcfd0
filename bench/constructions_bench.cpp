// Figures of the working outline and the cutouts, which are rebuilt on every repaint: a 92-vertex
// room with 20 constructions of every kind and 10 cutouts.

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "model/ceiling.h"
#include "model/cutouts.h"
#include "model/geometry.h"
#include "model/outline_figures.h"
#include "model/working_outline.h"
#include "platform/ui_services.h"

namespace {

constexpr int kVertices = 92;

// A clockwise room of 92 vertices: a large rounded rectangle with a saw-tooth wall.
void room(TZCeiling& doc) {
    doc.polygon.clear();
    for (int i = 0; i < kVertices; ++i) {
        const double a = 2 * kPi * i / kVertices;
        const double r = 600 + (i % 2) * 15;
        doc.polygon.append(makeVertex(r * std::cos(a) * 1.4, r * std::sin(a)));
    }
    doc.polygon.defined = true;
}

TZDop construction(TZDopKind kind, int v1, int v2, double depth) {
    TZDop d;
    d.kind = static_cast<std::int32_t>(kind);
    d.vertex1 = v1;
    d.vertex2 = v2;
    d.distance1 = 5;
    d.distance2 = 5;
    d.depth = depth;
    d.depth2 = depth / 2;
    d.extraPoints = kind == TZDopKind::Bend ? 5 : 7;
    return d;
}

void furnish(TZCeiling& doc) {
    room(doc);
    const TZDopKind kinds[] = {TZDopKind::Rectangle, TZDopKind::Arc, TZDopKind::CornerCut,
                               TZDopKind::Trapezoid, TZDopKind::Bend};
    // Spread along the outline; every construction names points of the outline as it stands
    // then, which grows, so the later ones sit further on.
    for (int k = 0; k < 20; ++k) {
        const int v = 4 * k + 2 * (k / 5);
        const TZDopKind kind = kinds[k % 5];
        const int v2 = kind == TZDopKind::Bend ? v + 3 : v + 1;
        doc.dops.append(construction(kind, v, v2, k % 2 ? 10 : -10));
    }
    for (int h = 0; h < 10; ++h) {
        TZHole hole;
        hole.type = static_cast<std::int32_t>(h % 2 ? TZHoleType::Circle : TZHoleType::Rectangle);
        hole.mode = static_cast<std::int32_t>(h % 2 ? TZHoleMode::Centre : TZHoleMode::TwoAdjacentPoints);
        hole.size1 = 40;
        for (int r = 0; r < 2; ++r) {
            TZHoleDiagonal row;
            row.vertex1 = 10 * h + r;
            row.vertex2 = 10 * h + 40 + r;
            row.distance1 = 500;
            row.distance2 = 520 + 10 * r;
            hole.rows.append(row);
        }
        doc.holes.append(hole);
    }
    doc.showConstructions = true;
}

// A document of its own for each benchmark (no window, no messages).
struct BenchDocument {
    SilentUiServices ui;
    TZCeiling doc{ui, std::filesystem::temp_directory_path()};
    BenchDocument() { furnish(doc); }
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
