#include "output/picture_export.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <system_error>

#include "editor/drawing_cache.h"
#include "editor/painting.h"
#include "editor/print_size.h"
#include "model/ceiling.h"
#include "model/outline_figures.h"
#include "model/settings.h"
#include "output/emf_writer.h"
#include "output/gif_writer.h"
#include "output/report_script.h"
#include "output/sheet.h"
#include "output/wmf_writer.h"
#include "platform/clock.h"
#include "platform/image_codec.h"
#include "platform/scratch_surface.h"
#include "storage/codepage.h"

namespace tenzora {

namespace {

constexpr std::size_t kEndingLength = 3;
// The resolution a PDF page of the drawing stands for, as the metafiles' reference device.
constexpr double kPdfDrawingDpi = 96.0;
constexpr double kMmPerInch = 25.4;
constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;
constexpr int kScriptNumbers = 100001;

// The picture scaled down, keeping its proportions, so that it keeps within the limits.
void limit(PictureSize& size, std::int32_t maxSide, std::int64_t maxPixels) {
    const double w = size.width, h = size.height;
    double f = 1.0;
    if (std::max(w, h) > maxSide) f = maxSide / std::max(w, h);
    if (w * h * f * f > static_cast<double>(maxPixels))
        f = std::sqrt(static_cast<double>(maxPixels) / (w * h));
    if (f >= 1.0) return;
    size.width = std::max<std::int32_t>(1, static_cast<std::int32_t>(std::floor(w * f)));
    size.height = std::max<std::int32_t>(1, static_cast<std::int32_t>(std::floor(h * f)));
    size.reduced = true;
}

std::int32_t pixelsFor(double centimetres) {
    if (!(centimetres > 0)) return 0;
    const double px = std::floor(centimetres) * kExportPixelsPerCm;
    return px >= kMaxPictureSide * 1024.0 ? kMaxPictureSide * 1024 : static_cast<std::int32_t>(px);
}

struct Job {
    TZCeiling& doc;
    int formIndex;
    PictureSize size;
    ExportServices& services;
    DrawingCache cache;
    std::wstring continuation;

    bool sheet() const { return formIndex >= 0; }
    SheetPage page(std::int32_t top = 0) const {
        return {0, top, size.width, size.height, kA4WidthMm, kA4HeightMm};
    }

    // The drawing, or the sheet as a first page (its continuation text kept).
    bool drawFirst(Surface& surface) {
        if (!sheet()) {
            PaintRequest request;
            request.direct = true;
            request.target = Rect{0, 0, size.width, size.height};
            request.referenceWidth = size.referenceWidth;
            request.referenceHeight = size.referenceHeight;
            paintDrawing(surface, doc, services.settings, request, cache, &services.codec);
            return true;
        }
        continuation.clear();
        return withForm(
            [&](const SheetServices& s) { return drawSheet(doc, surface, continuation, true, page(), s); });
    }

    // Whether the sheet leaves text for a continuation page, learnt by drawing it where nothing shows.
    bool learnContinuation() {
        if (!sheet()) return true;
        ScratchSurface scratch(services.backend.measurer(), deviceMetricsFor(size.width, size.height));
        return drawFirst(scratch);
    }

