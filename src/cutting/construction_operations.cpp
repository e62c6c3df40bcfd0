#include "cutting/construction_operations.h"

#include <set>
#include <utility>

#include "cutting/layout.h"
#include "model/ceiling.h"
#include "model/forming.h"
#include "model/names.h"
#include "model/row_capture.h"
#include "model/working_outline.h"

namespace tenzora {

namespace {

constexpr wchar_t kCutoutRectangle[] = L"ВЫРЕЗ прямоугольника";
constexpr wchar_t kCutoutCircle[] = L"ВЫРЕЗ круга";
constexpr wchar_t kCutoutFree[] = L"ВЫРЕЗ";
constexpr wchar_t kCutoutEllipse[] = L"ВЫРЕЗ эллипса";

constexpr wchar_t kDisabled[] = L"ОТКЛЮЧЁН..";
constexpr wchar_t kRectangle[] = L"ВЫРЕЗ: ";
constexpr wchar_t kArc[] = L"ДУГА: ";
constexpr wchar_t kCornerCut[] = L"СРЕЗ: ";
constexpr wchar_t kTrapezoid[] = L"ТРАПЕЦИЯ: ";
constexpr wchar_t kBend[] = L"ПЕРЕГИБ: ";

// Removes the entries {type, index} and lowers the later indexes of that type by one.
void dropOrderEntries(TZCeiling& doc, std::int32_t type, int index) {
    for (int i = doc.dopHoleOrder.count() - 1; i >= 0; --i) {
        TZDopAndHole& e = doc.dopHoleOrder.at(i);
        if (e.type != type) continue;
        if (e.index == index)
            doc.dopHoleOrder.removeAt(i);
        else if (e.index > index)
            --e.index;
    }
}

} // namespace

// ---- constructions ------------------------------------------------------------------------------

int addConstruction(TZCeiling& doc, const TZDop& dop) {
    doc.takeSnapshot();
    captureRowPoints(doc);
    if (!doc.dops.append(dop)) return -1;
    const int index = doc.dops.count() - 1;
    doc.dopHoleOrder.append({kOrderConstruction, index});
    resolveRowPoints(doc);
    afterConstructionsChanged(doc);
    return index;
}

bool changeConstruction(TZCeiling& doc, int index, const TZDop& dop) {
    if (!doc.dops.checkedAt(index)) return false;
    doc.takeSnapshot();
    captureRowPoints(doc);
    doc.dops.at(index) = dop;
    resolveRowPoints(doc);
    afterConstructionsChanged(doc);
    return true;
}

bool deleteConstruction(TZCeiling& doc, int index) {
    if (!doc.dops.checkedAt(index)) return false;
    doc.takeSnapshot();
    captureRowPoints(doc);
    doc.dops.removeAt(index);
    dropOrderEntries(doc, kOrderConstruction, index);
    resolveRowPoints(doc);
    afterConstructionsChanged(doc);
    return true;
}

// ---- cutouts ------------------------------------------------------------------------------------

int addCutout(TZCeiling& doc, const TZHole& hole) {
    doc.takeSnapshot();
    if (!doc.holes.append(hole)) return -1;
    const int index = doc.holes.count() - 1;
    doc.dopHoleOrder.append({kOrderCutout, index});
    afterConstructionsChanged(doc);
    return index;
}

bool changeCutout(TZCeiling& doc, int index, const TZHole& hole) {
    if (!doc.holes.checkedAt(index)) return false;
    doc.takeSnapshot();
    doc.holes.at(index) = hole;
    afterConstructionsChanged(doc);
    return true;
}

bool deleteCutout(TZCeiling& doc, int index) {
    if (!doc.holes.checkedAt(index)) return false;
    doc.takeSnapshot();
    doc.holes.removeAt(index);
    dropOrderEntries(doc, kOrderCutout, index);
    afterConstructionsChanged(doc);
    return true;
}

// ---- after a change -------------------------------------------------------------------------------

void afterConstructionsChanged(TZCeiling& doc) {
    // The records get their computed fields (first and last points, width, radius) now, not only
    // at the next paint: the side panel's list and a save without a window read them. The cutout
    // rows are left to the paint, which rewrites a three-corner rectangle's third row, as a save
    // without a window has always kept the row as it was entered.
    WorkingOutline outline;
    regenerateWorkingOutline(doc, true, outline);
    doc.rebuildTree();
    doc.refreshFigures();
    normalize(doc);
    rerunLayoutAfterConstructionChange(doc);
    doc.repaint();
}

void rerunLayoutAfterConstructionChange(TZCeiling& doc) {
    if (doc.editor.mode != kModeCutting || doc.seamFrom < 0 || doc.seamTo < 0) return;
    // The change took its undo snapshot before it began; the layout's own snapshot would add a
    // step that restores the changed outline with the canvases of the old one.
    const bool suppressed = doc.suppressUndo;
    doc.suppressUndo = true;
    layoutCanvases(doc, doc.material, false, materialWithTension(doc));
    doc.suppressUndo = suppressed;
    // In the cutting mode the side panel's tree lists the canvases: the new ones.
    doc.rebuildTree();
}

// ---- the side panel's list ---------------------------------------------------------------------

void removeDuplicateOrderEntries(TZCeiling& doc) {
    std::set<std::pair<std::int32_t, std::int32_t>> later;
    for (int i = doc.dopHoleOrder.count() - 1; i >= 0; --i) {
        const TZDopAndHole e = doc.dopHoleOrder.at(i);
        if (!later.insert({e.type, e.index}).second) doc.dopHoleOrder.removeAt(i);
    }
}

std::wstring cutoutListText(const TZHole& hole) {
    switch (static_cast<TZHoleType>(hole.type)) {
    case TZHoleType::Rectangle:
        return kCutoutRectangle;
    case TZHoleType::Circle:
        return kCutoutCircle;
    case TZHoleType::Ellipse:
        return kCutoutEllipse;
    default:
        return kCutoutFree;
    }
}

std::wstring constructionListText(const TZDop& dop) {
    std::wstring text;
    switch (static_cast<TZDopKind>(dop.kind)) {
    case TZDopKind::Rectangle:
        text = kRectangle;
        break;
    case TZDopKind::Arc:
        text = kArc;
        break;
    case TZDopKind::CornerCut:
        text = kCornerCut;
        break;
    case TZDopKind::Trapezoid:
        text = kTrapezoid;
        break;
    case TZDopKind::Bend:
        text = kBend;
        break;
    default:
        text = kDisabled;
        break;
    }
    if (dop.firstPointIndex >= 0 && dop.lastPointIndex >= 0)
        text += vertexName(dop.firstPointIndex) + vertexName(dop.lastPointIndex);
    else
        text += vertexName(dop.vertex1) + vertexName(dop.vertex2);
    return text;
}

std::vector<OrderListLine> orderListLines(TZCeiling& doc) {
    removeDuplicateOrderEntries(doc);
    WorkingOutline outline;
    buildWorkingOutline(doc, true, outline);
    std::vector<OrderListLine> lines;
    for (const TZDopAndHole& e : doc.dopHoleOrder) {
        if (e.type == kOrderConstruction) {
            if (const TZDop* dop = outline.construction(e.index))
                lines.push_back({e.type, e.index, constructionListText(*dop)});
        } else if (e.type == kOrderCutout) {
            if (const TZHole* hole = doc.holes.checkedAt(e.index))
                lines.push_back({e.type, e.index, cutoutListText(*hole)});
        }
    }
    return lines;
}

} // namespace tenzora
