#pragma once
// The project's photos: adding one (chosen with the file dialog and decoded at once, so that a
// file that is no picture is refused), deleting one, and the photo menu's "Добавить фото ...".

namespace tenzora {

class ImageCodec;
class TZCeiling;

namespace photos {
inline constexpr wchar_t kFilter[] = L"Фотографии (*.jpg; *.gif; *.bmp; *.png; *.jpeg)|*.jpg; *.gif; *.bmp; "
                                     L"*.png; *.jpeg|Все файлы (*.*)|*.*||";
inline constexpr wchar_t kCannotLoad[] = L"Не удается загрузить фото.";
inline constexpr wchar_t kCannotLoadCaption[] = L"Ошибка загрузки фото";
} // namespace photos

// Asks for a picture file and appends it to the photos, decoded. A file that cannot be read or
// decoded is told to the user and not kept. False when nothing was added.
bool addPhoto(TZCeiling& doc, ImageCodec& images);

// Removes photo `index`; the later photos move up and the shown photo stays the one it was
// (none when it was the one removed). False for an index out of range.
bool deletePhoto(TZCeiling& doc, int index);

// The photo menu's "Добавить фото ...": adds a photo as the dialog's button does and, when one
// was added, shows it over the drawing.
bool addPhotoFromMenu(TZCeiling& doc, ImageCodec& images);

// Photo k over the drawing; choosing the photo already shown does nothing.
void showPhoto(TZCeiling& doc, int index);

} // namespace tenzora
