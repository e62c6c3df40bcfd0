#pragma once
// The picture export: the drawing, or the printed sheet of a print form, saved as a PNG, GIF,
// TIFF or JPEG picture, a Windows or enhanced metafile, a PDF document, or put into a Word
// document through a picture script. The format is chosen by the last three characters of the
// path, compared exactly: "png", "gif", "iff" (.tiff), "jpg", "wmf", "emf", and "pdf"; every
// other ending ("doc", "jpeg", a name without extension …) goes to Word.
//
// Pictures take 4 pixels per centimetre of the outline's bounding box; pens and fonts are scaled
// as for a 1450-pixel screen on the longer side, so they keep their screen sizes. A sheet with
// continuation text gets its continuation page below it (the picture twice as high), or as a
// second page of a PDF.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/bitmap.h"
#include "platform/export_backend.h"

namespace tenzora {

class Surface;
class TextMeasurer;
class TZCeiling;
class ImageCodec;
class Clock;
class SheetVariables;
struct AppSettings;

enum class ExportFormat { Png, Gif, Tiff, Jpeg, Wmf, Emf, Pdf, Word };

ExportFormat exportFormatFor(const std::wstring& path);

// Limits of an exported picture: an outline of absurd size (a mistyped 50 000 cm) would ask for
// gigabytes of pixels; larger pictures are scaled down to these.
inline constexpr std::int32_t kMaxPictureSide = 16384;
inline constexpr std::int64_t kMaxPicturePixels = 32LL * 1024 * 1024;
// Pixels per centimetre of the ceiling in an exported drawing.
inline constexpr std::int32_t kExportPixelsPerCm = 4;
// An exported sheet is an A4 page at least this high (4 pixels per millimetre), so that the
// sheet of a small room stays legible.
inline constexpr std::int32_t kMinSheetHeight = 1188;

struct PictureSize {
    std::int32_t width = 0, height = 0;                   // of the drawing, or of one sheet page
    std::int32_t referenceWidth = 0, referenceHeight = 0; // pens and fonts (drawing only)
    std::int32_t requestedWidth = 0, requestedHeight = 0; // before the limits
    bool reduced = false;                                 // scaled down to the limits
    bool empty() const { return width <= 0 || height <= 0; }
};

// The drawing's picture: 4 × ⌊width⌋ by 4 × ⌊height⌋ of the working outline's bounding box.
PictureSize drawingPictureSize(TZCeiling& doc);
// A sheet page: A4 proportions, as high as the drawing's picture is long (at least
// kMinSheetHeight), within the limits even when a continuation page doubles its height.
PictureSize sheetPictureSize(TZCeiling& doc);

enum class ExportStatus {
    Written,       // the file (for Word: the picture and the script) is written
    NothingToDraw, // the outline has no extent
    NoSuchForm,
    DrawingFailed, // the sheet refused (a layout drawing in dealer mode) or no picture could be made
    WriteFailed,   // the file could not be written
    Unsupported,   // PDF without a PDF writer
};

struct ExportResult {
    ExportStatus status = ExportStatus::DrawingFailed;
    ExportFormat format = ExportFormat::Png;
    PictureSize size;
    std::int32_t pictureHeight = 0; // the whole picture (two pages for a sheet with continuation)
    int pages = 1;
    // The Word route: the metafile and the script in the temporary folder; the script is run
    // with the target path and the picture path.
    std::filesystem::path picture;
    std::filesystem::path script;
    bool saveAndQuit = false;
    bool ok() const { return status == ExportStatus::Written; }
};

struct ExportServices {
    const AppSettings& settings;
    ExportBackend& backend;
    ImageCodec& codec;                   // encodes PNG, TIFF and JPEG; decodes photos
    SheetVariables* variables = nullptr; // the sheet's variable texts (required for a sheet)
    std::filesystem::path tempFolder;    // the Word route's folder; empty: the system's
    Clock* clock = nullptr;              // numbers the Word route's script
};

// Exports the drawing (formIndex −1) or the sheet of print form formIndex to the path.
ExportResult exportDrawing(TZCeiling& doc, const std::wstring& path, int formIndex, ExportServices& services);

// The script file name of the Word route for a time of day: "ex1script" + a number 0 … 100000.
std::wstring wordScriptName(int hour, int minute, int second);

} // namespace tenzora
