// Figures of the sheet's variable texts: every one of the 41 variables of a project, as one
// drawing of a sheet or one report script asks for them, for a typical room laid out in canvases
// and for an outline of a thousand measured corners with every diagonal from A.

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

#include "cutting/layout.h"
#include "model/ceiling.h"
#include "model/print_form.h"
#include "model/settings.h"
#include "output/report_fields.h"
#include "output/variable_text.h"
#include "platform/ui_services.h"

using namespace tenzora;

namespace {

const std::filesystem::path kNoProgramDir = "/nonexistent/tenzora-bench";
constexpr double kRadius = 600.0; // cm

// A regular outline of `corners` measured sides, the diagonals from A measured too.
void buildRoom(TZCeiling& doc, int corners) {
    doc.polygon.clear();
    doc.diagonals.clear();
    for (int i = 0; i < corners; ++i) {
        const double a = 2 * std::numbers::pi * i / corners;
        doc.polygon.append(makeVertex(kRadius * std::cos(a), kRadius * std::sin(a)));
    }
    doc.polygon.defined = true;
    const auto measure = [&](int a, int b) {
        Diagonal d;
        d.a = a;
        d.b = b;
        d.isSide = (b == a + 1 || (a == 0 && b == corners - 1)) ? 1 : 0;
        d.length =
            std::hypot(doc.polygon.at(a).x - doc.polygon.at(b).x, doc.polygon.at(a).y - doc.polygon.at(b).y);
        doc.diagonals.append(d);
    };
    for (int i = 0; i + 1 < corners; ++i)
        measure(i, i + 1);
    measure(0, corners - 1);
    for (int j = 2; j + 1 < corners; ++j)
        measure(0, j);
    doc.view.showLengths = true;
}

void allVariables(benchmark::State& state, TZCeiling& doc) {
    AppSettings settings;
    TZPrintForm form;
    TZPrintFormElem element;
    element.wrapWidth = 100;
    element.maxLines = 5;
    std::size_t characters = 0;
    for (auto _ : state) {
        std::wstring continuation;
        for (const ReportField& f : reportFields())
            characters += variableText(doc, settings, form, element, f.id, continuation).size();
        benchmark::DoNotOptimize(continuation);
    }
    state.counters["chars/sheet"] = static_cast<double>(characters) / static_cast<double>(state.iterations());
}

void BM_VariablesOfALaidOutRoom(benchmark::State& state) {
    SilentUiServices ui;
    TZCeiling doc(ui, kNoProgramDir);
    buildRoom(doc, 12);
    doc.seamFrom = 0;
    doc.seamTo = 1;
    Material fabric;
    fabric.width = 320;
    doc.material = fabric;
    layoutCanvases(doc, fabric, true, true);
    allVariables(state, doc);
}
BENCHMARK(BM_VariablesOfALaidOutRoom)->Unit(benchmark::kMillisecond);

void BM_VariablesOfAThousandCorners(benchmark::State& state) {
    SilentUiServices ui;
    TZCeiling doc(ui, kNoProgramDir);
    buildRoom(doc, 1000);
    allVariables(state, doc);
}
BENCHMARK(BM_VariablesOfAThousandCorners)->Unit(benchmark::kMillisecond);

} // namespace
