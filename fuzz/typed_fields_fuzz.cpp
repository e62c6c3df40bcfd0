// The dialogs' typed fields as the core reads them: numbers in any field (with or without the
// decimal comma), the length field of the side panel, the point count of a cutout, the point
// names of a construction and the parallel side of an ellipse. Any text must read without a
// crash or an overflow into a finite number, and the records OK would store from those fields
// must come back through the dialogs' fields again.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cycling_bytes.h"
#include "editor/length_entry.h"
#include "model/construction_form.h"
#include "model/cutout_form.h"
#include "model/typed_number.h"
#include "seeds.h"
#include "storage/codepage.h"

using namespace tenzora;

namespace {

// Stops the run, naming the line whose condition failed.
#define check(ok)                                                                                            \
    do {                                                                                                     \
        if (!(ok)) {                                                                                         \
            std::fprintf(stderr, "check failed at line %d: %s\n", __LINE__, #ok);                            \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

// The input split at line feeds into the texts of the fields, read as the window's code page.
std::vector<std::wstring> fieldTexts(const std::uint8_t* data, std::size_t size) {
    std::vector<std::wstring> texts;
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            texts.push_back(codepage::fromCp1251(current));
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    texts.push_back(codepage::fromCp1251(current));
    return texts;
}

double number(const std::wstring& text) {
    const double plain = readTypedNumber(text);
    const double comma = readTypedNumber(text, DecimalComma::Accepted);
    check(std::isfinite(plain) && std::isfinite(comma));
    return comma;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    writeSeeds({{"numbers", "12,5\n-3.25e2\n  7 см\nnan\ninf\n1e308\n0x1p3\n\n"},
                {"construction", "3\nA\nC\n10\n20,5\n-15\n0\n5\n"},
                {"cutout", "2\n1\n30\nавто\n0\n360\n45\nAB\n"},
                {"names", "1\nAA\nZZZZZZZZZZZZ\nBC\n2147483647\n-1\n"}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;
    const std::vector<std::wstring> texts = fieldTexts(data, size);
    std::vector<double> numbers;
    for (const std::wstring& text : texts) {
        numbers.push_back(number(text));
        check(std::isfinite(readLengthField(text)));
        const std::int32_t count = pointCountFromText(text);
        check(count >= 0);
        check(pointCountFromText(pointCountText(count)) == count);
    }
    CyclingBytes in(data, size);
    auto field = [&](std::size_t k) -> const std::wstring& { return texts[k % texts.size()]; };
    auto value = [&](std::size_t k) { return numbers[k % numbers.size()]; };

    // The construction dialog: every kind, names and numbers from the fields.
    ConstructionFields c;
    c.kind = static_cast<std::int32_t>(in.byte() % 8) - 1;
    c.name1 = field(1);
    c.name2 = field(2);
    c.distance1 = value(3);
    c.distance2 = value(4);
    c.depth = value(5);
    c.arcLength = value(6);
    c.extra = value(7);
    const TZDop dop = recordFromFields(c, TZDop{});
    const ConstructionFields shown = fieldsFromRecord(dop);
    // A name reads back to its point (names of points far beyond any outline are capped by the
    // reader, so only those of a plausible outline are compared).
    if (dop.vertex1 < 1'000'000) check(recordFromFields(shown, dop).vertex1 == dop.vertex1);
    (void)directionWord(dop.kind, dop.depth, dop.arcLength);

    // The cutout dialog: any type and mode, the sizes, the point count and the angles.
    CutoutFields f;
    f.type = static_cast<std::int32_t>(in.byte() % 6) - 1;
    f.mode = static_cast<std::int32_t>(in.byte() % 6) - 1;
    f.size1 = value(8);
    f.pointCount = pointCountFromText(field(9));
    f.angleFrom = static_cast<std::int32_t>(std::trunc(std::fmod(value(10), 1e9)));
    f.angleTo = static_cast<std::int32_t>(std::trunc(std::fmod(value(11), 1e9)));
    f.size2 = value(12);
    f.parallelSide = field(13);
    f.turned = in.byte() % 2 == 0;
    for (int r = 0; r < in.byte() % 4; ++r) {
        TZHoleDiagonal row;
        row.vertex1 = static_cast<std::int32_t>(in.byte()) - 2;
        row.vertex2 = in.byte() % 2 == 0 ? 0x7FFFFFFF : static_cast<std::int32_t>(in.byte());
        row.distance1 = value(14 + static_cast<std::size_t>(r));
        row.distance2 = value(15 + static_cast<std::size_t>(r));
        f.rows.push_back(row);
    }
    const TZHole hole = recordFromCutoutFields(f);
    const CutoutFields again = cutoutFieldsFromRecord(hole);
    check(again.type == hole.type);
    (void)cutoutRowCount(f.type, f.mode);
    (void)cutoutSizeLabel(f.type);
    for (const TZHoleDiagonal& row : again.rows) {
        (void)rowNameText(row.vertex1);
        (void)rowDistanceText(row.distance1);
    }
    return 0;
}
