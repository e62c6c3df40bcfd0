// The cutting layout runs on outlines, constructions and cutouts read from project files and on
// numbers and names typed into the cutting dialog: any outline (NaN, huge, collinear, repeated
// points), any seam choice (indexes beyond the points, the same point twice, two diagonals) and
// any roll (0, negative, NaN, tiny against a huge room) must give no crash, no hang and no
// unbounded memory, and the outputs must stay within what a project file can hold.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "cutting/canvas_pieces.h"
#include "cutting/cutting_dialog.h"
#include "cutting/layout.h"
#include "cycling_bytes.h"
#include "fuzzed_room.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "seeds.h"
#include "storage/codepage.h"

using namespace tenzora;

namespace {

// Reads the input as a stream of small fields.
class Reader : public CyclingBytes {
  public:
    using CyclingBytes::CyclingBytes;
    // Mostly ordinary room sizes, now and then something absurd.
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
            return -1e12;
        case 4:
            return 0.0;
        default:
            return 10.0 * byte() + 0.5 * (b % 3);
        }
    }
    double roll() {
        const std::uint8_t b = byte();
        switch (b % 16) {
        case 0:
            return 0.0;
        case 1:
            return -320.0;
        case 2:
            return std::numeric_limits<double>::quiet_NaN();
        case 3:
            return 1e300;
        case 4:
            return 1e-300;
        case 5:
            return 0.5;
        default:
            return 50.0 + 10.0 * byte();
        }
    }
    double tension() {
        const std::uint8_t b = byte();
        switch (b % 12) {
        case 0:
            return 0.0;
        case 1:
            return -0.93;
        case 2:
            return std::numeric_limits<double>::infinity();
        case 3:
            return 1e-200;
        default:
            return 0.8 + 0.01 * (b % 20);
        }
    }
    std::int32_t index(int count) {
        const std::uint8_t b = byte();
        if (b >= 250) return 0x7FFFFFF0;
        if (b >= 244) return -1;
        return static_cast<std::int32_t>(b % (count + 3));
    }
    // A typed field: digits, commas, signs, letters of both alphabets, blanks.
    std::wstring text() {
        static const wchar_t kChars[] = L"0123456789,.-+ eEABCDZ1йЁ\t";
        const int length = byte() % 12;
        std::wstring t;
        for (int i = 0; i < length; ++i)
            t.push_back(kChars[byte() % (sizeof kChars / sizeof kChars[0] - 1)]);
        return t;
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
    doc.showConstructions = in.byte() % 2 == 0;
    const int vertices = in.byte() % 8 == 0 ? 200 + in.byte() * 3 : in.byte() % 12;
    for (int i = 0; i < vertices; ++i)
        doc.polygon.append(makeVertex(in.coordinate(), in.coordinate()));
    doc.polygon.defined = vertices > 0;
    for (int i = 0; i < vertices && i < 40; ++i) {
        Diagonal d;
        d.a = i;
        d.b = (i + 1) % vertices;
        d.length = in.byte() % 2 ? 0.0 : in.coordinate();
        d.isSide = 1;
        doc.diagonals.append(d);
    }
    appendFuzzedConstructionsAndCutouts(doc, in, vertices);
}

void chooseSeams(TZCeiling& doc, Reader& in) {
    const int n = doc.polygon.count() + 8;
    doc.seamFrom = in.index(n);
    doc.seamTo = in.index(n);
    doc.seamFrom2 = in.index(n);
    doc.seamTo2 = in.index(n);
    doc.twoDiagonals = in.byte() % 4 == 0;
    doc.seamPerpendicular = in.byte() % 3 == 0;
    doc.seamOffset = in.byte() % 4 == 0 ? in.coordinate() : -5.0 * in.byte();
    doc.seamOffset2 = in.coordinate();
    doc.seamWidth = in.byte() % 8 == 0 ? 320 : in.byte() % 30;
    doc.tensionY = in.byte() % 3 == 0 ? in.tension() : -1.0;
}

void checkOutputs(const TZCeiling& doc) {
    check(doc.seamLines.count() <= 2 * kMaxSeamLines);
    check(doc.seamLines.count() % 2 == 0);
    check(doc.addPoints.count() <= kMaxCrossings);
    check(std::isfinite(doc.materialQuantity) && doc.materialQuantity >= 0);
    check(doc.canvasLengths.count() <= kMaxSeamLines);
}

void runDialog(TZCeiling& doc, Reader& in) {
    doc.resources.materialBase.clear();
    Material group;
    group.id = 1;
    group.isGroup = 1;
    group.name = "MSD";
    doc.resources.materialBase.append(group);
    Material fabric;
    fabric.id = 2;
    fabric.groupId = 1;
    fabric.name = codepage::toCp1251(L"Белый");
    fabric.width = in.roll();
    fabric.stock = in.byte() % 2 ? 0.0 : in.coordinate();
    doc.resources.materialBase.append(fabric);

    AppSettings settings;
    CuttingDialog dialog(doc, settings);
    dialog.setVisible(true);
    for (int step = 0; step < 6; ++step) {
        CuttingDialogFields& f = dialog.fields();
        switch (in.byte() % 10) {
        case 0:
            f.seamSide = in.text();
            dialog.seamSideEdited();
            break;
        case 1:
            f.width = in.text();
            f.tension = in.text();
            break;
        case 2:
            f.offset = in.text();
            f.offset2 = in.text();
            f.seams = in.text();
            break;
        case 3:
            f.tensionY = in.text();
            f.secondDiagonal = in.text();
            f.twoDiagonals = in.byte() % 2;
            break;
        case 4:
            dialog.offsetButton(static_cast<OffsetButton>(in.byte() % 3));
            break;
        case 5:
            dialog.sides().selected = in.index(doc.diagonals.count());
            dialog.sideChosen();
            break;
        case 6:
            dialog.fabrics().selected = in.index(2);
            dialog.fabricChosen();
            break;
        case 7:
            dialog.fabricTypes().selected = in.index(2);
            dialog.fabricTypeChosen();
            break;
        case 8:
            dialog.ok();
            dialog.setVisible(true);
            break;
        default:
            // The optimiser runs n·(n−1) layouts: only on small rooms here.
            if (doc.polygon.count() <= 6) dialog.optimiseSeamSide();
            break;
        }
        checkOutputs(doc);
    }
    check(!doc.suppressUndo);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::vector<std::pair<std::string, std::string>> seeds;
    for (int k = 0; k < 6; ++k) {
        std::string bytes;
        bytes.push_back(static_cast<char>(k)); // constructions shown or not
        bytes.push_back(static_cast<char>(4 + k));
        for (int i = 0; i < 40; ++i)
            bytes.push_back(static_cast<char>(5 + (i * 37 + k * 11) % 200));
        for (int i = 0; i < 24; ++i)
            bytes.push_back(static_cast<char>((i * 13 + k) % 16));
        seeds.emplace_back("layout_" + std::to_string(k), bytes);
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
    chooseSeams(doc, in);

    Material material;
    material.width = in.roll();
    material.tensionCoef = in.tension();
    material.offcutPriceCoef = in.coordinate();
    doc.material = material;
    layoutCanvases(doc, material, in.byte() % 2 == 0, in.byte() % 2 == 0);
    checkOutputs(doc);
    for (const CanvasPiece& piece : canvasPieces(doc))
        check(piece.points.size() == piece.indexes.size());

    runDialog(doc, in);
    return 0;
}
