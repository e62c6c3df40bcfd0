#pragma once
// The fonts and text calls the drawing's labels share: bold Tahoma, written horizontally centred
// on the reference point with the text's top there, on a transparent background.

#include <cstdint>
#include <string_view>

#include "model/polygon.h"
#include "platform/surface_types.h"

namespace tenzora {

class Surface;
class OutputTransform;

// Bold Tahoma of the given cell height, turned by `escapement` tenths of a degree.
Font boldLabelFont(std::int32_t height, std::int32_t escapement = 0, std::uint8_t charSet = kCharSetDefault);

// Writes the text centred on `reference` (its top there) in the font and colour.
void writeLabel(Surface& surface, Point reference, std::wstring_view text, const Font& font, Color color);

// Writes a corner label: centred on the output position of `labelPoint`, its top half the
// height of "0" above it, so that it stands centred on the point.
void writeCornerLabel(Surface& surface, const OutputTransform& transform, const Vertex& labelPoint,
                      std::int32_t zeroHeight, std::wstring_view text, const Font& font, Color color);

// The height of "0" in the font, in whole pixels.
std::int32_t zeroHeightOf(const Surface& surface, const Font& font);

// The box of a dot of radius r around p (saturating at the edges of the coordinate range).
Rect dotBox(Point p, std::int32_t r);

// The output position of the middle of segment p–q.
Point middleOf(const OutputTransform& transform, const Vertex& p, const Vertex& q);

} // namespace tenzora
