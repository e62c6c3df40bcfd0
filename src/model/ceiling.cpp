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
    : ui_(&ui), programDir_(std::move(programDir)) {
    // The materials base of the program directory; a missing base is simply empty. An installed
    // program has copied the installed base into its own folder before (the application object
    // seeds it), so the base is read from and saved to the user's file.
    materialBase.load(programDir_.own);
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
    scaleX = scaleY = 1.0f;
    priceTag.clear();
    panX = panY = 0;
    gridStep = 20.0;
    sentToWork = false;

    polygon.clear();
    diagonals.clear();
    seamLines.clear();
    rulerPoints.clear();
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
    dragging = false;
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
    if (views_) views_->clientSize(viewWidth, viewHeight);
    rebuildTree();
    refreshFigures();
    rebuildTitle();
    repaint();
    pointTool = 0;
    diagonalTool = 0;
    mode = kModePoints;
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
    draggedVertex = -1;
    editorVertex2 = -1;
    pendingVertex = -1;
    currentDiagonal = -1;
    if (views_) views_->refreshFigures();
}

void TZCeiling::rebuildTree() {
    // Rebuilding the tree recognises right angles; the marks are the model's, window or not.
    markRightAngles(*this);
    if (views_) views_->rebuildTree();
}

void TZCeiling::repaint() {
    if (views_) views_->repaint();
}

void TZCeiling::rebuildTitle() {
    if (views_) views_->setTitle(title());
}

} // namespace tenzora
