#pragma once
// The state of one paint, shared by the files that draw its layers (painting*.cpp). Not part of
// the routine's interface.

#include <cstdint>

#include "editor/display_frame.h"
#include "editor/painting.h"
#include "editor/print_size.h"
#include "platform/surface.h"

namespace tenzora {

class TZCeiling;

namespace painting {

// Colours of the drawing.
inline constexpr Color kRed{255, 0, 0};
inline constexpr Color kGreen{0, 255, 0};
inline constexpr Color kBlue{0, 0, 255};
inline constexpr Color kTextGrey{80, 80, 80};

struct Scene {
    Surface& surface;
    const TZCeiling& doc;
    const AppSettings& settings;
    const PaintRequest& request;
    DrawingCache& cache;
    int purpose = 0;        // 7 is painted as 5
    bool showNames = false; // showPointNames, off for purpose 7
    bool screen = false;    // purpose 0: the screen colours
    DisplayFrame frame;
    OutputTransform transform;

    // Pen widths and font heights for this output (fonts take the document's fontScale).
    std::int32_t pen(double base) const {
        return printSize(base, request.referenceWidth, request.referenceHeight);
    }
    std::int32_t fontHeight(double base) const;
    // Output position of a point given in the display frame / in the world frame.
    Point out(const Vertex& shown) const { return transform.toOutput(shown); }
    Point outWorld(const Vertex& world) const { return transform.toOutput(frame.toDisplay(world)); }
    // Lengths and angles are written (not in the layout display; purposes 0, 3 and 6).
    bool lengthsShown() const;
};

// Step 7: the sides of the working outline with their lengths and corner angles, then the
// cutout outlines with theirs.
void paintSides(Scene& scene);
// Step 8: the diagonals and, on the screen, the measurement lines of the cutouts.
void paintDiagonals(Scene& scene);
// Step 9: the points and their names.
void paintPoints(Scene& scene);
// Step 10: the fold lines of bends.
void paintFoldLines(Scene& scene);
// Step 11: the seams and canvases of the cutting layout.
void paintSeams(Scene& scene);
// Step 13: the measuring ruler.
void paintRuler(Scene& scene);

} // namespace painting

} // namespace tenzora
