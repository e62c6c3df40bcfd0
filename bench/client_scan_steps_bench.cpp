// How the client list window stays responsive while it reads 10,000 projects: the window keeps
// its event loop going at the scan's steps (one after every file), so the longest time between
// two steps is the longest the window can be kept waiting; and "Отмена" at the first step shows
// how soon a cancelled scan gives the window back (the folder is still listed first).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "business/client_scan.h"
#include "model/ceiling.h"
#include "platform/ui_services.h"
#include "storage/codepage.h"
#include "storage/dynamic_memory.h"
#include "storage/project_image.h"

using namespace tenzora;

namespace {

constexpr int kFiles = 10'000;

// 10,000 projects of one client each, written once per run and removed at exit.
class ClientFolder {
  public:
    ClientFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("tenzora-bench-clients-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
        SilentUiServices ui;
        TZCeiling doc(ui, "/nonexistent/tenzora-bench");
        for (int i = 0; i < 12; ++i)
            doc.polygon.append(makeVertex(100 * i, (i % 2) * 50));
        TZDynamicMemory stream;
        for (int p = 0; p < kFiles; ++p) {
            doc.client = L"Клиент " + std::to_wstring(p % 700) + L"¬7701¬¬Тверь¬¬+7 900";
            doc.orderNumber = std::to_wstring(p);
            doc.priceTag = std::to_string(20000 + p);
            saveToStream(doc, stream);
            std::ofstream(path_ / ("p" + std::to_string(p) + ".tz"), std::ios::binary) << stream.bytes();
        }
        folders_[0] = codepage::fromPath(path_);
    }
    ~ClientFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::array<std::wstring, 10>& folders() const { return folders_; }

  private:
    std::filesystem::path path_;
    std::array<std::wstring, 10> folders_;
};

ClientFolder& folder() {
    static ClientFolder f;
    return f;
}

using Clock = std::chrono::steady_clock;

void BM_ClientScanLongestStepGap(benchmark::State& state) {
    ClientFolder& f = folder();
    double longest = 0;
    double listing = 0;
    std::size_t steps = 0;
    for (auto _ : state) {
        Clock::time_point last = Clock::now();
        steps = 0;
        benchmark::DoNotOptimize(scanClientsUnlessCancelled(f.folders(), [&](std::size_t, std::size_t) {
            const Clock::time_point now = Clock::now();
            const double gap = std::chrono::duration<double, std::milli>(now - last).count();
            // The first gap is the listing of the folder and the first file.
            if (steps == 0)
                listing = std::max(listing, gap);
            else
                longest = std::max(longest, gap);
            last = now;
            ++steps;
            return true;
        }));
    }
    state.counters["files"] = kFiles;
    state.counters["steps"] = static_cast<double>(steps);
    state.counters["longestGapMs"] = longest;
    state.counters["firstStepMs"] = listing;
}
BENCHMARK(BM_ClientScanLongestStepGap)->Unit(benchmark::kMillisecond);

void BM_ClientScanCancelledAtTheFirstStep(benchmark::State& state) {
    ClientFolder& f = folder();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            scanClientsUnlessCancelled(f.folders(), [](std::size_t, std::size_t) { return false; }));
    state.counters["files"] = kFiles;
}
BENCHMARK(BM_ClientScanCancelledAtTheFirstStep)->Unit(benchmark::kMillisecond);

} // namespace
