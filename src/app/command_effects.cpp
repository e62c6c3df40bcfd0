#include "app/command_effects.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "app/command_ids.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "platform/clock.h"

namespace tenzora {

namespace {

constexpr wchar_t kAddPhotoText[] = L"Добавить фото ...";
constexpr wchar_t kHidePhotoText[] = L"Убрать фото с экрана";

// Leaves tool selection and the like alone before anything has been entered.
bool editable(const TZCeiling& doc) {
    return doc.editor.mode != kModeStart;
}

} // namespace

std::wstring orderDateText(const LocalTime& time) {
    wchar_t text[32];
    std::swprintf(text, std::size(text), L"%02d.%02d.%04d", time.day, time.month, time.year);
    return text;
}

bool runNewProject(TZCeiling& doc, Clock& clock) {
    const LocalTime started = clock.now();
    if (!doc.newProjectAndShow()) return false;
    doc.orderDate = orderDateText(started);
    return true;
}

void toggleDisplaySwitch(TZCeiling& doc, bool& flag) {
    flag = !flag;
    doc.refreshFigures();
    doc.repaint();
}

void selectPointTool(TZCeiling& doc, int tool) {
    if (!editable(doc)) return;
    doc.editor.mode = kModePoints;
    doc.editor.pointTool = tool;
    doc.refreshFigures();
    doc.repaint();
    // Entering and inserting points end a pan in progress; tools 2 and 3 leave it as it is.
    if (tool == 0 || tool == 1) doc.editor.dragging = false;
}

void selectDiagonalTool(TZCeiling& doc, int tool) {
    if (!editable(doc)) return;
    doc.editor.mode = kModeDiagonals;
    doc.editor.diagonalTool = tool;
    doc.refreshFigures();
    doc.repaint();
    doc.editor.dragging = false;
}

void togglePanning(TZCeiling& doc) {
    if (!editable(doc)) return;
    doc.editor.dragging = !doc.editor.dragging;
    doc.refreshFigures();
}

void startRuler(TZCeiling& doc) {
    if (!editable(doc)) return;
    doc.editor.rulerPoints.clear();
    doc.editor.mode = kModeRuler;
    doc.editor.dragging = false;
    doc.refreshFigures();
    doc.repaint();
}

void toggleDealerMode(TZCeiling& doc, AppSettings& settings) {
    settings.dealerMode = !settings.dealerMode;
    doc.refreshFigures();
    doc.rebuildTree();
    doc.repaint();
}

void setConstructionMethod(TZCeiling& doc, int method) {
    doc.constructionMethod = method;
}

void toggleMarking(TZCeiling& doc, bool TZCeiling::*flag) {
    doc.*flag = !(doc.*flag);
    if (flag == &TZCeiling::markSides || flag == &TZCeiling::markDiagonals) doc.repaint();
}

void setAccuracyClass(TZCeiling& doc, double accuracy) {
    doc.accuracyClass = accuracy;
    doc.repaint();
}

std::vector<PopupItem> photoMenu(const TZCeiling& doc, bool canAddPhotos) {
    const int count = doc.photos.count();
    // The last id the menu acts on: 22001 + min(count, 49).
    const int lastAccepted = std::min(count, cmd::kMaxPhotoItemIndex);
    std::vector<PopupItem> items;
    items.push_back({cmd::kAddPhoto, kAddPhotoText, canAddPhotos, false});
    for (int k = 0; k < count; ++k)
        items.push_back(
            {cmd::kFirstPhotoItem + k, doc.photos[k].path, k <= lastAccepted, doc.shownPhoto == k});
    items.push_back({});
    items.push_back(
        {cmd::kFirstPhotoItem + count, kHidePhotoText, doc.shownPhoto >= 0 && count <= lastAccepted, false});
    return items;
}

void hidePhoto(TZCeiling& doc) {
    doc.shownPhoto = -1;
    doc.repaint();
}

} // namespace tenzora