    template <typename Draw> bool withForm(Draw draw) {
        if (services.variables == nullptr) return false;
        const std::int32_t savedIndex = doc.printFormIndex;
        doc.printFormIndex = formIndex;
        const bool ok = draw(SheetServices{services.settings, *services.variables, &services.codec, &cache});
        doc.printFormIndex = savedIndex;
        return ok;
    }
};

ExportResult finished(ExportResult r, ExportStatus status) {
    r.status = status;
    return r;
}

ExportResult exportRaster(Job& job, ExportResult result, const std::wstring& path) {
    const std::int32_t height = result.pictureHeight;
    std::unique_ptr<RasterPicture> picture = job.services.backend.createRaster(job.size.width, height);
    if (!picture) return finished(result, ExportStatus::DrawingFailed);
    if (!job.drawFirst(picture->surface())) return finished(result, ExportStatus::DrawingFailed);
    if (result.pages > 1)
        drawContinuationPage(picture->surface(), job.continuation, job.page(job.size.height));
    const Bitmap& pixels = picture->finish();
    bool written = false;
    switch (result.format) {
    case ExportFormat::Gif:
        written = writeGif(pixels, codepage::toPath(path));
        break;
    case ExportFormat::Png:
        written = job.services.codec.encodeFile(pixels, ImageFormat::Png, path);
        break;
    case ExportFormat::Tiff:
        written = job.services.codec.encodeFile(pixels, ImageFormat::Tiff, path);
        break;
    case ExportFormat::Jpeg:
        written = job.services.codec.encodeFile(pixels, ImageFormat::Jpeg, path);
        break;
    default:
        break;
    }
    return finished(result, written ? ExportStatus::Written : ExportStatus::WriteFailed);
}

template <typename Writer>
ExportResult exportMetafile(Job& job, ExportResult result, const std::filesystem::path& path) {
    Writer writer(job.size.width, result.pictureHeight, job.services.backend.measurer());
    if (!job.drawFirst(writer)) return finished(result, ExportStatus::DrawingFailed);
    if (result.pages > 1) drawContinuationPage(writer, job.continuation, job.page(job.size.height));
    return finished(result, writer.save(path) ? ExportStatus::Written : ExportStatus::WriteFailed);
}

ExportResult exportPdf(Job& job, ExportResult result, const std::filesystem::path& path) {
    result.pictureHeight = job.size.height;
    const double widthMm = job.sheet() ? kA4WidthMm : job.size.width * kMmPerInch / kPdfDrawingDpi;
    const double heightMm = job.sheet() ? kA4HeightMm : job.size.height * kMmPerInch / kPdfDrawingDpi;
    std::unique_ptr<PdfDocument> pdf =
        job.services.backend.createPdf(path, job.size.width, job.size.height, widthMm, heightMm);
    if (!pdf) return finished(result, ExportStatus::Unsupported);
    if (!job.drawFirst(pdf->surface())) {
        pdf->finish();
        std::error_code ec;
        std::filesystem::remove(path, ec);
        return finished(result, ExportStatus::DrawingFailed);
    }
    if (result.pages > 1) {
        if (!pdf->newPage()) return finished(result, ExportStatus::WriteFailed);
        drawContinuationPage(pdf->surface(), job.continuation, job.page());
    }
    return finished(result, pdf->finish() ? ExportStatus::Written : ExportStatus::WriteFailed);
}

std::wstring randomNumberText() {
    std::random_device device;
    return std::to_wstring(device() % 1000000000u);
}

ExportResult exportForWord(TZCeiling& doc, const std::wstring& path, int formIndex,
                           ExportServices& services) {
    std::error_code ec;
    std::filesystem::remove(codepage::toPath(path), ec);
    const std::filesystem::path folder =
        services.tempFolder.empty() ? std::filesystem::temp_directory_path(ec) : services.tempFolder;
    const std::filesystem::path picture = folder / codepage::toPath(L"tz" + randomNumberText() + L".tmp.emf");
    ExportResult result = exportDrawing(doc, codepage::fromPath(picture), formIndex, services);
    result.format = ExportFormat::Word;
    result.picture = picture;
    if (!result.ok()) return result;
    LocalTime now;
    if (services.clock != nullptr) now = services.clock->now();
    result.script = folder / codepage::toPath(wordScriptName(now.hour, now.minute, now.second));
    const std::wstring ending =
        path.size() >= kEndingLength ? path.substr(path.size() - kEndingLength) : path;
    result.saveAndQuit = ending == L"doc";
    if (!writeScriptFile(result.script, buildPictureScript(result.saveAndQuit)))
        result.status = ExportStatus::WriteFailed;
    return result;
}

} // namespace

ExportFormat exportFormatFor(const std::wstring& path) {
    if (path.size() < kEndingLength) return ExportFormat::Word;
    const std::wstring ending = path.substr(path.size() - kEndingLength);
    if (ending == L"png") return ExportFormat::Png;
    if (ending == L"gif") return ExportFormat::Gif;
    if (ending == L"iff") return ExportFormat::Tiff;
    if (ending == L"jpg") return ExportFormat::Jpeg;
    if (ending == L"wmf") return ExportFormat::Wmf;
    if (ending == L"emf") return ExportFormat::Emf;
    if (ending == L"pdf") return ExportFormat::Pdf;
    return ExportFormat::Word;
}

PictureSize drawingPictureSize(TZCeiling& doc) {
    PictureSize size;
    const auto bounds = workingOutlineBounds(doc, doc.showConstructions);
    if (!bounds) return size;
    size.width = size.requestedWidth = pixelsFor(bounds->maxX - bounds->minX);
    size.height = size.requestedHeight = pixelsFor(bounds->maxY - bounds->minY);
    if (size.empty()) return size;
    limit(size, kMaxPictureSide, kMaxPicturePixels);
    // 1450 on the longer side, proportionally less on the other.
    if (size.width >= size.height) {
        size.referenceWidth = kReferenceOutputSide;
        size.referenceHeight =
            static_cast<std::int32_t>(std::int64_t{kReferenceOutputSide} * size.height / size.width);
    } else {
        size.referenceHeight = kReferenceOutputSide;
        size.referenceWidth =
            static_cast<std::int32_t>(std::int64_t{kReferenceOutputSide} * size.width / size.height);
    }
    return size;
}

PictureSize sheetPictureSize(TZCeiling& doc) {
    const PictureSize drawing = drawingPictureSize(doc);
    PictureSize size;
    // The sheet is a page of A4 proportions; drawn into the drawing's own proportions its texts
    // and lines would be squeezed out of shape.
    const std::int32_t longer = std::max({drawing.requestedWidth, drawing.requestedHeight, kMinSheetHeight});
    size.requestedHeight = longer;
    size.requestedWidth = static_cast<std::int32_t>(std::lround(longer * kA4WidthMm / kA4HeightMm));
    size.width = size.requestedWidth;
    size.height = size.requestedHeight;
    // A continuation page doubles the picture's height.
    limit(size, kMaxPictureSide / 2, kMaxPicturePixels / 2);
    return size;
}

std::wstring wordScriptName(int hour, int minute, int second) {
    const int seconds = hour * kSecondsPerHour + minute * kSecondsPerMinute + second;
    return L"ex1script" + std::to_wstring(((seconds % kScriptNumbers) + kScriptNumbers) % kScriptNumbers) +
           L".js";
}

ExportResult exportDrawing(TZCeiling& doc, const std::wstring& path, int formIndex,
                           ExportServices& services) {
    ExportResult result;
    result.format = exportFormatFor(path);
    if (result.format == ExportFormat::Word) return exportForWord(doc, path, formIndex, services);
    if (formIndex >= 0 && doc.resources.printForms.checkedAt(formIndex) == nullptr)
        return finished(result, ExportStatus::NoSuchForm);
    if (formIndex < 0 && doc.editor.mode == kModeStart) return finished(result, ExportStatus::NothingToDraw);

    Job job{doc,      formIndex, formIndex >= 0 ? sheetPictureSize(doc) : drawingPictureSize(doc),
            services, {},        {}};
    result.size = job.size;
    if (job.size.empty()) return finished(result, ExportStatus::NothingToDraw);
    if (!job.learnContinuation()) return finished(result, ExportStatus::DrawingFailed);
    result.pages = job.continuation.empty() ? 1 : 2;
    result.pictureHeight = job.size.height * result.pages;

    const std::filesystem::path file = codepage::toPath(path);
    switch (result.format) {
    case ExportFormat::Wmf:
        return exportMetafile<WmfWriter>(job, result, file);
    case ExportFormat::Emf:
        return exportMetafile<EmfWriter>(job, result, file);
    case ExportFormat::Pdf:
        return exportPdf(job, result, file);
    default:
        return exportRaster(job, result, path);
    }
}

} // namespace tenzora
