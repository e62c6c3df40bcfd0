// Figures of the drawing surfaces of the core: a drawing-sized workload (10,000 line segments in
// polylines of 10, 500 texts in three fonts, a filled outline with holes) written as EMF, as WMF
// and onto the recording surface, and GIF encoding of a full-HD drawing.

#include <benchmark/benchmark.h>

#include <cmath>

#include "output/emf_writer.h"
#include "output/gif_writer.h"
#include "output/recording_surface.h"
#include "output/wmf_writer.h"
#include "platform/approximate_text_measurer.h"

using namespace tenzora;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kSegments = 10'000;
constexpr int kSegmentsPerPolyline = 10;
constexpr int kTexts = 500;

void drawWorkload(Surface& s) {
    s.fillRect({0, 0, kWidth, kHeight}, kWhite);
    s.setBackgroundMode(BackgroundMode::Transparent);
    // The outline fill with ten cutouts.
    std::vector<Point> rings;
    std::vector<std::int32_t> sizes;
    for (int i = 0; i < 92; ++i)
        rings.push_back({960 + static_cast<int>(800 * std::cos(i * 0.0683)),
                         540 + static_cast<int>(450 * std::sin(i * 0.0683))});
    sizes.push_back(92);
    for (int h = 0; h < 10; ++h) {
        const int x = 400 + h * 110, y = 500;
        for (Point p : {Point{x, y}, Point{x + 60, y}, Point{x + 60, y + 60}, Point{x, y + 60}})
            rings.push_back(p);
        sizes.push_back(4);
    }
    s.setBrush(solidBrush(Color{233, 233, 233}));
    s.fillPolygonWithHoles(rings, sizes, FillRule::Winding);

    Point line[kSegmentsPerPolyline + 1];
    for (int k = 0; k < kSegments / kSegmentsPerPolyline; ++k) {
        s.setPen(k % 3 == 0 ? Pen{PenStyle::Dot, 1, Color{0, 255, 0}}
                            : solidPen(3, Color{0, 0, k % 2 == 0 ? 255 : 0}));
        for (int i = 0; i <= kSegmentsPerPolyline; ++i)
            line[i] = {(k * 7 + i * 37) % kWidth, (k * 13 + i * 17) % kHeight};
        s.polyline(line);
    }
    Font font;
    font.weight = kWeightBold;
    s.setTextAlign(kAlignTopCenter);
    for (int t = 0; t < kTexts; ++t) {
        font.height = t % 3 == 0 ? 9 : t % 3 == 1 ? 11 : 16;
        font.escapement = (t * 97) % 3600;
        s.setFont(font);
        s.setTextColor(t % 10 == 0 ? Color{255, 0, 0} : kBlack);
        s.textOut({(t * 31) % kWidth, (t * 19) % kHeight}, L"1234,5");
    }
}

void BM_EmfWriterDrawing(benchmark::State& state) {
    ApproximateTextMeasurer measurer;
    std::size_t bytes = 0;
    for (auto _ : state) {
        EmfWriter w(kWidth, kHeight, measurer);
        drawWorkload(w);
        bytes = w.finish().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EmfWriterDrawing)->Unit(benchmark::kMillisecond);

void BM_WmfWriterDrawing(benchmark::State& state) {
    ApproximateTextMeasurer measurer;
    std::size_t bytes = 0;
    for (auto _ : state) {
        WmfWriter w(kWidth, kHeight, measurer);
        drawWorkload(w);
        bytes = w.finish().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WmfWriterDrawing)->Unit(benchmark::kMillisecond);

void BM_RecordingSurfaceDrawing(benchmark::State& state) {
    RecordingSurface s(deviceMetricsFor(kWidth, kHeight));
    for (auto _ : state) {
        s.clear(); // keeps its pools: the steady state of repeated paints
        drawWorkload(s);
        benchmark::DoNotOptimize(s.records().data());
    }
    state.counters["records"] = static_cast<double>(s.records().size());
}
BENCHMARK(BM_RecordingSurfaceDrawing)->Unit(benchmark::kMillisecond);

// A full-HD drawing: large flat areas, a few dozen colours.
Bitmap drawingPicture() {
    Bitmap b;
    b.width = kWidth;
    b.height = kHeight;
    b.pixels.assign(static_cast<std::size_t>(kWidth) * kHeight, 0xFFFFFFFFu);
    for (int y = 100; y < 980; ++y)
        for (int x = 200; x < 1720; ++x) {
            std::uint32_t c = 0xFFE9E9E9u;
            if ((x + y) % 8 == 7) c = 0xFF00FF00u;
            if (x % 97 < 3 || y % 89 < 3) c = 0xFF0000FFu;
            if ((x * 31 + y * 17) % 1000 < 3)
                c = 0xFF000000u | static_cast<std::uint32_t>((x * y) % 40) * 0x030303u;
            b.pixels[static_cast<std::size_t>(y) * kWidth + x] = c;
        }
    return b;
}

void BM_GifOfAFullHdDrawing(benchmark::State& state) {
    const Bitmap picture = drawingPicture();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto gif = encodeGif(picture);
        bytes = gif ? gif->bytes.size() : 0;
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_GifOfAFullHdDrawing)->Unit(benchmark::kMillisecond);

void BM_GifOfAFullHdPhoto(benchmark::State& state) {
    Bitmap photo = drawingPicture();
    for (std::size_t i = 0; i < photo.pixels.size(); ++i)
        if (i % 3 == 0) photo.pixels[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8);
    for (auto _ : state) {
        const auto gif = encodeGif(photo);
        benchmark::DoNotOptimize(gif);
    }
}
BENCHMARK(BM_GifOfAFullHdPhoto)->Unit(benchmark::kMillisecond);

} // namespace
