#include "app/command_rules.h"

#include <string_view>

#include "app/command_effects.h"
#include "app/command_ids.h"
#include "model/ceiling.h"
#include "model/settings.h"

namespace tenzora {

namespace {

// The triangle commands look at the selected tree row after its first two characters (the row
// begins with the vertex name).
constexpr std::size_t kRowNameLength = 2;
constexpr std::wstring_view kOutwardMark = L"НАРУЖУ";
constexpr std::wstring_view kInwardMark = L"ВНУТРЬ";
constexpr std::wstring_view kRightAngleMark = L" L";

bool rowHas(const std::wstring& row, std::wstring_view mark) {
    return row.size() > kRowNameLength && row.find(mark, kRowNameLength) != std::wstring::npos;
}

CommandState checkedIf(bool on) {
    return {true, on};
}

// The triangle commands keep their marks in the start mode and while no row is selected.
CommandState triangleRule(int id, const CommandInputs& in) {
    if (in.doc.editor.mode == kModeStart || !in.ui.selectedTreeRow) return {true, std::nullopt};
    const std::wstring& row = *in.ui.selectedTreeRow;
    const bool outward = rowHas(row, kOutwardMark);
    const bool inward = rowHas(row, kInwardMark);
    switch (id) {
    case cmd::kTriangleOutward:
        return checkedIf(outward);
    case cmd::kTriangleInward:
        return checkedIf(inward);
    case cmd::kTriangleAuto:
        return checkedIf(!outward && !inward);
    default:
        return checkedIf(rowHas(row, kRightAngleMark));
    }
}

CommandState accuracyRule(double accuracy, const CommandInputs& in) {
    // The class matters only while red marking is on. Exact comparison: the value is only ever
    // set from these same constants (or read back from a file that stored them).
    return {in.doc.markSides || in.doc.markDiagonals, in.doc.accuracyClass == accuracy};
}

} // namespace

CommandState commandRule(int id, const CommandInputs& in) {
    const TZCeiling& doc = in.doc;
    switch (id) {
    case cmd::kFormProject:
    case cmd::kCheckMeasurements:
        return {doc.diagonals.count() > 0 && doc.polygon.defined, false};

    case cmd::kStepMode:
        return checkedIf(doc.stepMode);
    case cmd::kTriangleOutward:
    case cmd::kTriangleInward:
    case cmd::kTriangleAuto:
    case cmd::kRightAngle:
        return triangleRule(id, in);

    case cmd::kEditPoints:
        return checkedIf(doc.editor.mode == kModePoints && doc.editor.pointTool == 0);
    case cmd::kInsertPoints:
        return checkedIf(doc.editor.mode == kModePoints && doc.editor.pointTool == 1);
    case cmd::kDeletePoints:
        return checkedIf(doc.editor.mode == kModePoints && doc.editor.pointTool == 3);
    case cmd::kInsertDiagonal:
        return checkedIf(doc.editor.mode == kModeDiagonals && doc.editor.diagonalTool == 0);
    case cmd::kSelectDiagonal:
        return checkedIf(doc.editor.mode == kModeDiagonals && doc.editor.diagonalTool == 1);
    case cmd::kDeleteDiagonal:
        return checkedIf(doc.editor.mode == kModeDiagonals && doc.editor.diagonalTool == 2);
    case cmd::kCutting:
        return checkedIf(doc.editor.mode == kModeCutting);
    case cmd::kRuler:
        return checkedIf(doc.editor.mode == kModeRuler);
    case cmd::kPan:
        return checkedIf(doc.editor.dragging);

    case cmd::kShowPoints:
        return checkedIf(doc.view.showPointNames);
    case cmd::kShowLengths:
        return checkedIf(doc.view.showLengths);
    case cmd::kShowConstructions:
        return checkedIf(doc.showConstructions);
    case cmd::kShowAngles:
        return checkedIf(doc.view.showAngles);
    case cmd::kShowGrid:
        return checkedIf(doc.view.showGrid);
    case cmd::kSnapToGrid:
        return checkedIf(doc.view.snapToGrid);
    case cmd::kDragUpdatesSides:
        return checkedIf(doc.dragUpdatesSides);
    case cmd::kDragUpdatesDiagonals:
        return checkedIf(doc.dragUpdatesDiagonals);
    case cmd::kMarkSides:
        return checkedIf(doc.markSides);
    case cmd::kMarkDiagonals:
        return checkedIf(doc.markDiagonals);
    case cmd::kShowCanvasDistances:
        // The dealer variant of the layout has no canvas distances to show.
        if (in.settings.dealerMode) return {false, std::nullopt};
        return checkedIf(doc.view.showCanvasDistances);
    case cmd::kDealerMode:
        return checkedIf(in.settings.dealerMode);

    case cmd::kAccuracy10:
        return accuracyRule(kAccuracyClass10, in);
    case cmd::kAccuracy5:
        return accuracyRule(kAccuracyClass5, in);
    case cmd::kAccuracy2:
        return accuracyRule(kAccuracyClass2, in);

    case cmd::kMethodDouble:
        return checkedIf(doc.constructionMethod == 0);
    case cmd::kMethodTriangles:
        return checkedIf(doc.constructionMethod == 1);
    case cmd::kMethodDifferential:
        return checkedIf(doc.constructionMethod == 2);

    case cmd::kBarMain:
        return checkedIf(in.ui.mainToolbarVisible);
    case cmd::kBarEditing:
        return checkedIf(in.ui.pointsToolbarVisible);
    case cmd::kBarSidePanel:
        return checkedIf(in.ui.sidePanelVisible);
    case cmd::kBarTriangles:
        return {false, false};

    default:
        return {true, false};
    }
}

} // namespace tenzora
