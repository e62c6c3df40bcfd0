// The CAD export writes whatever project it is given: outlines read from any project file
// (NaN, huge, collinear, repeated points), any constructions and cutouts, any layout of any roll.
// Exporting to DXF (the drawing and the canvas pieces) and to HPGL must give no crash, no hang
// and no unbounded output: a file that is written stays within the limits the export states,
// and a refused one leaves no file behind.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <unistd.h>

#include "cutting/layout.h"
#include "cycling_bytes.h"
#include "fuzzed_room.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "output/cad_export.h"
#include "seeds.h"
#include "storage/codepage.h"

using namespace tenzora;

namespace {

// Bytes one point or text may take in a DXF file (a vertex is two coordinate groups of up to
// 25 characters; a text entity with its layer some 300), plus the tables and headers.
constexpr std::uintmax_t kBytesPerPoint = 400;
constexpr std::uintmax_t kFixedPart = 64 * 1024;

class Reader : public CyclingBytes {
  public:
    using CyclingBytes::CyclingBytes;
    double coordinate() {
        const std::uint8_t b = byte();
        switch (b % 32) {
        case 0:
            return std::numeric_limits<double>::quiet_NaN();
        case 1:
            return std::numeric_limits<double>::infinity();
        case 2:
            return 1e300;
        case 3:
            return -1e7;
        case 4:
            return 0.0;
        default:
            return 10.0 * byte() + 0.5 * (b % 3);
        }
    }
    std::int32_t index(int count) {
        const std::uint8_t b = byte();
        if (b >= 250) return 0x7FFFFFF0;
        if (b >= 244) return -1;
        return static_cast<std::int32_t>(b % (count + 3));
    }
};

TZCeiling& document() {
    static SilentUiServices ui;
    static TZCeiling doc(ui, std::filesystem::temp_directory_path() / "tenzora-fuzz-no-program-dir");
    return doc;
}

void check(bool ok) {
    if (!ok) std::abort();
}

void fillRoom(TZCeiling& doc, Reader& in) {
    doc.polygon.clear();
    doc.diagonals.clear();
    doc.dops.clear();
    doc.holes.clear();
    doc.dopHoleOrder.clear();
    doc.seamLines.clear();
    doc.addPoints.clear();
    doc.showConstructions = in.byte() % 2 == 0;
    const int vertices = in.byte() % 8 == 0 ? 100 + in.byte() : in.byte() % 12;
    for (int i = 0; i < vertices; ++i)
        doc.polygon.append(makeVertex(in.coordinate(), in.coordinate()));
    doc.polygon.defined = in.byte() % 4 != 0;
    for (int i = 0; i < vertices && i < 40; ++i) {
        Diagonal d;
        d.a = i;
        d.b = in.byte() % 3 == 0 ? in.index(vertices) : (i + 1) % vertices;
        d.length = in.byte() % 2 ? 0.0 : in.coordinate();
        d.isSide = d.b == (i + 1) % vertices;
        doc.diagonals.append(d);
    }
    appendFuzzedConstructionsAndCutouts(doc, in, vertices);
}

void layOut(TZCeiling& doc, Reader& in) {
    const int n = doc.polygon.count() + 4;
    doc.seamFrom = in.index(n);
    doc.seamTo = in.index(n);
    doc.seamPerpendicular = in.byte() % 3 == 0;
    doc.seamOffset = in.byte() % 4 == 0 ? in.coordinate() : -5.0 * in.byte();
    doc.seamWidth = in.byte() % 30;
    Material material;
    const std::uint8_t roll = in.byte();
    material.width = roll % 8 == 0 ? in.coordinate() : 50.0 + 10.0 * (roll % 40);
    const std::uint8_t k = in.byte();
    material.tensionCoef = k % 10 == 0 ? in.coordinate() : 0.8 + 0.01 * (k % 20);
    doc.material = material;
    if (in.byte() % 4 != 0) layoutCanvases(doc, material, true, false);
}

std::filesystem::path outputPath(const char* ending) {
    return std::filesystem::temp_directory_path() /
           ("tenzora-cad-fuzz-" + std::to_string(::getpid()) + ending);
}

void exportOnce(TZCeiling& doc, const char* ending, bool canvases, const AppSettings& settings) {
    const std::filesystem::path path = outputPath(ending);
    std::error_code ec;
    std::filesystem::remove(path, ec);
    const CadExportResult r = exportCad(doc, codepage::fromPath(path), canvases, settings);
    if (r.ok()) {
        check(r.points <= kMaxCadPoints && r.extent <= kMaxCadCoordinate);
        const std::uintmax_t size = std::filesystem::file_size(path, ec);
        check(!ec && size <= kFixedPart + kBytesPerPoint * (r.points + 1));
        if (r.canvases) check(r.pieces > 0);
    } else {
        check(!std::filesystem::exists(path, ec));
    }
    std::filesystem::remove(path, ec);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::vector<std::pair<std::string, std::string>> seeds;
    for (int k = 0; k < 4; ++k) {
        std::string bytes;
        bytes.push_back(static_cast<char>(2 * k)); // constructions shown
        bytes.push_back(static_cast<char>(4 + k)); // vertices
        for (int i = 0; i < 40; ++i)
            bytes.push_back(static_cast<char>(5 + (i * 37 + k * 11) % 200));
        for (int i = 0; i < 24; ++i)
            bytes.push_back(static_cast<char>((i * 13 + k) % 16));
        seeds.emplace_back("cad_" + std::to_string(k), bytes);
    }
    writeSeeds(seeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TZCeiling& doc = document();
    doc.editor.mode = kModeCutting;
    doc.history.clearUndo();
    Reader in(data, size);
    fillRoom(doc, in);
    layOut(doc, in);
    AppSettings settings;
    settings.flipCutting = in.byte() % 2 == 0;
    exportOnce(doc, ".dxf", false, settings);
    exportOnce(doc, ".dxf", true, settings);
    exportOnce(doc, ".plt", false, settings);
    return 0;
}
