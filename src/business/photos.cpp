#include "business/photos.h"

#include "model/ceiling.h"
#include "platform/image_codec.h"

namespace tenzora {

bool addPhoto(TZCeiling& doc, ImageCodec& images) {
    FileDialogRequest request;
    request.save = false;
    request.filter = photos::kFilter;
    request.mustExist = true;
    const std::optional<std::wstring> path = doc.ui().chooseFile(request);
    if (!path) return false;
    TZPicture photo;
    photo.path = *path;
    photo.image = images.decodeFile(*path);
    if (!photo.image) {
        doc.ui().exclamation(photos::kCannotLoad, photos::kCannotLoadCaption);
        return false;
    }
    doc.photos.append(std::move(photo));
    return true;
}

bool deletePhoto(TZCeiling& doc, int index) {
    if (!doc.photos.removeAt(index)) return false;
    if (doc.shownPhoto == index) {
        doc.shownPhoto = -1;
        doc.repaint();
    } else if (doc.shownPhoto > index) {
        --doc.shownPhoto;
    }
    return true;
}

bool addPhotoFromMenu(TZCeiling& doc, ImageCodec& images) {
    if (!addPhoto(doc, images)) return false;
    showPhoto(doc, doc.photos.count() - 1);
    return true;
}

void showPhoto(TZCeiling& doc, int index) {
    if (index < 0 || index >= doc.photos.count() || index == doc.shownPhoto) return;
    doc.shownPhoto = index;
    doc.repaint();
}

} // namespace tenzora
