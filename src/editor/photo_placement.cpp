#include "editor/photo_placement.h"

#include <cstdlib>
#include <limits>

#include "model/ceiling.h"
#include "model/view_transform.h"
#include "platform/image_codec.h"

namespace tenzora {

namespace {

bool inBox(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x <= right && y >= top && y <= bottom;
}

// Integer arithmetic on pixel coordinates that saturates instead of wrapping.
int clampToInt(long long v) {
    if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(v);
}
int add(int a, int b) {
    return clampToInt(static_cast<long long>(a) + b);
}

} // namespace

TZPicture* shownPhotoLoaded(TZCeiling& doc, ImageCodec& codec) {
    TZPicture* photo = doc.photos.checkedAt(doc.shownPhoto);
    if (photo == nullptr) return nullptr;
    // A picture that cannot be decoded is remembered as empty, so that every paint does not read
    // the file again.
    if (!photo->image) photo->image = codec.decodeFile(photo->path).value_or(Bitmap{});
    return photo->image && !photo->image->empty() ? photo : nullptr;
}

bool fitPhotoIfNew(TZCeiling& doc, TZPicture& photo) {
    const PixelRect& r = photo.rect;
    if (photo.placed || r.left != 0 || r.top != 0 || r.right != 0 || r.bottom != 0) return false;
    if (!photo.image || photo.image->empty()) return false;
    const long long w = doc.view.viewWidth;
    const long long h = doc.view.viewHeight;
    const long long pw = photo.image->width;
    const long long ph = photo.image->height;
    PixelRect fitted;
    // Wider than the free area (compared crosswise, in integers): it spans the width.
    if ((w - 2 * kPhotoFitMarginX) * ph < (h - 2 * kPhotoFitMarginY) * pw) {
        const long long height = (w - 2 * kPhotoFitMarginX) * ph / pw;
        fitted = {kPhotoFitMarginX, clampToInt((h - height) / 2), clampToInt(w - kPhotoFitMarginX),
                  clampToInt((h + height) / 2)};
    } else {
        const long long width = (h - 2 * kPhotoFitMarginY) * pw / ph;
        fitted = {clampToInt((w - width) / 2), kPhotoFitMarginY, clampToInt((w + width) / 2),
                  clampToInt(h - kPhotoFitMarginY)};
    }
    placePhotoAt(doc, photo, fitted);
    return true;
}

bool preparePhotoForDisplay(TZCeiling& doc, ImageCodec& codec) {
    TZPicture* photo = shownPhotoLoaded(doc, codec);
    return photo != nullptr && fitPhotoIfNew(doc, *photo);
}

PixelRect photoScreenRect(const TZCeiling& doc, const TZPicture& photo) {
    const ScreenPoint a = worldToScreen(doc, photo.corner1.x, photo.corner1.y);
    const ScreenPoint b = worldToScreen(doc, photo.corner2.x, photo.corner2.y);
    return {a.x, a.y, b.x, b.y};
}

void placePhotoAt(TZCeiling& doc, TZPicture& photo, const PixelRect& rect) {
    photo.rect = rect;
    screenToWorld(doc, rect.left, rect.top, photo.corner1.x, photo.corner1.y);
    screenToWorld(doc, rect.right, rect.bottom, photo.corner2.x, photo.corner2.y);
    photo.placed = true;
}

int photoHandleAt(const PixelRect& r, int x, int y) {
    const int s = kPhotoHandleSize;
    const int m = kPhotoHandleHalfWidth;
    const int midX = static_cast<int>((static_cast<long long>(r.left) + r.right) / 2);
    const int midY = static_cast<int>((static_cast<long long>(r.top) + r.bottom) / 2);
    const int above = add(r.top, -s), below = add(r.bottom, s);
    const int leftOf = add(r.left, -s), rightOf = add(r.right, s);
    if (inBox(x, y, leftOf, above, r.left, r.top)) return 1;
    if (inBox(x, y, add(midX, -m), above, add(midX, m), r.top)) return 7;
    if (inBox(x, y, r.right, above, rightOf, r.top)) return 2;
    if (inBox(x, y, leftOf, add(midY, -m), r.left, add(midY, m))) return 5;
    if (inBox(x, y, r.right, add(midY, -m), rightOf, add(midY, m))) return 6;
    if (inBox(x, y, leftOf, r.bottom, r.left, below)) return 3;
    if (inBox(x, y, add(midX, -m), r.bottom, add(midX, m), below)) return 8;
    if (inBox(x, y, r.right, r.bottom, rightOf, below)) return 4;
    return 0;
}

void handleCorner(const PixelRect& r, int handle, int& x, int& y) {
    x = (handle == 1 || handle == 3) ? r.left : r.right;
    y = (handle == 1 || handle == 2) ? r.top : r.bottom;
}

PixelRect dragPhotoHandle(const PixelRect& rect, int handle, int dx, int dy, bool shift, int aspectWidth,
                          int aspectHeight) {
    PixelRect r = rect;
    const bool left = handle == 1 || handle == 3 || handle == 5;
    const bool right = handle == 2 || handle == 4 || handle == 6;
    const bool top = handle == 1 || handle == 2 || handle == 7;
    const bool bottom = handle == 3 || handle == 4 || handle == 8;
    if (left) r.left = add(r.left, dx);
    if (right) r.right = add(r.right, dx);
    if (top) r.top = add(r.top, dy);
    if (bottom) r.bottom = add(r.bottom, dy);
    if (!shift) return r;
    // Shift on a middle handle carries the opposite edge along: the photo moves.
    switch (handle) {
    case 5:
    case 6:
        r.left = add(rect.left, dx);
        r.right = add(rect.right, dx);
        break;
    case 7:
    case 8:
        r.top = add(rect.top, dy);
        r.bottom = add(rect.bottom, dy);
        break;
    default:
        if (aspectWidth > 0 && aspectHeight > 0) {
            // The height follows the width; a photo turned upside down (corners reversed) stays so.
            const long long width = std::llabs(static_cast<long long>(r.right) - r.left);
            const long long magnitude = width * aspectHeight / aspectWidth;
            const int height = clampToInt(rect.bottom >= rect.top ? magnitude : -magnitude);
            if (top)
                r.top = add(r.bottom, -height);
            else
                r.bottom = add(r.top, height);
        }
        break;
    }
    return r;
}

} // namespace tenzora
