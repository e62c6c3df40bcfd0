// Figures of the project image: an undo snapshot of a large project (taken before every edit and
// every mouse-wheel step), the byte comparison that keeps equal states out of the history, and
// the writer and reader on their own.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "model/ceiling.h"
#include "platform/ui_services.h"
#include "storage/project_image.h"

using namespace tenzora;

namespace {

// No materials.mat is read or written by the benchmarks.
const std::filesystem::path kNoProgramDir = "/nonexistent/tenzora-bench";

// A large project: 92 vertices, 1000 sides and diagonals, a layout of 40 seam lines with their
// crossings and canvases, five constructions, three cutouts, extra works and a photo.
void fillLargeProject(TZCeiling& doc) {
    constexpr int kVertices = 92;
    constexpr int kRecords = 1000;
    constexpr int kSeamLines = 40;
    for (int i = 0; i < kVertices; ++i) {
        const double a = 2 * std::numbers::pi * i / kVertices;
        doc.polygon.append(makeVertex(600 * std::cos(a) + 15 * (i % 3), 450 * std::sin(a)));
    }
    doc.polygon.defined = true;
    for (int i = 0; i < kRecords; ++i) {
        Diagonal d;
        d.a = i < kVertices ? i : (i * 7) % kVertices;
        d.b = i < kVertices ? (i + 1) % kVertices : (i * 7 + 2 + i / kVertices) % kVertices;
        d.isSide = i < kVertices ? 1 : 0;
        d.length = 100.0 + i * 0.37;
        doc.diagonals.append(d);
    }
    for (int i = 0; i < kSeamLines; ++i) {
        doc.seamLines.append(makeVertex(-600 + 30 * i, -460));
        doc.seamLines.append(makeVertex(-600 + 30 * i, 460));
        for (int k = 0; k < 2; ++k) {
            TZAddPoint p;
            p.point = makeVertex(-600 + 30 * i, k ? 450 : -450);
            p.edgeStart = doc.polygon.at(i);
            p.edgeEnd = doc.polygon.at(i + 1);
            doc.addPoints.append(p);
        }
        doc.canvasLengths.append(900.0 - std::abs(20 - i) * 10);
    }
    doc.canvasLengths.append(120.0);
    for (int i = 0; i < 5; ++i) {
        TZDop d;
        d.kind = 1 + i % 5;
        d.vertex1 = 10 * i;
        d.vertex2 = 10 * i + 1;
        d.distance1 = 20;
        d.distance2 = 30;
        d.depth = 25;
        doc.dops.append(d);
        doc.dopHoleOrder.append({kOrderConstruction, i});
    }
    for (int i = 0; i < 3; ++i) {
        TZHole h;
        h.type = 1 + i;
        h.size1 = 40;
        for (int r = 0; r < 4; ++r) {
            TZHoleDiagonal row;
            row.vertex1 = r;
            row.vertex2 = r + 20;
            row.distance1 = 200;
            row.distance2 = 250;
            h.rows.append(row);
        }
        doc.holes.append(h);
        doc.dopHoleOrder.append({kOrderCutout, i});
    }
    doc.orderName = L"Торговый зал";
    doc.client = L"ООО «Потолки»";
    doc.extraWorks.append({L"Люстра", 4});
    doc.extraWorks.append({L"Обход трубы", 2});
    TZPicture photo;
    photo.path = L"/home/мастер/фото/зал.jpg";
    doc.photos.append(photo);
    doc.view.viewWidth = 1600;
    doc.view.viewHeight = 900;
    doc.editor.mode = kModeCutting;
}

struct LargeProject {
    LargeProject() : doc(ui, kNoProgramDir) { fillLargeProject(doc); }
    SilentUiServices ui;
    TZCeiling doc;
};

// A snapshot of a state that differs from the newest stored one: written, compared, stored.
// While the store fills, each stored image needs a block of its own.
void BM_SnapshotWhileTheStoreFills(benchmark::State& state) {
    LargeProject p;
    for (auto _ : state) {
        if (p.doc.history.undoCount == TZCeiling::kUndoCapacity) {
            state.PauseTiming();
            p.doc.history.clearUndo();
            state.ResumeTiming();
        }
        ++p.doc.view.panX;
        benchmark::DoNotOptimize(p.doc.takeSnapshot());
    }
    state.counters["imageBytes"] = p.doc.history.undoBuffers[0].size();
}
BENCHMARK(BM_SnapshotWhileTheStoreFills);

// The same with all 2000 places used: the oldest state is dropped and its block reused.
void BM_SnapshotWithTheStoreFull(benchmark::State& state) {
    LargeProject p;
    while (p.doc.history.undoCount < TZCeiling::kUndoCapacity) {
        ++p.doc.view.panX;
        p.doc.takeSnapshot();
    }
    for (auto _ : state) {
        ++p.doc.view.panX;
        benchmark::DoNotOptimize(p.doc.takeSnapshot());
    }
}
BENCHMARK(BM_SnapshotWithTheStoreFull);

// A snapshot of an unchanged state: written and compared, nothing stored.
void BM_SnapshotOfUnchangedProject(benchmark::State& state) {
    LargeProject p;
    p.doc.takeSnapshot();
    for (auto _ : state)
        benchmark::DoNotOptimize(p.doc.takeSnapshot());
}
BENCHMARK(BM_SnapshotOfUnchangedProject);

// The byte comparison alone, of two equal images (the slowest case: every byte is compared).
void BM_CompareEqualImages(benchmark::State& state) {
    LargeProject p;
    TZDynamicMemory a, b;
    saveToStream(p.doc, a);
    saveToStream(p.doc, b);
    for (auto _ : state)
        benchmark::DoNotOptimize(a.sameContents(b));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * a.size());
}
BENCHMARK(BM_CompareEqualImages);

