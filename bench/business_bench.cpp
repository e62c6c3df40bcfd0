// Figures of the two scans over a drawing folder of 10,000 projects: the stock scan and the
// client list, each against plain reading of the same files (list the folder, read every file
// whole). The scans read every file whole too, so the ratio shows what listing, parsing and
// matching cost on top of the reading; "ratio" is scan time / plain reading time.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <numbers>
#include <random>

#include "business/client_scan.h"
#include "business/project_file.h"
#include "business/stock_scan.h"
#include "model/ceiling.h"
#include "platform/ui_services.h"
#include "storage/codepage.h"
#include "storage/dynamic_memory.h"
#include "storage/file_io.h"
#include "storage/material_base.h"
#include "storage/project_image.h"

using namespace tenzora;

namespace {

constexpr int kProjects = 10'000;
constexpr int kFabrics = 40;
constexpr int kClients = 1'500;
const std::filesystem::path kNoProgramDir = "/nonexistent/tenzora-bench";

// A folder of projects of typical size (a dozen corners, their diagonals, a cutting layout with
// its crossings), written once per run and removed at exit.
class DrawingFolder {
  public:
    DrawingFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("tenzora-bench-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
        for (int i = 0; i < kFabrics; ++i) {
            Material m;
            m.id = i + 1;
            m.groupId = 1000 + i % 4;
            m.setName(codepage::toCp1251(L"Полотно " + std::to_wstring(i)));
            base_.append(m);
        }
        SilentUiServices ui;
        TZCeiling doc(ui, kNoProgramDir);
        TZDynamicMemory stream;
        for (int p = 0; p < kProjects; ++p) {
            fill(doc, p);
            saveToStream(doc, stream);
            std::ofstream(path_ / ("project-" + std::to_string(p) + ".tz"), std::ios::binary)
                << stream.bytes();
            bytes_ += static_cast<std::uint64_t>(stream.size());
        }
        folders_[0] = codepage::fromPath(path_);
    }
    ~DrawingFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }

    TZMaterialBase& base() { return base_; }
    const std::array<std::wstring, 10>& folders() const { return folders_; }
    std::uint64_t bytes() const { return bytes_; }

  private:
    void fill(TZCeiling& doc, int p) {
        doc.polygon.clear();
        doc.diagonals.clear();
        doc.seamLines.clear();
        doc.addPoints.clear();
        const int corners = 4 + p % 12;
        for (int i = 0; i < corners; ++i) {
            const double a = 2 * std::numbers::pi * i / corners;
            doc.polygon.append(makeVertex(300 * std::cos(a), 250 * std::sin(a)));
        }
        for (int i = 0; i < corners; ++i) {
            for (int j = i + 1; j < corners && j < i + 4; ++j) {
                Diagonal d;
                d.a = i;
                d.b = j;
                d.isSide = j == i + 1;
                d.length = 100 + i + j;
                doc.diagonals.append(d);
            }
        }
        for (int i = 0; i < 6; ++i) {
            doc.seamLines.append(makeVertex(-300 + 100 * i, -260));
            doc.seamLines.append(makeVertex(-300 + 100 * i, 260));
            TZAddPoint a;
            a.point = makeVertex(-300 + 100 * i, 250);
            doc.addPoints.append(a);
            doc.addPoints.append(a);
        }
        doc.client =
            L"Клиент " + std::to_wstring(p % kClients) + L"¬" + std::to_wstring(7700000000LL + p % kClients);
        doc.orderName = L"Заказ " + std::to_wstring(p);
        doc.orderNumber = std::to_wstring(p);
        doc.orderDate = L"12.03.2024";
        doc.priceTag = std::to_string(10000 + p) + ".50";
        doc.material = base_[p % kFabrics];
        doc.materialQuantity = 10 + p % 17;
        doc.offcuts = 1.5;
    }

    std::filesystem::path path_;
    TZMaterialBase base_;
    std::array<std::wstring, 10> folders_;
    std::uint64_t bytes_ = 0;
};

DrawingFolder& folder() {
    static DrawingFolder f;
    return f;
}

// Listing the folder and reading every file whole, nothing else.
void plainRead(const DrawingFolder& f) {
    std::uint64_t total = 0;
    readProjectFiles(listProjectFiles(f.folders()), projectFile::kMaxProjectBytes,
                     [&](const ProjectFileEntry&, std::string_view bytes) { total += bytes.size(); }, {});
    benchmark::DoNotOptimize(total);
}

// The plain reading time of the folder, the best of a few runs (the files are in the page cache).
double plainReadSeconds(const DrawingFolder& f) {
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        plainRead(f);
        best =
            std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

template <typename Scan> void reportScan(benchmark::State& state, DrawingFolder& f, Scan scan) {
    double scanSeconds = 1e9;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        scan();
        scanSeconds = std::min(
            scanSeconds, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes()));
    state.counters["files"] = kProjects;
    state.counters["ratio"] = scanSeconds / plainReadSeconds(f);
}

void BM_PlainReadOfTheFolder(benchmark::State& state) {
    DrawingFolder& f = folder();
    for (auto _ : state)
        plainRead(f);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes()));
    state.counters["files"] = kProjects;
}
BENCHMARK(BM_PlainReadOfTheFolder)->Unit(benchmark::kMillisecond);

void BM_StockScan(benchmark::State& state) {
    DrawingFolder& f = folder();
    reportScan(state, f, [&] { benchmark::DoNotOptimize(scanStock(f.base(), f.folders())); });
}
BENCHMARK(BM_StockScan)->Unit(benchmark::kMillisecond);

void BM_ClientScan(benchmark::State& state) {
    DrawingFolder& f = folder();
    reportScan(state, f, [&] { benchmark::DoNotOptimize(scanClients(f.folders())); });
}
BENCHMARK(BM_ClientScan)->Unit(benchmark::kMillisecond);

} // namespace
