#include "cutting/canvas_dialog.h"

#include <string>

#include "cutting/canvas_pieces.h"

namespace tenzora {

void CanvasDialog::showCanvas(TZCeiling& doc, int number, const Vertex& reference) {
    caption_ = kCanvasCaptionPrefix + std::to_wstring(number);
    text_ = canvasPoints(nullptr, nullptr, doc, reference);
    visible_ = true;
}

} // namespace tenzora
