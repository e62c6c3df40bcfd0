#pragma once
// A project photo: its file, the decoded picture (loaded on demand) and its placement on the
// drawing, kept both as drawing coordinates and as the pixel rectangle stored in the file.

#include <optional>
#include <string>

#include "model/polygon.h"
#include "platform/bitmap.h"

namespace tenzora {

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct TZPicture {
    std::wstring path;
    // None until decoded. A cache of the file named by `path`, not part of the photo's value, so
    // that a painting of a const document can decode the photo it shows.
    mutable std::optional<Bitmap> image;
    bool placed = false; // the corners below have been set
    Vertex corner1;      // drawing coordinates of the left/top corner
    Vertex corner2;      // drawing coordinates of the right/bottom corner
    PixelRect rect;      // the placement in view pixels, as stored in the file
};

} // namespace tenzora
