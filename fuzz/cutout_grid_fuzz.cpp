// The cutout dialog's grid: any text typed into any cell, the row buttons on any row and the
// distance converter with any side name and any typed distance must neither crash nor leave a
// row the grid cannot show.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cycling_bytes.h"
#include "model/ceiling.h"
#include "model/cutout_grid.h"
#include "platform/ui_services.h"
#include "storage/codepage.h"

using namespace tenzora;

namespace {

std::wstring text(CyclingBytes& in) {
    std::string bytes;
    const int length = in.byte() % 12;
    for (int i = 0; i < length; ++i)
        bytes += static_cast<char>(in.byte());
    return codepage::fromCp1251(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CyclingBytes in(data, size);
    // A document is costly to make (its undo buffers) and the grid only reads its outline, so one
    // is made once and given the same four corners before each input.
    static SilentUiServices ui;
    static TZCeiling doc(ui, {});
    doc.polygon.clear();
    for (auto [x, y] : {std::pair{0.0, 0.0}, {400.0, 0.0}, {400.0, 300.0}, {0.0, 300.0}}) {
        Vertex v;
        v.x = x;
        v.y = y;
        doc.polygon.append(v);
    }
    std::vector<TZHoleRow> rows(in.byte() % 5);
    const int steps = 1 + std::min<std::size_t>(size, 64);
    for (int step = 0; step < steps; ++step) {
        const int row = static_cast<int>(in.byte() % 8) - 1;
        switch (in.byte() % 5) {
        case 0:
            if (row >= 0 && row < static_cast<int>(rows.size())) {
                std::wstring typed = text(in);
                editCutoutCell(rows[static_cast<std::size_t>(row)], in.byte() % kCutoutGridColumns, typed);
            }
            break;
        case 1:
            moveCutoutRow(rows, row, in.byte() % 2 == 0);
            break;
        case 2:
            deleteCutoutRow(rows, row, in.byte() % 2 == 0);
            break;
        case 3:
            if (row >= 0 && row < static_cast<int>(rows.size())) {
                TZHoleRow& r = rows[static_cast<std::size_t>(row)];
                (void)converterSides(r, doc.polygon.count());
                convertRowDistances(doc, r, text(in), text(in));
                if (!std::isfinite(r.distance1) || !std::isfinite(r.distance2)) std::abort();
            }
            break;
        default:
            rows.push_back(TZHoleRow{});
            break;
        }
        for (int r = 0; r < static_cast<int>(rows.size()); ++r)
            for (int c = 0; c < kCutoutGridColumns; ++c)
                (void)cutoutCellText(rows, r, c);
    }
    return 0;
}
