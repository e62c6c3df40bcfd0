#pragma once
// The photo laid over the drawing: its first placement in the view, its rectangle on the screen,
// the eight handles around that rectangle and how dragging a handle moves or resizes it.
// The photo keeps its placement as two drawing corners, so that it follows zoom and pan.

#include "model/picture.h"

namespace tenzora {

class ImageCodec;
class TZCeiling;

// The margins of the first placement: the photo fits into the view less these on each side.
inline constexpr int kPhotoFitMarginX = 100;
inline constexpr int kPhotoFitMarginY = 50;
// Size of a handle box in pixels; the middle handles reach this far either side of the middle.
inline constexpr int kPhotoHandleSize = 10;
inline constexpr int kPhotoHandleHalfWidth = 5;

// The shown photo (none: null), its picture decoded from its file when it has none yet. Null when
// no photo is shown or it cannot be decoded.
TZPicture* shownPhotoLoaded(TZCeiling& doc, ImageCodec& codec);

// A photo shown for the first time (never placed, no stored rectangle) with a picture is fitted
// into the view keeping its proportions, and its corners stored in drawing coordinates. True when
// it was placed now.
bool fitPhotoIfNew(TZCeiling& doc, TZPicture& photo);

// Before the view is painted: the shown photo's picture is loaded and, shown for the first time,
// fitted into the view. True when it was placed now.
bool preparePhotoForDisplay(TZCeiling& doc, ImageCodec& codec);

// The photo's rectangle on the screen from its two drawing corners (left/top, right/bottom).
PixelRect photoScreenRect(const TZCeiling& doc, const TZPicture& photo);
// Stores a screen rectangle as the photo's two drawing corners.
void placePhotoAt(TZCeiling& doc, TZPicture& photo, const PixelRect& rect);

// The handle under a pixel: 1 above-left, 2 above-right, 3 below-left, 4 below-right, 5 left,
// 6 right, 7 above, 8 below the rectangle; 0 for none. Tested in the order 1, 7, 2, 5, 6, 3, 8, 4.
int photoHandleAt(const PixelRect& rect, int x, int y);

// The rectangle after dragging `handle` by (dx, dy). With `shift`, the middle handles move the
// whole photo, and the corner handles keep the picture's proportions (width / height of
// `aspectWidth` / `aspectHeight`): the height follows the width, the edge opposite the dragged
// corner staying where it is.
PixelRect dragPhotoHandle(const PixelRect& rect, int handle, int dx, int dy, bool shift, int aspectWidth,
                          int aspectHeight);
// The corner a corner handle (1–4) drags: its x and y on the rectangle.
void handleCorner(const PixelRect& rect, int handle, int& x, int& y);

} // namespace tenzora
