#pragma once
// What the platform provides for the picture export: raster pictures and PDF documents to draw
// on, and the text measurer the metafile writers lay out texts with (Qt: QImage, QPdfWriter and
// its font metrics).

#include <cstdint>
#include <filesystem>
#include <memory>

#include "platform/bitmap.h"

namespace tenzora {

class Surface;
class TextMeasurer;

// A raster picture being drawn: white at the start.
class RasterPicture {
  public:
    virtual ~RasterPicture() = default;
    virtual Surface& surface() = 0;
    // Ends the drawing and gives the pixels.
    virtual const Bitmap& finish() = 0;
};

// A vector document of pages being drawn.
class PdfDocument {
  public:
    virtual ~PdfDocument() = default;
    virtual Surface& surface() = 0;
    virtual bool newPage() = 0;
    // Ends the document and writes it; false when it could not be written.
    virtual bool finish() = 0;
};

class ExportBackend {
  public:
    virtual ~ExportBackend() = default;
    // The measurer the metafile writers lay out texts with.
    virtual const TextMeasurer& measurer() const = 0;
    // A white picture of width × height pixels; none when it cannot be had.
    virtual std::unique_ptr<RasterPicture> createRaster(std::int32_t width, std::int32_t height) = 0;
    // A document whose pages stand for width × height pixels and measure widthMm × heightMm;
    // none when the platform has no PDF writer or the file cannot be created.
    virtual std::unique_ptr<PdfDocument> createPdf(const std::filesystem::path& path, std::int32_t width,
                                                   std::int32_t height, double widthMm, double heightMm) = 0;
};

} // namespace tenzora
