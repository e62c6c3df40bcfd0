#pragma once
// What the painting routine needs of the photo laid over the drawing (its placement and the
// dragging of its handles are the editor's, photo_placement.h): the picture decoded on demand,
// and the boxes of the eight handles drawn around it.

#include <array>

#include "platform/surface_types.h"

namespace tenzora {

class ImageCodec;
struct TZPicture;

// Decodes the photo's picture when it has not been decoded yet. A picture that cannot be read is
// remembered as empty, so that a missing file is not looked for again on every repaint. True when
// the photo has a picture to draw.
bool ensurePhotoLoaded(const TZPicture& photo, ImageCodec* codec);

// The eight handles around a photo's rectangle, in the order 1 … 8 of the editor's hit test:
// above-left, above-right, below-left, below-right, left of the middle, right of the middle,
// above the middle, below the middle.
std::array<Rect, 8> photoHandles(const Rect& photo);

} // namespace tenzora
