#include "output/print_preview.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/ceiling.h"
#include "output/sheet.h"
#include "platform/surface.h"

namespace tenzora {

namespace {

constexpr std::int32_t kWindowLeft = 200;
constexpr std::int32_t kWindowTop = 80;
constexpr std::int32_t kWindowRightMargin = 400;
constexpr std::int32_t kWindowBottomMargin = 80;
constexpr std::int32_t kHeightReserve = 100;
constexpr std::int32_t kCmOnScreen = 42;
constexpr double kPageWidthCm = 21.0;
constexpr double kPageHeightCm = 29.7;
// Zooming far out or in makes a page of no pixels or of more than the int range.
constexpr double kMinPixelsPerCm = 1.0;
constexpr double kMaxPixelsPerCm = 400.0;

std::int32_t toPixels(double value) {
    return static_cast<std::int32_t>(std::trunc(value));
}

} // namespace

Rect PrintPreview::windowRect(std::int32_t maximisedWidth, std::int32_t maximisedHeight) {
    return {kWindowLeft, kWindowTop, maximisedWidth - kWindowRightMargin,
            maximisedHeight - kWindowBottomMargin};
}

double PrintPreview::initialPixelsPerCm(std::int32_t maximisedHeight) {
    return std::max<std::int32_t>(1, (maximisedHeight - kHeightReserve) / kCmOnScreen);
}

void PrintPreview::shown() {
    offsetX = offsetY = 0;
    dragging = false;
    dragEnabled = true;
}

void PrintPreview::zoomIn() {
    pixelsPerCm = std::min(pixelsPerCm * kPreviewZoomIn, kMaxPixelsPerCm);
    dragEnabled = true;
}

void PrintPreview::zoomOut() {
    pixelsPerCm = std::max(pixelsPerCm * kPreviewZoomOut, kMinPixelsPerCm);
    dragEnabled = true;
}

Rect PrintPreview::pageRect(std::int32_t clientWidth) const {
    const std::int32_t width = toPixels(kPageWidthCm * pixelsPerCm);
    const std::int32_t height = toPixels(kPageHeightCm * pixelsPerCm);
    const std::int32_t left = (clientWidth - width) / 2 + offsetX;
    return Rect::fromSize(left, kPreviewPageTop + offsetY, width, height);
}

void PrintPreview::press(Point mouse) {
    dragging = true;
    dragStart = {mouse.x - offsetX, mouse.y - offsetY};
}

bool PrintPreview::move(Point mouse, bool buttonDown) {
    if (!dragEnabled || !dragging || !buttonDown) return false;
    offsetX = mouse.x - dragStart.x;
    offsetY = mouse.y - dragStart.y;
    return true;
}

bool PrintPreview::paint(TZCeiling& doc, Surface& surface, std::int32_t clientWidth,
                         std::int32_t clientHeight, const SheetServices& sheet) const {
    surface.fillRect({0, 0, clientWidth, clientHeight}, kPreviewBackground);
    const Rect box = pageRect(clientWidth);
    const DrawState saved = surface.state();
    surface.setPen(solidPen(1, kBlack));
    surface.setBrush(solidBrush(kWhite));
    surface.rectangle(box);
    surface.setState(saved);

    const SheetPage page{box.left, box.top, box.width(), box.height(), kA4WidthMm, kA4HeightMm};
    std::wstring continuation;
    const bool ok = drawSheet(doc, surface, continuation, pageMode == 0, page, sheet);
    if (ok && pageMode != 0 && !continuation.empty()) drawContinuationPage(surface, continuation, page);
    return ok;
}

} // namespace tenzora
