#pragma once
// The refinement phase of forming: the outline is pulled towards the measured lengths by moving
// vertices along their records, one record after another, each at most `relaxPasses` times.

namespace tenzora {

class TZCeiling;

// Moves the other end of record d (b when `fixedEnd` is d's a, otherwise a) along the record to
// its measured length, then relaxes depth first, in list order, every measured record at the
// moved vertex that has been visited fewer than `relaxPasses` times. `reset` zeroes all visit
// counts first.
void relax(TZCeiling& doc, int fixedEnd, int d, bool reset);

// Gives record d `length` and pulls its end b to it from four directions in turn (along the
// record, against it, and both ways across), relaxing after each; then relaxes from b.
// Nothing for a length that is not positive.
void applyDiagonal(TZCeiling& doc, int d, double length);

// Applies up to six measured records in list order from d (the first record when d is not a
// record), stopping early once the error figure is below the goal and nothing crosses.
void refine(TZCeiling& doc, int d);

} // namespace tenzora
