#pragma once
// The print preview ("Печать"): an A4 page on a grey ground showing the sheet of the chosen form
// or its continuation page, zoomed by pixels per centimetre and moved with the mouse. This holds
// the preview's state and rules; the window only binds its toolbar, mouse and painting to it.

#include <cstdint>

#include "platform/surface_types.h"

namespace tenzora {

class Surface;
class TZCeiling;
struct SheetServices;

inline constexpr Color kPreviewBackground{177, 177, 177};
// The page's top edge below the top of the client area, before the page is moved.
inline constexpr std::int32_t kPreviewPageTop = 57;
inline constexpr double kPreviewZoomIn = 1.1;
inline constexpr double kPreviewZoomOut = 0.9;

class PrintPreview {
  public:
    // 0 the sheet, 1 its continuation page.
    int pageMode = 0;
    double pixelsPerCm = 0;
    std::int32_t offsetX = 0, offsetY = 0;
    Point dragStart;
    bool dragging = false; // the left button holds the page
    bool dragEnabled = true;

    // The window's first placement from the size of a maximised window: from (200, 80) to
    // (W − 400, H − 80), and (H − 100) / 42 whole pixels per centimetre.
    static Rect windowRect(std::int32_t maximisedWidth, std::int32_t maximisedHeight);
    static double initialPixelsPerCm(std::int32_t maximisedHeight);

    // Each time the window is shown: the page back in its place, dragging on.
    void shown();
    void zoomIn();
    void zoomOut();
    void enableDrag() { dragEnabled = true; }

    // The page: 21 × 29.7 cm, centred across the client area, moved by the offset.
    Rect pageRect(std::int32_t clientWidth) const;

    // The left button: press takes hold of the page, a move with the button held moves it
    // (true when it moved, so the window repaints), release lets it go.
    void press(Point mouse);
    bool move(Point mouse, bool buttonDown);
    void release() { dragging = false; }

    // The grey ground, the white page with its border, and on it the sheet of the document's
    // printFormIndex as an A4 page (page mode 0), or the continuation text (page mode 1).
    // False when the sheet could not be drawn.
    bool paint(TZCeiling& doc, Surface& surface, std::int32_t clientWidth, std::int32_t clientHeight,
               const SheetServices& sheet) const;
};

// The preview's own toolbar commands (the print and zoom commands keep the main window's ids).
namespace previewCmd {
inline constexpr int kFirstPage = 32901;
inline constexpr int kSecondPage = 32902;
inline constexpr int kSavePicture = 32903;
} // namespace previewCmd

} // namespace tenzora
