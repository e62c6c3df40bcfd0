// Figures of the model's basic helpers and of the undo snapshot.

#include <benchmark/benchmark.h>

#include <cmath>

#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/geometry.h"
#include "model/names.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

void BM_VertexNames(benchmark::State& state) {
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            benchmark::DoNotOptimize(vertexIndex(vertexName(i)));
    }
}
BENCHMARK(BM_VertexNames);

void BM_FormatNumber(benchmark::State& state) {
    double v = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatNumber(v, 1, true));
        v += 0.37;
    }
}
BENCHMARK(BM_FormatNumber);

void BM_ShoelaceOf1000Points(benchmark::State& state) {
    TZStaticArray<Vertex> ring;
    for (int i = 0; i < 1000; ++i)
        ring.append(makeVertex(std::cos(i * 0.00628) * 500, std::sin(i * 0.00628) * 300));
    for (auto _ : state)
        benchmark::DoNotOptimize(area(pointsOf(ring)));
}
BENCHMARK(BM_ShoelaceOf1000Points);

} // namespace
