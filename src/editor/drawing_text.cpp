#include "editor/drawing_text.h"

#include "editor/world_to_output.h"
#include "platform/surface.h"

namespace tenzora {

Font boldLabelFont(std::int32_t height, std::int32_t escapement, std::uint8_t charSet) {
    Font f;
    f.face = kTahoma;
    f.height = height;
    f.weight = kWeightBold;
    f.escapement = escapement;
    f.charSet = charSet;
    return f;
}

void writeLabel(Surface& surface, Point reference, std::wstring_view text, const Font& font, Color color) {
    surface.setFont(font);
    surface.setTextColor(color);
    surface.setTextAlign(kAlignTopCenter);
    surface.setBackgroundMode(BackgroundMode::Transparent);
    surface.textOut(reference, text);
}

void writeCornerLabel(Surface& surface, const OutputTransform& transform, const Vertex& labelPoint,
                      std::int32_t zeroHeight, std::wstring_view text, const Font& font, Color color) {
    Point p = transform.toOutput(labelPoint);
    p.y = Rect::saturate(std::int64_t{p.y} - zeroHeight / 2);
    writeLabel(surface, p, text, font, color);
}

std::int32_t zeroHeightOf(const Surface& surface, const Font& font) {
    return roundToPixel(surface.measurer().metrics(font).height());
}

Rect dotBox(Point p, std::int32_t r) {
    return {Rect::saturate(std::int64_t{p.x} - r), Rect::saturate(std::int64_t{p.y} - r),
            Rect::saturate(std::int64_t{p.x} + r), Rect::saturate(std::int64_t{p.y} + r)};
}

Point middleOf(const OutputTransform& transform, const Vertex& p, const Vertex& q) {
    return transform.toOutput((p.x + q.x) / 2, (p.y + q.y) / 2);
}

} // namespace tenzora
