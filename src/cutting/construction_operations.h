#pragma once
// What the construction and cutout dialogs do to the document when their OK or "Удалить" is
// pressed, and the lines of the side panel's list of constructions and cutouts.
//
// Every change takes an undo snapshot first and ends with afterConstructionsChanged(). Changes
// that renumber the working outline (any change of a construction) capture the cutout rows
// before and resolve them after, so that a cutout keeps measuring from the same points.

#include <string>
#include <vector>

#include "model/construction.h"
#include "model/cutout.h"

namespace tenzora {

class TZCeiling;

// Appends a new construction with its order-list entry; returns its index (−1 when memory ran
// out, the document then unchanged but for the snapshot).
int addConstruction(TZCeiling& doc, const TZDop& dop);
// Replaces stored construction `index`; false (nothing done) for an index out of range.
bool changeConstruction(TZCeiling& doc, int index, const TZDop& dop);
// Removes construction `index`, its order-list entries, and lowers the later construction
// indexes of the order list; false for an index out of range.
bool deleteConstruction(TZCeiling& doc, int index);

// The same for cutouts.
int addCutout(TZCeiling& doc, const TZHole& hole);
bool changeCutout(TZCeiling& doc, int index, const TZHole& hole);
bool deleteCutout(TZCeiling& doc, int index);

// The end of every change above: the side panel and the drawing are refreshed, the outline is
// re-placed and, in cutting mode with a chosen seam side, the cutting layout is run again.
void afterConstructionsChanged(TZCeiling& doc);
// The cutting layout re-run of afterConstructionsChanged(): does what it must only in cutting
// mode with a seam side chosen.
void rerunLayoutAfterConstructionChange(TZCeiling& doc);

// Removes repeated order-list entries: walking from the last to the first, an entry equal to a
// later one goes.
void removeDuplicateOrderEntries(TZCeiling& doc);

// One line of the side panel's list and the record it opens.
struct OrderListLine {
    std::int32_t type = kOrderConstruction; // kOrderConstruction or kOrderCutout
    std::int32_t index = 0;
    std::wstring text;
};
// The list: duplicates removed from the order list, then one line per entry whose record
// exists, in order. The first and last point names come from the working outline with
// constructions (built here), as the drawing labels them.
std::vector<OrderListLine> orderListLines(TZCeiling& doc);

// "ВЫРЕЗ прямоугольника", "ВЫРЕЗ круга", "ВЫРЕЗ", "ВЫРЕЗ эллипса" by type.
std::wstring cutoutListText(const TZHole& hole);
// The kind's word ("ВЫРЕЗ: ", "ДУГА: ", …) followed by the names of the first and last points,
// or of vertex1 and vertex2 when those are not known.
std::wstring constructionListText(const TZDop& dop);

} // namespace tenzora
