#pragma once
// The project image: the byte layout of a .tz file, of an undo snapshot and of a stock receipt.
// It is a plain dump of document members in a fixed order, without tags or lengths: writer and
// reader list the members in exactly the same order, and a reader that runs past the end gets
// zeros and empty texts, which is how shorter, older files are read.

#include <optional>
#include <string>
#include <string_view>

#include "storage/count_limits.h"
#include "storage/dynamic_memory.h"

namespace tenzora {

class TZCeiling;

namespace projectImage {

// "Tenzora" + " file format. Version 1.01. $": the signature before the price tag.
inline constexpr char kSignature[] = "Tenzora file format. Version 1.01. $";
// The price tag after "$" holds at most this many bytes.
inline constexpr std::size_t kPriceTagBytes = 29;

// Count limits: a larger count in a file ends reading at that point (the file is damaged).
inline constexpr int kMaxListCount = countLimit(10000, 64);
inline constexpr int kMaxAddPointCount = countLimit(20000, 128);
inline constexpr int kMaxCutoutRows = countLimit(1000, 64);

inline constexpr wchar_t kFormatMessage[] = L"Файл этого формата не поддерживается";
inline constexpr wchar_t kFormatCaption[] = L"Ошибка!";
inline constexpr wchar_t kSyncMessage[] = L"Нарушена синхронизация чтения/записи";

} // namespace projectImage

// Writes the whole project image into the stream, replacing what it held. Recomputes the pixel
// rectangle of the shown photo from its drawing corners first (that is what the file stores).
// With `keepBlock` the stream's block is reused instead of freed (undo snapshots).
void saveToStream(TZCeiling& doc, TZDynamicMemory& stream, bool keepBlock = false);

// Parses an image from its start into the document. `currentFormat` becomes false when the image
// ends after the extra works (the previous file format). Returns false only for an unrecognised
// header, which is reported to the user; the document is then unchanged.
bool loadFromStream(TZCeiling& doc, TZDynamicMemory& stream, bool& currentFormat);

// The header test: the first 7 bytes are "Tenzora", or the text contains "file format. Version"
// after its first character.
bool isProjectHeader(const std::string& header);

// The header string of an image (its Windows-1251 bytes without the terminator), unscrambled as
// the reader would when the plain bytes do not start with a project header; none when the bytes
// hold no terminated string. Lets a caller show the signature and price tag of a file.
std::optional<std::string> projectHeaderOf(std::string_view imageBytes);

} // namespace tenzora
