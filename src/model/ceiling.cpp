#include "model/ceiling.h"

#include "model/measurements.h"
#include "storage/codepage.h"

namespace tenzora {

namespace {
constexpr wchar_t kSaveQuestion[] = L"Проект был изменён. Сохранить?";
constexpr wchar_t kProgramTitle[] = L"Tenzora 1.0";
constexpr wchar_t kOldFormatSuffix[] = L" СТАРАЯ ВЕРСИЯ ФАЙЛА!";
} // namespace

TZCeiling::TZCeiling(UiServices& ui, ProgramDirectory programDir)
    : ownResources_(std::make_unique<TZProgramResources>()), resources(*ownResources_), ui_(&ui),
      programDir_(std::move(programDir)) {
    // The materials base of the program directory; a missing base is simply empty. An installed
    // program has copied the installed base into its own folder before (the application object
    // seeds it), so the base is read from and saved to the user's file.
    resources.materialBase.load(programDir_.own);
    newProject();
}

TZCeiling::TZCeiling(UiServices& ui, ProgramDirectory programDir, TZProgramResources& shared)
    : resources(shared), ui_(&ui), programDir_(std::move(programDir)) {
    newProject();
}

TZCeiling::~TZCeiling() = default;

bool TZCeiling::newProject() {
    // The question is about the project as it was: the snapshot below marks the document as
    // modified by itself, which must not make a saved project ask to be saved again.
    const bool wasModified = modified;
    takeSnapshot();
    if (polygon.count() >= 1 && wasModified && views_ != nullptr) {
        MessageRequest question{kSaveQuestion, L"", MessageIcon::Question, MessageButtons::YesNoCancel,
                                MessageAnswer::No};
        switch (ui().message(question)) {
        case MessageAnswer::Yes:
            if (!views_->saveProjectAs()) return false;
            break;
        case MessageAnswer::No:
            break;
        default:
            return false;
        }
    }
    orderDate.clear();
    orderNumber.clear();
    orderName.clear();
    client.clear();
    note.clear();
    filePath.clear();
    tensionY = -1.0;
    view.scaleX = view.scaleY = 1.0f;
    priceTag.clear();
    view.panX = view.panY = 0;
    view.gridStep = 20.0;
    sentToWork = false;

    polygon.clear();
    diagonals.clear();
    seamLines.clear();
    editor.rulerPoints.clear();
    addPoints.clear();
    dops.clear();
    holes.clear();
    photos.clear();
    // The order list and the canvas lengths belong to the constructions and the layout just
    // cleared: entries left over would reorder the next project's list and print stale canvases.
    dopHoleOrder.clear();
    canvasLengths.clear();
    canvasLengthTotal = 0;

    baseSide = -1;
    outlineFormed = false;
    editor.dragging = false;
    shownPhoto = -1;
    seamFrom = seamTo = -1;

    history.clearUndo();

    materialQuantity = 0;
    offcuts = 0;
    seamOffset = seamOffset2 = 0;
    twoDiagonals = seamPerpendicular = false;

    city = -1;
    harpoon = 0;
    currentFormat = true;
    ceilingType.clear();
    extraWorks.clear();
    rebuildTitle();
    return true;
}

bool TZCeiling::newProjectAndShow() {
    if (!newProject()) return false;
    if (views_) views_->clientSize(view.viewWidth, view.viewHeight);
    rebuildTree();
    refreshFigures();
    rebuildTitle();
    repaint();
    editor.pointTool = 0;
    editor.diagonalTool = 0;
    editor.mode = kModePoints;
    return true;
}

std::wstring TZCeiling::title() const {
    std::wstring text = kProgramTitle;
    if (!orderName.empty()) text += L" ::: " + orderName;
    if (!filePath.empty()) text += L" (" + filePath + L")";
    if (!currentFormat) text += kOldFormatSuffix;
    return text;
}

void TZCeiling::refreshFigures(bool formed) {
    figuresFormed = formed;
    editor.draggedVertex = -1;
    editor.editorVertex2 = -1;
    editor.pendingVertex = -1;
    editor.currentDiagonal = -1;
    tell(kTellFigures);
}

void TZCeiling::rebuildTree() {
    // Rebuilding the tree recognises right angles; the marks are the model's, window or not.
    markRightAngles(*this);
    tell(kTellTree);
}

void TZCeiling::repaint() {
    tell(kTellRepaint);
}

void TZCeiling::rebuildTitle() {
    tell(kTellTitle);
}

void TZCeiling::showCuttingDialog() {
    if (views_ == nullptr) return;
    tellViews();
    views_->showCuttingDialog();
}

void TZCeiling::tell(PendingView what) {
    if (views_ == nullptr) return;
    pendingViews_ |= what;
    if (changeDepth_ == 0) tellViews();
}

void TZCeiling::endChange() {
    if (changeDepth_ > 0) --changeDepth_;
    if (changeDepth_ == 0) tellViews();
}

void TZCeiling::tellViews() {
    // In a fixed order, each at most once: the tree first (rebuilding it brings the panel's fields
    // up to date), then the figures, the title and the drawing. A view that asks for a refresh
    // while it is told (the tree's rebuild repaints) is told in this loop rather than from inside
    // the call, and a refresh still to come in it is not told twice.
    ++changeDepth_;
    while (pendingViews_ != 0 && views_ != nullptr) {
        for (const PendingView what : {kTellTree, kTellFigures, kTellTitle, kTellRepaint}) {
            if ((pendingViews_ & what) == 0) continue;
            pendingViews_ &= ~unsigned(what);
            switch (what) {
            case kTellTree:
                views_->rebuildTree();
                break;
            case kTellFigures:
                views_->refreshFigures();
                break;
            case kTellTitle:
                views_->setTitle(title());
                break;
            case kTellRepaint:
                views_->repaint();
                break;
            }
            break; // again from the first: what was told may have asked for an earlier one
        }
    }
    --changeDepth_;
}

} // namespace tenzora
