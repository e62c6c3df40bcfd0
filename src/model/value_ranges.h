#pragma once
// The physical ranges of every typed value: what a measurer, a cutter or a price clerk can mean.
// A value outside its range (or not a finite number at all) is refused where it is typed, with a
// message naming the field and the range, so that no absurd number can reach a stored field, a
// figure, a file or a picture. Every reader of typed values (the window's fields and grids, the
// command line options, JSON input) takes its range from here.
//
// Lengths are in centimetres, as everywhere in the program. `lowOpen` marks a range whose lower
// bound itself is not allowed (a length of 0 is "not measured", handled before the range check).

namespace tenzora {

struct ValueRange {
    double low;
    double high;
    bool lowOpen;
    const wchar_t* unit; // shown after the bounds in the message; empty for plain numbers
};

namespace valueRange {

// A side or diagonal of a room: 100 m. The largest halls fitted with one stretched ceiling are a
// few tens of metres across; a side of several hundred metres is a typing slip, and lengths near
// the limits of a double make the forming's squares overflow to infinity.
inline constexpr ValueRange kRoomLength{0.0, 10000.0, true, L"см"};
// A distance along a side or from a corner (constructions, cutouts, seam offsets): within the
// same 100 m, and 0 is a real position (at the corner itself).
inline constexpr ValueRange kDistance{0.0, 10000.0, false, L"см"};
// The offset of the seams from the seam line: either way across the room, within 100 m.
inline constexpr ValueRange kSeamOffset{-10000.0, 10000.0, false, L"см"};
// The seam allowance in millimetres, subtracted from the roll width: a metre is far beyond any
// allowance a welded or sewn seam takes.
inline constexpr ValueRange kSeamAllowance{0.0, 1000.0, false, L"мм"};
// A distance, depth, level or arc length of a construction. Their sign carries meaning (a depth
// inward or outward), so only the size is bounded: 100 m either way.
inline constexpr ValueRange kConstructionSize{-10000.0, 10000.0, false, L"см"};
// The extra points of an arc: each becomes a vertex of the working outline.
inline constexpr ValueRange kArcPoints{0.0, 10000.0, false, L""};
// The side or diameter of a cutout (a lamp, a pipe, a niche): within the room.
inline constexpr ValueRange kCutoutSize{0.0, 10000.0, false, L"см"};
// A roll width: fabric comes in rolls up to about 5 m; 10 m leaves room for any new product.
inline constexpr ValueRange kRollWidth{0.0, 1000.0, true, L"см"};
// The tension (shrink) coefficient of a fabric: the canvas is cut smaller than the room, never
// larger, and never less than half of it.
inline constexpr ValueRange kTensionCoef{0.5, 1.0, false, L""};
// The price coefficient of offcuts: from free (0) to a hundred times the fabric's price.
inline constexpr ValueRange kOffcutCoef{0.0, 100.0, false, L""};
// A price or an amount of money: up to a billion (roubles); no ceiling costs more.
inline constexpr ValueRange kPrice{0.0, 1e9, false, L""};
// The price of an extra work: a discount is typed there as a negative amount.
inline constexpr ValueRange kExtraWorkPrice{-1e9, 1e9, false, L""};
// A receipt of material (m²): a return to the supplier is typed as a negative quantity.
inline constexpr ValueRange kReceiptQuantity{-1e6, 1e6, false, L""};
// A quantity of an extra work or of material (pieces, metres, m²): up to a million.
inline constexpr ValueRange kQuantity{0.0, 1e6, false, L""};
// A price coefficient ("%" extra works): from 0 up to a thousandfold.
inline constexpr ValueRange kCoefficient{0.0, 1000.0, false, L""};
// An area gradation of the price list, in m²: up to a million (1 km²).
inline constexpr ValueRange kAreaStep{0.0, 1e6, false, L"м²"};
// A vertex coordinate read from a file: a thousand metres either way keeps every difference,
// square and area far from overflow while covering any room drawn far from the origin.
inline constexpr ValueRange kCoordinate{-100000.0, 100000.0, false, L"см"};

// True when the value is finite and inside the range.
inline bool contains(const ValueRange& r, double v) {
    return v == v && v <= r.high && (r.lowOpen ? v > r.low : v >= r.low);
}

} // namespace valueRange

} // namespace tenzora
