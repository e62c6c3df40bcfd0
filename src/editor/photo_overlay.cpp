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
        r = {kFitMarginX, static_cast<int>((H - h) / 2), static_cast<int>(W - kFitMarginX), static_cast<int>((H + h) / 2)};
    } else {
        const std::int64_t w = areaH * pw / ph;
        r = {static_cast<int>((W - w) / 2), kFitMarginY, static_cast<int>((W + w) / 2), static_cast<int>(H - kFitMarginY)};
    }
    photo.rect = r;
}

}  // namespace

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
    const std::int32_t mx = p.left + (p.right - p.left) / 2;
    const std::int32_t my = p.top + (p.bottom - p.top) / 2;
    return {{
        {p.left - kHandle, p.top - kHandle, p.left, p.top},
        {p.right, p.top - kHandle, p.right + kHandle, p.top},
        {p.left - kHandle, p.bottom, p.left, p.bottom + kHandle},
        {p.right, p.bottom, p.right + kHandle, p.bottom + kHandle},
        {p.left - kHandle, my - kHalfHandle, p.left, my + kHalfHandle},
        {p.right, my - kHalfHandle, p.right + kHandle, my + kHalfHandle},
        {mx - kHalfHandle, p.top - kHandle, mx + kHalfHandle, p.top},
        {mx - kHalfHandle, p.bottom, mx + kHalfHandle, p.bottom + kHandle},
    }};
}
