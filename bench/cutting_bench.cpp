// Figures of the cutting layout: one layout, and the optimiser (a layout for every ordered pair
// of vertices), on a 24-corner room with 3 constructions and 2 cutouts and on the wizard's
// 92-point ellipse. The rate counter gives layouts per second.

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "cutting/canvas_pieces.h"
#include "cutting/cutting_dialog.h"
#include "cutting/layout.h"
#include "model/ceiling.h"
#include "model/cutouts.h"
#include "model/geometry.h"
#include "model/settings.h"
#include "model/shapes.h"
#include "platform/ui_services.h"
#include "storage/codepage.h"

using namespace tenzora;

namespace {

struct Project {
    SilentUiServices ui;
    std::unique_ptr<TZCeiling> doc = std::make_unique<TZCeiling>(ui, std::filesystem::temp_directory_path() /
                                                                         "tenzora-bench-no-program-dir");
    AppSettings settings;
    TZCeiling* operator->() { return doc.get(); }
    TZCeiling& operator*() { return *doc; }
};

Material fabric() {
    Material m;
    m.id = 2;
    m.groupId = 1;
    m.setName(codepage::toCp1251(L"Белый мат"));
    m.width = 320;
    m.tensionCoef = 0.93;
    m.offcutPriceCoef = 1.0;
    return m;
}

void addMaterialsBase(TZCeiling& doc) {
    Material group;
    group.id = 1;
    group.isGroup = 1;
    group.setName("MSD");
    doc.resources.materialBase.clear();
    doc.resources.materialBase.append(group);
    doc.resources.materialBase.append(fabric());
    doc.material = fabric();
}

TZDop construction(TZDopKind kind, int v1, int v2, double depth) {
    TZDop d;
    d.kind = static_cast<std::int32_t>(kind);
    d.vertex1 = v1;
    d.vertex2 = v2;
    d.distance1 = 20;
    d.distance2 = 20;
    d.depth = depth;
    d.extraPoints = 7;
    return d;
}

TZHole circle(int v1, int v2, double d1, double d2) {
    TZHole h;
    h.type = static_cast<std::int32_t>(TZHoleType::Circle);
    h.mode = static_cast<std::int32_t>(TZHoleMode::Centre);
    h.size1 = 40;
    TZHoleDiagonal r;
    r.vertex1 = v1;
    r.vertex2 = v2;
    r.distance1 = d1;
    r.distance2 = d2;
    h.rows.append(r);
    return h;
}

// A star-like room of 24 corners (radii 500 and 420 cm) with a niche, an arc and a corner cut,
// and two round lamps.
void makeFurnishedRoom(TZCeiling& doc) {
    for (int i = 0; i < 24; ++i) {
        const double angle = 2 * kPi * i / 24;
        const double radius = i % 2 == 0 ? 500 : 420;
        doc.polygon.append(makeVertex(radius * std::cos(angle), radius * std::sin(angle)));
    }
    doc.polygon.defined = true;
    for (int i = 0; i < 24; ++i) {
        Diagonal d;
        d.a = i;
        d.b = (i + 1) % 24;
        d.isSide = 1;
        d.length = distance(doc.polygon.at(d.a), doc.polygon.at(d.b));
        doc.diagonals.append(d);
    }
    const TZDop dops[] = {construction(TZDopKind::Rectangle, 2, 3, -30),
                          construction(TZDopKind::Arc, 10, 11, 25),
                          construction(TZDopKind::CornerCut, 0, 18, 0)};
    for (const TZDop& d : dops) {
        doc.dops.append(d);
        doc.dopHoleOrder.append({kOrderConstruction, doc.dops.count() - 1});
    }
    doc.holes.append(circle(0, 12, 300, 700));
    doc.holes.append(circle(6, 18, 400, 450));
    doc.dopHoleOrder.append({kOrderCutout, 0});
    doc.dopHoleOrder.append({kOrderCutout, 1});
    doc.showConstructions = true;
    doc.editor.mode = kModeCutting;
    addMaterialsBase(doc);
}

void makeEllipse(TZCeiling& doc) {
    generateShape(doc, ShapeKind::Ellipse, 92, 600, 400);
    doc.editor.mode = kModeCutting;
    addMaterialsBase(doc);
}

template <void (*Make)(TZCeiling&)> void layoutOnce(benchmark::State& state) {
    Project p;
    Make(*p);
    p->seamFrom = 0;
    p->seamTo = 1;
    p->suppressUndo = true; // the snapshot has figures of its own
    for (auto _ : state)
        benchmark::DoNotOptimize(layoutCanvases(*p, p->material, true, true));
    state.counters["layouts/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["canvases"] = p->canvasLengths.count();
    state.counters["crossings"] = p->addPoints.count();
}

template <void (*Make)(TZCeiling&)> void optimise(benchmark::State& state) {
    Project p;
    Make(*p);
    CuttingDialog dialog(*p, p.settings);
    const int n = p->polygon.count();
    for (auto _ : state) {
        state.PauseTiming();
        dialog.setVisible(true);
        dialog.fabricChosen();
        p->history.clearUndo();
        state.ResumeTiming();
        benchmark::DoNotOptimize(dialog.optimiseSeamSide());
    }
    state.counters["layouts/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * n * (n - 1),
                                                     benchmark::Counter::kIsRate);
}

template <void (*Make)(TZCeiling&)> void describeCanvases(benchmark::State& state) {
    Project p;
    Make(*p);
    p->seamFrom = 0;
    p->seamTo = 1;
    layoutCanvases(*p, p->material, true, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(canvasPieces(*p));
}

void BM_LayoutFurnishedRoomOf24(benchmark::State& s) {
    layoutOnce<makeFurnishedRoom>(s);
}
void BM_LayoutEllipseOf92(benchmark::State& s) {
    layoutOnce<makeEllipse>(s);
}
void BM_OptimiseFurnishedRoomOf24(benchmark::State& s) {
    optimise<makeFurnishedRoom>(s);
}
void BM_OptimiseEllipseOf92(benchmark::State& s) {
    optimise<makeEllipse>(s);
}
// "Искать точнее": the optimiser's pairs, then every direction parallel and at right angles with
// the seam grid shifted over one pitch.
template <void (*Make)(TZCeiling&)> void optimiseFine(benchmark::State& state) {
    Project p;
    Make(*p);
    CuttingDialog dialog(*p, p.settings);
    long layouts = 0;
    for (auto _ : state) {
        state.PauseTiming();
        dialog.setVisible(true);
        dialog.fabricChosen();
        p->history.clearUndo();
        state.ResumeTiming();
        layouts += dialog.optimiseSeamSideFine().layouts;
    }
    state.counters["layouts/s"] =
        benchmark::Counter(static_cast<double>(layouts), benchmark::Counter::kIsRate);
}
void BM_OptimiseFineFurnishedRoomOf24(benchmark::State& s) {
    optimiseFine<makeFurnishedRoom>(s);
}
void BM_CanvasPiecesFurnishedRoomOf24(benchmark::State& s) {
    describeCanvases<makeFurnishedRoom>(s);
}

BENCHMARK(BM_LayoutFurnishedRoomOf24)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LayoutEllipseOf92)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OptimiseFurnishedRoomOf24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptimiseEllipseOf92)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptimiseFineFurnishedRoomOf24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CanvasPiecesFurnishedRoomOf24)->Unit(benchmark::kMicrosecond);

} // namespace
