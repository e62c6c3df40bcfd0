#pragma once
// Placing a project in the drawing view: a project opened before the window had its real size,
// or one whose outline was made elsewhere around its first corner, may lie partly outside the
// view. Only the view (scale and pan) changes, never the outline.

namespace tenzora {

class TZCeiling;

// Whether the working outline, drawn with the present scale and pan in a view of the document's
// view size, lies wholly inside the view with `margin` pixels to spare on every side.
bool outlineWhollyInView(TZCeiling& doc, int margin);

// Unless the outline is already wholly inside the view, the view is centred on the outline's
// bounding box and, when it does not fit at the present scale, zoomed out until it does (a tenth
// of the view left free around it). False when nothing was changed.
bool placeOutlineInView(TZCeiling& doc);

} // namespace tenzora
