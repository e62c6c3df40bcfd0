#pragma once
// The painting routine of the ceiling drawing: one routine draws the drawing view, the FIGURE of
// the printed sheet and the picture export onto any Surface. It maps the world to the output,
// then draws, in this order: the grid, the outline fill with its cutouts, the background photo,
// the sides with their lengths and the corner angles, the cutout outlines, the diagonals and the
// measurement lines of the cutouts, the points with their names, the fold lines of bends, the
// seams and canvases of the cutting layout, the distances to the canvas edges and the ruler.
//
// A purpose number says what the output is for: 0 the screen (and the picture export of the
// drawing), 1–6 the printed sheet's kinds of drawing (paper colours; which texts and lines
// appear depends on the purpose), 7 as 5 without point names.

#include <cstdint>
#include <optional>

#include "editor/drawing_cache.h"
#include "editor/world_to_output.h"
#include "platform/surface_types.h"

namespace tenzora {

class Surface;
class TZCeiling;
class ImageCodec;
struct AppSettings;

inline constexpr int kPurposeScreen = 0;
inline constexpr int kPurposeLayoutSheet = 4; // the canvases of the cutting layout on paper
inline constexpr int kPurposeDimensions = 5;  // canvas-edge distances always drawn
inline constexpr int kPurposeDimensionsWithoutNames = 7;
inline constexpr int kHighestPurpose = 7;

struct PaintRequest {
    int purpose = kPurposeScreen;
    // Printing and export draw straight onto the output: no grid, no ruler, the photo opaque.
    // The screen draws through its back buffer, whose area is filled white first.
    bool direct = false;
    // The rectangle the drawing is fitted into; none for the screen's view transform.
    std::optional<Rect> target;
    // The size pens and fonts are scaled for (printSize); 0 × 0 keeps screen sizes.
    std::int32_t referenceWidth = 0;
    std::int32_t referenceHeight = 0;
};

struct PaintOutcome {
    // The transform the drawing was painted with (into a target: its scale says how many
    // pixels a centimetre of the ceiling takes).
    OutputTransform transform;
    // Only the start screen's logo (or nothing) was painted.
    bool logoOnly = false;
};

// Regenerates the working outline and the cutouts as the drawing builds them (the constructions
// and cutouts when they are shown) with the view's transform, into `cache`: the document's records
// then carry the derived values the drawing shows (see regenerateWorkingOutline, regenerateCutouts).
void regenerateDrawnOutline(TZCeiling& doc, const AppSettings& settings, DrawingCache& cache);

// Before a paint of the screen: takes the view size from the surface into viewWidth/viewHeight
// and regenerates the working outline with the view's transform, so that the document's records
// carry what the drawing shows (the constructions' computed points and their view positions, the
// corner-cut marks, the fold lines of bends, the rewritten cutout rows), as the project file
// stores them. `cache` lends its outline and cutouts for the build. A paint into a target (printing, export)
// changes nothing in the document.
void prepareScreenPaint(TZCeiling& doc, const Surface& surface, const AppSettings& settings,
                        DrawingCache& cache);

// Paints the drawing of the document; the document is only read. A screen paint (no target)
// uses the view size in viewWidth/viewHeight (see prepareScreenPaint). `photos` decodes a shown
// photo that has not been loaded yet (the decoded picture is kept as the photo's cache); without
// it such a photo is not drawn.
PaintOutcome paintDrawing(Surface& surface, const TZCeiling& doc, const AppSettings& settings,
                          const PaintRequest& request, DrawingCache& cache, ImageCodec* photos = nullptr);

} // namespace tenzora