// The floor a snapshot is held against: copying the large project's image bytes into a reused
// block and comparing them with the original, what a snapshot of an already serialised state
// would cost at the least.
void BM_CopyAndCompareImageBytes(benchmark::State& state) {
    LargeProject p;
    TZDynamicMemory image;
    saveToStream(p.doc, image);
    const auto n = static_cast<std::size_t>(image.size());
    std::vector<std::uint8_t> copy(n);
    for (auto _ : state) {
        std::memcpy(copy.data(), image.data(), n);
        benchmark::ClobberMemory();
        benchmark::DoNotOptimize(std::memcmp(copy.data(), image.data(), n));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * image.size());
}
BENCHMARK(BM_CopyAndCompareImageBytes);

// The writer into a reused stream, and into a fresh one that grows by 4048 bytes at a time.
void BM_WriteImageReusingTheBlock(benchmark::State& state) {
    LargeProject p;
    TZDynamicMemory s;
    for (auto _ : state) {
        saveToStream(p.doc, s, /*keepBlock=*/true);
        benchmark::DoNotOptimize(s.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * s.size());
}
BENCHMARK(BM_WriteImageReusingTheBlock);

void BM_WriteImageIntoAFreshStream(benchmark::State& state) {
    LargeProject p;
    for (auto _ : state) {
        TZDynamicMemory s;
        saveToStream(p.doc, s);
        benchmark::DoNotOptimize(s.data());
    }
}
BENCHMARK(BM_WriteImageIntoAFreshStream);

// The reader: what an undo or redo step costs besides the window's refresh.
void BM_ReadImage(benchmark::State& state) {
    LargeProject p;
    TZDynamicMemory image;
    saveToStream(p.doc, image);
    SilentUiServices ui;
    TZCeiling target(ui, kNoProgramDir);
    for (auto _ : state) {
        bool currentFormat = true;
        benchmark::DoNotOptimize(loadFromStream(target, image, currentFormat));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * image.size());
}
BENCHMARK(BM_ReadImage);

// An undo followed by a redo of the large project.
void BM_UndoAndRedo(benchmark::State& state) {
    LargeProject p;
    p.doc.takeSnapshot();
    ++p.doc.view.panX;
    p.doc.takeSnapshot();
    for (auto _ : state) {
        p.doc.undo();
        p.doc.redo();
    }
}
BENCHMARK(BM_UndoAndRedo);

} // namespace
