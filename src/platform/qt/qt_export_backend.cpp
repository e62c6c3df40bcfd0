#include "platform/qt/qt_export_backend.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <new>

#include "platform/qt/qt_surface.h"
#include "platform/qt/qt_text.h"
#include "storage/codepage.h"
#include "storage/file_io.h"

namespace tenzora {

namespace {

constexpr std::uint32_t kOpaqueWhite = 0xFFFFFFFFu;
// The PDF is vector; its device resolution only decides how finely coordinates are kept.
constexpr int kPdfResolution = 1200;

// The picture's pixels live in the Bitmap the export encodes; the QImage paints into them.
// Every pixel stays opaque, so the premultiplied format Qt paints fastest is the same ARGB.
class QtRasterPicture : public RasterPicture {
  public:
    QtRasterPicture(std::int32_t w, std::int32_t h, const QtTextMeasurer& measurer) {
        bitmap_.width = w;
        bitmap_.height = h;
        bitmap_.pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), kOpaqueWhite);
        image_ = QImage(reinterpret_cast<uchar*>(bitmap_.pixels.data()), w, h, w * 4,
                        QImage::Format_ARGB32_Premultiplied);
        painter_.begin(&image_);
        surface_ = std::make_unique<QtSurface>(painter_, &measurer);
    }
    ~QtRasterPicture() override { end(); }
    bool valid() const { return !image_.isNull() && painter_.isActive(); }
    Surface& surface() override { return *surface_; }
    const Bitmap& finish() override {
        end();
        return bitmap_;
    }

  private:
    void end() {
        surface_.reset();
        if (painter_.isActive()) painter_.end();
    }
    Bitmap bitmap_;
    QImage image_;
    QPainter painter_;
    std::unique_ptr<QtSurface> surface_;
};

// Each page is painted in the export's pixels, scaled onto the page. The document is built in
// memory and written through the safe replacing save when it is finished.
class QtPdfDocument : public PdfDocument {
  public:
    QtPdfDocument(const std::filesystem::path& path, std::int32_t w, std::int32_t h, double widthMm,
                  double heightMm, const QtTextMeasurer& measurer)
        : path_(path), buffer_(&bytes_), writer_(openedBuffer(buffer_)), width_(w), height_(h),
          measurer_(measurer) {
        writer_.setResolution(kPdfResolution);
        writer_.setPageSize(QPageSize(QSizeF(widthMm, heightMm), QPageSize::Millimeter));
        writer_.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer_.setCreator(QStringLiteral("Tenzora"));
        if (painter_.begin(&writer_)) startPage();
    }
    // A document dropped without finish() (a failed export) writes nothing: the previous file stays.
    ~QtPdfDocument() override {
        surface_.reset();
        if (painter_.isActive()) painter_.end();
    }
    bool valid() const { return painter_.isActive(); }
    Surface& surface() override { return *surface_; }
    bool newPage() override {
        surface_.reset();
        if (!writer_.newPage()) return false;
        startPage();
        return true;
    }
    bool finish() override {
        surface_.reset();
        if (finished_) return written_;
        finished_ = true;
        if (painter_.isActive() && !painter_.end()) return false;
        buffer_.close();
        written_ = writeFileReplacing(
            path_, std::string_view(bytes_.constData(), static_cast<std::size_t>(bytes_.size())));
        return written_;
    }

  private:
    void startPage() {
        painter_.resetTransform();
        painter_.scale(static_cast<double>(writer_.width()) / width_,
                       static_cast<double>(writer_.height()) / height_);
        surface_ = std::make_unique<QtSurface>(painter_, &measurer_);
        surface_->setMetrics(deviceMetricsFor(width_, height_));
    }
    static QIODevice* openedBuffer(QBuffer& buffer) {
        buffer.open(QIODevice::WriteOnly);
        return &buffer;
    }
    std::filesystem::path path_;
    QByteArray bytes_;
    QBuffer buffer_;
    bool finished_ = false;
    bool written_ = false;
    QPdfWriter writer_;
    std::int32_t width_, height_;
    const QtTextMeasurer& measurer_;
    QPainter painter_;
    std::unique_ptr<QtSurface> surface_;
};

} // namespace

QtExportBackend::QtExportBackend() = default;
QtExportBackend::~QtExportBackend() = default;

std::unique_ptr<RasterPicture> QtExportBackend::createRaster(std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0) return nullptr;
    try {
        auto picture = std::make_unique<QtRasterPicture>(width, height, measurer_);
        if (!picture->valid()) return nullptr;
        return picture;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<PdfDocument> QtExportBackend::createPdf(const std::filesystem::path& path, std::int32_t width,
                                                        std::int32_t height, double widthMm,
                                                        double heightMm) {
    if (width <= 0 || height <= 0 || !(widthMm > 0) || !(heightMm > 0)) return nullptr;
    auto pdf = std::make_unique<QtPdfDocument>(path, width, height, widthMm, heightMm, measurer_);
    if (!pdf->valid()) return nullptr;
    return pdf;
}

} // namespace tenzora
