#pragma once
// The picture export's drawing targets through Qt: raster pictures are QImages painted by
// QtSurface straight into the pixels the export encodes, and PDF documents come from
// QPdfWriter (vector pages, fonts embedded). Needs a QGuiApplication for the fonts, no widgets.

#include <memory>

#include "platform/export_backend.h"
#include "platform/qt/qt_text_measurer.h"

namespace tenzora {

class QtExportBackend : public ExportBackend {
  public:
    QtExportBackend();
    ~QtExportBackend() override;

    const TextMeasurer& measurer() const override { return measurer_; }
    std::unique_ptr<RasterPicture> createRaster(std::int32_t width, std::int32_t height) override;
    std::unique_ptr<PdfDocument> createPdf(const std::filesystem::path& path, std::int32_t width,
                                           std::int32_t height, double widthMm, double heightMm) override;

  private:
    QtTextMeasurer measurer_;
};

} // namespace tenzora
