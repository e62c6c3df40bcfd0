// Figures of the canvas pieces of a layout with many canvases: a long room with saw-tooth long
// sides (every canvas crosses several edges) laid out with a narrow roll, described canvas by
// canvas as the sheet, the canvas list and the CAD export do. Arg: the room's length in metres.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "cutting/canvas_pieces.h"
#include "cutting/layout.h"
#include "model/ceiling.h"
#include "model/geometry.h"
#include "platform/ui_services.h"

using namespace tenzora;

namespace {

// A 300 cm wide room `metres` long whose two long sides zigzag by 10 cm every 50 cm.
void sawToothRoom(TZCeiling& doc, int metres) {
    doc.polygon.clear();
    const int teeth = metres * 2;
    for (int i = 0; i <= teeth; ++i)
        doc.polygon.append(makeVertex(i % 2 ? 10.0 : 0.0, 50.0 * i));
    for (int i = teeth; i >= 0; --i)
        doc.polygon.append(makeVertex(i % 2 ? 290.0 : 300.0, 50.0 * i));
    doc.polygon.defined = true;
    doc.seamFrom = 0;
    doc.seamTo = doc.polygon.count() - 1;
    doc.material.width = 30;
    doc.material.tensionCoef = 0.93;
}

void BM_CanvasPiecesOfALongRoom(benchmark::State& state) {
    SilentUiServices ui;
    TZCeiling doc(ui, std::filesystem::temp_directory_path() / "tenzora-bench-no-program-dir");
    sawToothRoom(doc, static_cast<int>(state.range(0)));
    if (layoutCanvases(doc, doc.material, true, false) != LayoutOutcome::LaidOut) {
        state.SkipWithError("no layout");
        return;
    }
    std::size_t pieces = 0;
    for (auto _ : state) {
        const std::vector<CanvasPiece> all = canvasPieces(doc);
        pieces += all.size();
        benchmark::DoNotOptimize(all.data());
    }
    state.counters["canvases"] = static_cast<double>(doc.seamLines.count() / 2 - 1);
    state.counters["crossings"] = static_cast<double>(doc.addPoints.count());
    state.counters["pieces/s"] = benchmark::Counter(static_cast<double>(pieces), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_CanvasPiecesOfALongRoom)->Arg(10)->Arg(40)->Arg(160)->Unit(benchmark::kMillisecond);
