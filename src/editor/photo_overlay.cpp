#include "editor/photo_overlay.h"

#include "model/ceiling.h"
#include "model/view_transform.h"
#include "platform/image_codec.h"

namespace {

constexpr std::int32_t kHandle = 10;
constexpr std::int32_t kHalfHandle = kHandle / 2;
// The margins of the view a newly shown photo is fitted into.
constexpr std::int32_t kFitMarginX = 100;
constexpr std::int32_t kFitMarginY = 50;

void fitIntoView(TZCeiling& doc, TZPicture& photo) {
    const std::int64_t W = doc.viewWidth, H = doc.viewHeight;
    const std::int64_t pw = photo.image->width, ph = photo.image->height;
    const std::int64_t areaW = W - 2 * kFitMarginX, areaH = H - 2 * kFitMarginY;
    PixelRect r;
    // Relatively wider than the area: it spans the width (compared as products, no division).
    if (areaW * ph < pw * areaH) {
        const std::int64_t h = areaW * ph / pw;
        r = {kFitMarginX, static_cast<int>((H - h) / 2), static_cast<int>(W - kFitMarginX),
             static_cast<int>((H + h) / 2)};
    } else {
        const std::int64_t w = areaH * pw / ph;
        r = {static_cast<int>((W - w) / 2), kFitMarginY, static_cast<int>((W + w) / 2),
             static_cast<int>(H - kFitMarginY)};
    }
    photo.rect = r;
}

} // namespace

bool ensurePhotoLoaded(TZPicture& photo, ImageCodec* codec) {
    if (!photo.image && codec != nullptr) {
        photo.image = codec->decodeFile(photo.path);
        if (!photo.image) photo.image = Bitmap{};
    }
    return photo.image && !photo.image->empty();
}

void showPhoto(TZCeiling& doc, int index, ImageCodec& codec) {
    if (index == doc.shownPhoto) return;
    TZPicture* photo = doc.photos.checkedAt(index);
    if (photo == nullptr) {
        doc.shownPhoto = -1;
        doc.repaint();
        return;
    }
    const bool loaded = ensurePhotoLoaded(*photo, &codec);
    if (!photo->placed) {
        const PixelRect& r = photo->rect;
        if (loaded && r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0) fitIntoView(doc, *photo);
        screenToWorld(doc, photo->rect.left, photo->rect.top, photo->corner1.x, photo->corner1.y);
        screenToWorld(doc, photo->rect.right, photo->rect.bottom, photo->corner2.x, photo->corner2.y);
        photo->placed = true;
    }
    doc.shownPhoto = index;
    doc.repaint();
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
