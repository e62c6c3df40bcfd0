// Forming and the outline operations on any outline and any records: lengths of 0, negative,
// huge or not a number (as a damaged file may hold them), indexes that name no vertex, typed
// names and lengths. Nothing may crash or hang.
//
// Input: vertex count, record count, switches, the vertices, the records, then operations.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/length_entry.h"
#include "fresh_project.h"
#include "model/ceiling.h"
#include "model/forming.h"
#include "model/forming_commands.h"
#include "model/measurements.h"
#include "model/names.h"
#include "model/records.h"
#include "model/shape_wizard.h"
#include "model/shapes.h"
#include "platform/ui_services.h"

using namespace tenzora;

namespace {

// Sizes stay small so that every run is quick (forming a large outline takes milliseconds, a
// thousand times that under the sanitizers); what matters is the variety.
constexpr int kMaxVertices = 24;
constexpr int kMaxRecords = 48;
constexpr int kMaxOperations = 4;
constexpr int kMaxGenerated = 32;

class Reader {
  public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::int16_t int16() {
        const auto lo = byte();
        const auto hi = byte();
        return static_cast<std::int16_t>(lo | (hi << 8));
    }
    double raw() {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits |= static_cast<std::uint64_t>(byte()) << (8 * i);
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    std::wstring text() {
        std::wstring s;
        const int n = byte() % 8;
        for (int i = 0; i < n; ++i)
            s.push_back(static_cast<wchar_t>(byte()));
        return s;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// The inverse of the reader, for the seeds.
struct Writer {
    std::string bytes;
    void byte(int v) { bytes.push_back(static_cast<char>(v)); }
    void int16(int v) {
        byte(v & 0xFF);
        byte((v >> 8) & 0xFF);
    }
};

void readOutline(Reader& in, TZCeiling& doc) {
    const int n = in.byte() % (kMaxVertices + 1);
    const int records = in.byte() % (kMaxRecords + 1);
    const std::uint8_t switches = in.byte();
    doc.constructionMethod = switches % 3;
    doc.stepMode = (switches & 4) != 0;
    doc.showConstructions = (switches & 8) != 0;
    doc.editor.mode = (switches & 16) ? kModeCutting : kModePoints;
    doc.polygon.defined = (switches & 32) == 0;
    for (int i = 0; i < n; ++i) {
        const std::uint8_t kind = in.byte();
        Vertex v;
        if (kind % 16 == 15) {
            v.x = in.raw();
            v.y = in.raw();
        } else {
            v.x = in.int16();
            v.y = in.int16();
        }
        v.rightAngle = (kind >> 4) & 1;
        v.sidePreference = (kind >> 5) % 3;
        doc.polygon.append(v);
    }
    for (int k = 0; k < records; ++k) {
        Diagonal d;
        d.a = in.byte() % (n + 4) - 2;
        d.b = in.byte() % (n + 4) - 2;
        switch (const std::uint8_t kind = in.byte(); kind % 8) {
        case 0:
            d.length = 0;
            break;
        case 1:
            d.length = -static_cast<double>(kind);
            break;
        case 2:
            d.length = in.raw();
            break;
        default:
            d.length = static_cast<std::uint16_t>(in.int16()) / 10.0;
            break;
        }
        d.isSide = in.byte() & 1;
        doc.diagonals.append(d);
    }
}

void runOperation(Reader& in, TZCeiling& doc) {
    const int n = doc.polygon.count();
    const auto vertex = [&] { return static_cast<int>(in.byte() % (n + 2)) - 1; };
    switch (in.byte() % 14) {
    case 0:
        formProject(doc, static_cast<int>(in.byte()) - 1);
        break;
    case 1:
        formProjectCommand(doc);
        break;
    case 2:
        enterLength(doc, in.text(), in.text());
        break;
    case 3:
        deleteVertex(doc, vertex());
        break;
    case 4: {
        const int p = vertex();
        insertVertexOnSide(doc, makeVertex(in.int16(), in.int16()), p, p + 1);
        break;
    }
    case 5:
        suggestNextRecord(doc);
        break;
    case 6:
        toggleRightAngle(doc, pairName(vertex(), vertex()));
        break;
    case 7:
        setTriangleSide(doc, pairName(vertex(), vertex()), in.byte() % 3);
        break;
    case 8:
        correctDiagonals(doc);
        break;
    case 9:
        normalize(doc);
        break;
    case 10:
        setDiagonalByName(doc, in.text(), in.int16());
        break;
    case 11: {
        const auto kind = static_cast<ShapeKind>(in.byte() % 3);
        generateShape(doc, kind, in.byte() % kMaxGenerated, in.int16(), in.int16(), in.int16(), in.int16());
        break;
    }
    case 12:
        generateRegularPolygon(doc, in.text());
        break;
    case 13: {
        WizardFields f;
        f.ellipseX = in.text();
        f.ellipseY = in.text();
        f.ellipsePoints = std::to_wstring(in.byte() % kMaxGenerated);
        wizardOk(doc, WizardShape::Ellipse, f);
        break;
    }
    }
}

void measureEverything(TZCeiling& doc) {
    for (bool placedOnly : {false, true}) {
        doc.placedOnly = placedOnly;
        (void)errorFigure(doc, true);
        (void)crossingCount(doc);
        (void)outlineArea(doc);
    }
    doc.placedOnly = false;
    (void)displayedError(doc);
    (void)netArea(doc);
    (void)perimeter(doc);
    for (int v = 0; v < doc.polygon.count(); ++v) {
        (void)cornerAngleText(doc, v);
        (void)recogniseRightAngle(doc, v);
    }
    for (const Diagonal& d : doc.diagonals)
        (void)lengthText(doc, &d, true);
}

void writeSeed(const std::filesystem::path& folder, const std::string& name, const Writer& w) {
    std::ofstream(folder / name, std::ios::binary) << w.bytes;
}

// A measured ring of corners with the given diagonals (pairs of indexes), then one operation.
Writer room(const std::vector<std::pair<int, int>>& corners,
            const std::vector<std::pair<int, int>>& diagonals, int method, int operation) {
    Writer w;
    const int n = static_cast<int>(corners.size());
    w.byte(n);
    w.byte(n + static_cast<int>(diagonals.size()));
    w.byte(method);
    for (auto [x, y] : corners) {
        w.byte(0);
        w.int16(x);
        w.int16(y);
    }
    const auto record = [&](int a, int b) {
        w.byte(a + 2);
        w.byte(b + 2);
        w.byte(3);
        const double length =
            std::hypot(corners[a].first - corners[b].first, corners[a].second - corners[b].second);
        w.int16(static_cast<int>(length * 10));
        w.byte(0);
    };
    for (int i = 0; i < n; ++i)
        record(i, (i + 1) % n);
    for (auto [a, b] : diagonals)
        record(a, b);
    w.byte(operation);
    return w;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* folder = std::getenv("TENZORA_FUZZ_SEEDS");
    if (folder == nullptr) return 0;
    const std::filesystem::path seeds(folder);
    std::filesystem::create_directories(seeds);
    writeSeed(seeds, "rectangle", room({{0, 0}, {0, 300}, {400, 300}, {400, 0}}, {{0, 2}}, 0, 0));
    writeSeed(seeds, "l-shape",
              room({{0, 0}, {600, 0}, {600, 300}, {300, 300}, {300, 500}, {0, 500}}, {{0, 3}, {1, 3}, {3, 5}},
                   1, 1));
    std::vector<std::pair<int, int>> ring;
    std::vector<std::pair<int, int>> fan;
    constexpr int kFanCorners = 20;
    for (int i = 0; i < kFanCorners; ++i) {
        const double t = 2 * 3.141592653589793 * i / kFanCorners;
        ring.push_back({static_cast<int>(500 * std::cos(t)), static_cast<int>(300 * std::sin(t))});
        if (i >= 2 && i < kFanCorners - 1) fan.push_back({0, i});
    }
    writeSeed(seeds, "fan", room(ring, fan, 2, 1));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One document, made once (its undo buffers are costly) and reset before each input, so each
    // input starts from the same state.
    static SilentUiServices ui;
    static TZCeiling doc(ui, kNoProgramDir);
    resetToFreshEditing(doc);
    Reader in(data, size);
    readOutline(in, doc);
    for (int i = 0; i < kMaxOperations; ++i)
        runOperation(in, doc);
    measureEverything(doc);
    // Whatever happened, every record still names its pair by two indexes and the proposal, if
    // any, reads back as a pair.
    const std::wstring next = suggestNextRecord(doc);
    if (!next.empty() && !parsePairName(next)) std::abort();
    return 0;
}
