// Constructions and cutouts come from project files and typed fields: the working outline and the
// cutout polygons must be built from any records (any indexes, distances, depths, counts, NaN,
// huge numbers, thousands of records) without a crash, an overflow of their fixed capacity or a
// hang, and the document operations must keep the order list consistent.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "cutting/construction_operations.h"
#include "cycling_bytes.h"
#include "model/ceiling.h"
#include "model/construction_form.h"
#include "model/cutouts.h"
#include "model/outline_figures.h"
#include "model/row_capture.h"
#include "model/working_outline.h"

using namespace tenzora;

namespace {

// Reads the input as a stream of small fields.
class Reader : public CyclingBytes {
  public:
    using CyclingBytes::CyclingBytes;
    std::int32_t index(int around) {
        const std::uint8_t b = byte();
        if (b >= 250) return 0x7FFFFF00 + static_cast<std::int32_t>(b); // far beyond anything
        if (b >= 240) return -static_cast<std::int32_t>(b);
        return static_cast<std::int32_t>(b % (around + 3)) - 1;
    }
    double number() {
        const std::uint8_t b = byte();
        switch (b % 16) {
        case 0:
            return std::numeric_limits<double>::quiet_NaN();
        case 1:
            return std::numeric_limits<double>::infinity();
        case 2:
            return -1e300;
        case 3:
            return 1e300;
        case 4:
            return 0.0;
        case 5:
            return 0.05;
        default:
            return (static_cast<double>(byte()) - 96.0) * (b % 3 == 0 ? 0.25 : 4.0);
        }
    }
    std::int32_t smallInt() {
        const std::uint8_t b = byte();
        if (b == 255) return std::numeric_limits<std::int32_t>::max();
        if (b == 254) return std::numeric_limits<std::int32_t>::min();
        return static_cast<std::int32_t>(b % 24) - 4;
    }
};

TZCeiling& document() {
    static SilentUiServices ui;
    static TZCeiling doc(ui, std::filesystem::temp_directory_path());
    return doc;
}

void fill(TZCeiling& doc, Reader& in) {
    doc.polygon.clear();
    doc.dops.clear();
    doc.holes.clear();
    doc.dopHoleOrder.clear();
    const int vertices = 3 + in.byte() % 40;
    for (int i = 0; i < vertices; ++i) {
        Vertex v;
        v.x = in.byte() % 8 == 0 ? in.number() : 10.0 * in.byte();
        v.y = in.byte() % 8 == 0 ? in.number() : 10.0 * in.byte();
        doc.polygon.append(v);
    }
    // Now and then over a thousand constructions: most are skipped once the outline is full.
    const int constructions = (in.byte() % 8 == 0) ? 200 + 4 * in.byte() : in.byte() % 12;
    for (int i = 0; i < constructions; ++i) {
        TZDop d;
        d.kind = static_cast<std::int32_t>(in.byte() % 8);
        d.vertex1 = in.index(vertices + 2 * i);
        d.vertex2 = in.index(vertices + 2 * i);
        d.distance1 = in.number();
        d.distance2 = in.number();
        d.depth = in.number();
        d.depth2 = in.number();
        d.arcLength = in.number();
        d.extraPoints = in.smallInt();
        doc.dops.append(d);
        doc.dopHoleOrder.append({kOrderConstruction, in.index(constructions)});
    }
    const int cutouts = in.byte() % 6;
    for (int i = 0; i < cutouts; ++i) {
        TZHole h;
        h.type = static_cast<std::int32_t>(in.byte() % 6);
        h.mode = static_cast<std::int32_t>(in.byte() % 11);
        h.size1 = in.number();
        h.pointCount = in.byte() % 5 == 0 ? in.smallInt() : (in.byte() % 2 ? 0 : 10 * in.byte());
        h.angleFrom = in.byte() % 9 == 0 ? in.smallInt() : (in.byte() % 30) * 15;
        h.angleTo = in.byte() % 9 == 0 ? in.smallInt() : (in.byte() % 30) * 15;
        const int rows = in.byte() % 5;
        for (int r = 0; r < rows; ++r) {
            TZHoleDiagonal row;
            row.vertex1 = in.index(vertices + 4);
            row.vertex2 = in.index(vertices + 4);
            row.distance1 = in.number();
            row.distance2 = in.number();
            h.rows.append(row);
        }
        doc.holes.append(h);
        doc.dopHoleOrder.append({kOrderCutout, in.index(cutouts)});
    }
}

void check(bool ok) {
    if (!ok) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Seeds: a few small byte patterns that describe rooms with constructions of each kind.
    if (const char* dir = std::getenv("TENZORA_FUZZ_SEEDS")) {
        std::filesystem::create_directories(dir);
        for (int k = 0; k < 8; ++k) {
            std::string seed;
            seed.push_back(static_cast<char>(4));
            for (int i = 0; i < 24; ++i)
                seed.push_back(static_cast<char>((i * 37 + k * 11) & 0xFF));
            seed.push_back(static_cast<char>(k % 4));
            for (int i = 0; i < 40; ++i)
                seed.push_back(static_cast<char>((i * 13 + k) % 7 + k));
            std::ofstream(std::filesystem::path(dir) / ("constructions_" + std::to_string(k)),
                          std::ios::binary)
                << seed;
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TZCeiling& doc = document();
    doc.suppressUndo = true;
    Reader in(data, size);
    fill(doc, in);

    static WorkingOutline outline;
    static TZHolesArray holes;
    for (bool apply : {false, true}) {
        const int n = regenerateWorkingOutline(doc, apply, outline, in.byte() % 2 == 0);
        check(n == outline.count() && n <= kWorkingOutlineCapacity && n >= 0);
        check(doc.bendPieces.count() <= 2 * kMaxFoldLines);
        check(outline.cutMarks().size() == static_cast<std::size_t>(doc.polygon.count()));
        for (const TZDop& d : doc.dops) {
            check(d.firstPointIndex >= -1 && d.firstPointIndex < n);
            check(d.lastPointIndex >= -1 && d.lastPointIndex < n);
        }
        const int total = regenerateCutouts(doc, outline, holes);
        check(total == holes.totalPoints() && total <= kCutoutPointCapacity);
        check(holes.cutoutCount() == doc.holes.count());
    }
    (void)constructionFigures(doc, true);
    captureRowPoints(doc);
    resolveRowPoints(doc);

    const auto lines = orderListLines(doc);
    check(static_cast<int>(lines.size()) <= doc.dopHoleOrder.count());
    if (!doc.dops.empty()) {
        const TZDop changed = recordFromFields(fieldsFromRecord(doc.dops.at(0)), doc.dops.at(0));
        changeConstruction(doc, 0, changed);
        deleteConstruction(doc, doc.dops.count() / 2);
    }
    if (!doc.holes.empty()) deleteCutout(doc, 0);
    return 0;
}
