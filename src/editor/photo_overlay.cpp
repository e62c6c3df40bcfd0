#include "editor/photo_overlay.h"

#include "editor/photo_placement.h"
#include "model/picture.h"
#include "platform/image_codec.h"

namespace tenzora {

namespace {

constexpr std::int32_t kHandle = kPhotoHandleSize;
constexpr std::int32_t kHalfHandle = kPhotoHandleHalfWidth;

} // namespace

bool ensurePhotoLoaded(const TZPicture& photo, ImageCodec* codec) {
    if (!photo.image && codec != nullptr) {
        photo.image = codec->decodeFile(photo.path);
        if (!photo.image) photo.image = Bitmap{};
    }
    return photo.image && !photo.image->empty();
}

std::array<Rect, 8> photoHandles(const Rect& p) {
    // Saturating, as a photo dragged far off the view has extreme corners.
    const auto at = [](std::int32_t v, std::int32_t d) { return Rect::saturate(std::int64_t{v} + d); };
    const std::int32_t mx = at(p.left, static_cast<std::int32_t>((std::int64_t{p.right} - p.left) / 2));
    const std::int32_t my = at(p.top, static_cast<std::int32_t>((std::int64_t{p.bottom} - p.top) / 2));
    return {{
        {at(p.left, -kHandle), at(p.top, -kHandle), p.left, p.top},
        {p.right, at(p.top, -kHandle), at(p.right, kHandle), p.top},
        {at(p.left, -kHandle), p.bottom, p.left, at(p.bottom, kHandle)},
        {p.right, p.bottom, at(p.right, kHandle), at(p.bottom, kHandle)},
        {at(p.left, -kHandle), at(my, -kHalfHandle), p.left, at(my, kHalfHandle)},
        {p.right, at(my, -kHalfHandle), at(p.right, kHandle), at(my, kHalfHandle)},
        {at(mx, -kHalfHandle), at(p.top, -kHandle), at(mx, kHalfHandle), p.top},
        {at(mx, -kHalfHandle), p.bottom, at(mx, kHalfHandle), at(p.bottom, kHandle)},
    }};
}

} // namespace tenzora
