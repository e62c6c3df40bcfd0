#pragma once
// The photo laid over the drawing: choosing the shown photo, its first placement in the view,
// and the handles it is moved and resized by.

#include <array>

#include "platform/surface_types.h"

class TZCeiling;
class ImageCodec;
struct TZPicture;

// Decodes the photo's picture when it has not been decoded yet. A picture that cannot be read is
// remembered as empty, so that a missing file is not looked for again on every repaint. True when
// the photo has a picture to draw.
bool ensurePhotoLoaded(TZPicture& photo, ImageCodec* codec);

// Makes photo `index` the one shown over the drawing (an index that names no photo hides it) and
// repaints. Choosing the photo already shown does nothing. A photo shown for the first time (no
// placement yet) is fitted, keeping its proportions, into the view less 100 pixels at the left
// and right and 50 at the top and bottom; its corners are stored in drawing coordinates, so that
// it moves and scales with the drawing from then on.
void showPhoto(TZCeiling& doc, int index, ImageCodec& codec);

// The eight 10 × 10 handles around a photo's rectangle, in the order 1 … 8: above-left,
// above-right, below-left, below-right, left of the middle, right of the middle, above the
// middle, below the middle.
std::array<Rect, 8> photoHandles(const Rect& photo);
