#include "output/sheet.h"

#include <cmath>
#include <memory>
#include <optional>

#include "editor/drawing_cache.h"
#include "editor/painting.h"
#include "editor/photo_overlay.h"
#include "editor/print_size.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "model/view_transform.h"
#include "platform/surface.h"

namespace tenzora {

namespace {

// Sizes in millimetres-of-the-page units that go through printSize (sheet pixels of a 1450-pixel
// reference page).
constexpr int kTabStop2 = 730;
constexpr int kTabStop3 = 800;
constexpr int kTabbedLineStep = 25;
// The continuation page's font height and box, in millimetres.
constexpr double kContinuationFontMm = 5;
constexpr double kContinuationMarginMm = 10;
constexpr double kContinuationWidthMm = 190;
constexpr double kContinuationHeightMm = 277;

std::int32_t sheetSize(const SheetPage& page, double base) {
    return printSize(base, page.widthPx, page.heightPx, 1);
}

double pxPerMmX(const SheetPage& page) {
    return page.widthPx / page.widthMm;
}
double pxPerMmY(const SheetPage& page) {
    return page.heightPx / page.heightMm;
}

// The font of the sheet's texts: Tahoma bold, Cyrillic, TrueType only, variable pitch Swiss.
Font sheetFont(std::int32_t height) {
    Font f;
    f.face = kTahoma;
    f.height = height;
    f.weight = kWeightBold;
    f.charSet = kCharSetCyrillic;
    f.outPrecision = kOutPrecisionTrueTypeOnly;
    f.pitchAndFamily = kVariablePitchSwiss;
    return f;
}

void prepareText(Surface& surface, std::int32_t height) {
    surface.setFont(sheetFont(height));
    surface.setTextColor(kBlack);
    surface.setTextAlign(kAlignTopLeft);
    surface.setBackgroundMode(BackgroundMode::Transparent);
}

std::int32_t textHeight(const TZPrintFormElem& element, const SheetPage& page) {
    return toPixel(page.widthPx * static_cast<double>(element.size) / page.widthMm);
}

// A variable's text: as tabbed lines when it holds a tab after its first character, otherwise
// word-wrapped into the element's box.
void drawVariableText(Surface& surface, const std::wstring& text, const Rect& box, const SheetPage& page) {
    const std::size_t tab = text.find(L'\t');
    if (tab == std::wstring::npos || tab == 0) {
        surface.drawWrappedText(box, text);
        return;
    }
    const auto after = [](std::int32_t v, std::int32_t d) { return Rect::saturate(std::int64_t{v} + d); };
    const std::int32_t stops[3] = {box.left, after(box.left, sheetSize(page, kTabStop2)),
                                   after(box.left, sheetSize(page, kTabStop3))};
    const std::int32_t step = sheetSize(page, kTabbedLineStep);
    std::int32_t y = box.top;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(L'\n', start), text.size());
        std::wstring_view line(text.data() + start, end - start);
        if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
        surface.tabbedTextOut({box.left, y}, line, stops, 0);
        y = after(y, step);
        if (end == text.size()) break;
        start = end + 1;
    }
}

// A picture fitted into the box on a white background.
void drawPicture(Surface& surface, const Bitmap& picture, const Rect& box) {
    const Rect area = fittedPicture(box, picture.width, picture.height);
    if (area.isEmpty()) return;
    surface.fillRect(box, kWhite);
    surface.drawBitmap(picture, area);
}

bool drawFigure(TZCeiling& doc, TZPrintForm& form, const TZPrintFormElem& element, Surface& surface,
                const Rect& box, const SheetPage& page, const SheetServices& services) {
    if (element.size == kPurposeLayoutSheet && services.settings.dealerMode) return false;
    const std::int32_t savedMode = doc.editor.mode;
    doc.editor.mode = element.size == kPurposeLayoutSheet ? kModeCutting : kModeNoTool;
    surface.pushClip(box);
    doc.fontScale = element.percent / 100.0;
    PaintRequest request;
    request.purpose = element.size;
    request.direct = true;
    request.target = box;
    request.referenceWidth = page.widthPx;
    request.referenceHeight = page.heightPx;
    std::optional<DrawingCache> own;
    DrawingCache& cache = services.cache ? *services.cache : own.emplace();
    const PaintOutcome outcome =
        paintDrawing(surface, doc, services.settings, request, cache, services.images);
    doc.fontScale = 1.0;
    // Centimetres of the ceiling one millimetre of the printed drawing stands for, along the
    // side of the box the drawing fills.
    const double pixelsPerCm = outcome.transform.scale();
    const double pixelsPerMm = outcome.transform.fitsHeight() ? pxPerMmY(page) : pxPerMmX(page);
    form.scale = pixelsPerCm > 0 && std::isfinite(pixelsPerMm) ? pixelsPerMm / pixelsPerCm : 0.0;
    surface.popClip();
    doc.editor.mode = savedMode;
    return true;
}

} // namespace

Rect elementBox(const TZPrintFormElem& e, const SheetPage& page) {
    const std::int32_t x = toPixel(e.x * page.widthPx / page.widthMm + page.left);
    const std::int32_t y = toPixel(e.y * page.heightPx / page.heightMm + page.top);
    const std::int32_t w = toPixel(e.width * page.widthPx / page.widthMm);
    const std::int32_t h = toPixel(e.height * page.heightPx / page.heightMm);
    return {x, y, Rect::saturate(std::int64_t{x} + w), Rect::saturate(std::int64_t{y} + h)};
}

Rect fittedPicture(const Rect& box, std::int32_t bmWidth, std::int32_t bmHeight) {
    const std::int64_t w = box.width(), h = box.height();
    if (w <= 0 || h <= 0 || bmWidth <= 0 || bmHeight <= 0) return {};
    std::int64_t fw = w, fh = std::int64_t{bmHeight} * w / bmWidth;
    if (h < fh) {
        fh = h;
        fw = h * bmWidth / bmHeight;
    }
    return Rect::fromSize(box.left, box.top, static_cast<std::int32_t>(fw), static_cast<std::int32_t>(fh));
}

bool drawPrintElement(TZCeiling& doc, TZPrintForm& form, const TZPrintFormElem& element, Surface& surface,
                      std::wstring& continuation, const SheetPage& page, const SheetServices& services) {
    const Rect box = elementBox(element, page);
    switch (static_cast<PrintElemType>(element.type)) {
    case PrintElemType::Logo:
        if (surface.metrics().canCopyBitmaps && !doc.resources.printLogo.empty())
            drawPicture(surface, doc.resources.printLogo, box.normalized());
        return true;
    case PrintElemType::Print:
        prepareText(surface, textHeight(element, page));
        surface.textOut({box.left, box.top}, element.text);
        return true;
    case PrintElemType::PrintVar: {
        if (element.variable <= 0) return true; // a name that is no variable prints nothing
        const std::wstring text = services.variables.text(form, element, element.variable, continuation);
        prepareText(surface, textHeight(element, page));
        drawVariableText(surface, text, box, page);
        return true;
    }
    case PrintElemType::Line:
        surface.setPen(solidPen(sheetSize(page, 1), kBlack));
        surface.line({box.left, box.top}, {box.right, box.bottom});
        return true;
    case PrintElemType::Figure:
        return drawFigure(doc, form, element, surface, box.normalized(), page, services);
    case PrintElemType::English:
        form.english = true;
        return true;
    case PrintElemType::Picture: {
        if (!surface.metrics().canCopyBitmaps) return true;
        TZPicture* photo = doc.photos.checkedAt(element.size - 1);
        if (photo != nullptr && ensurePhotoLoaded(*photo, services.images))
            drawPicture(surface, *photo->image, box.normalized());
        return true;
    }
    case PrintElemType::Unknown:
        return true;
    }
    return true;
}

bool drawPrintForm(TZCeiling& doc, TZPrintForm& form, Surface& surface, std::wstring& continuation,
                   bool firstPage, const SheetPage& page, const SheetServices& services) {
    if (!(page.widthMm > 0) || !(page.heightMm > 0) || page.widthPx <= 0 || page.heightPx <= 0) return false;
    // The texts of the sheet name the constructions by their points in the working outline, so
    // the records get them first, as the drawing on the screen gives them.
    {
        std::optional<DrawingCache> own;
        regenerateDrawnOutline(doc, services.settings, services.cache ? *services.cache : own.emplace());
    }
    std::unique_ptr<Surface> scratch;
    if (!firstPage) scratch = surface.createScratch();
    Surface& target = scratch ? *scratch : surface;
    const DrawState saved = target.state();
    bool ok = true;
    for (const TZPrintFormElem& element : form) {
        if (!drawPrintElement(doc, form, element, target, continuation, page, services)) {
            ok = false;
            break;
        }
    }
    target.setState(saved);
    return ok;
}

bool drawSheet(TZCeiling& doc, Surface& surface, std::wstring& continuation, bool firstPage,
               const SheetPage& page, const SheetServices& services) {
    TZPrintForm* form = doc.resources.printForms.checkedAt(doc.printFormIndex);
    if (form == nullptr) return true;
    return drawPrintForm(doc, *form, surface, continuation, firstPage, page, services);
}

void drawContinuationPage(Surface& surface, std::wstring_view text, const SheetPage& page) {
    if (!(page.widthMm > 0) || !(page.heightMm > 0)) return;
    const DrawState saved = surface.state();
    prepareText(surface, toPixel(kContinuationFontMm * page.widthPx / page.widthMm));
    const std::int32_t left = page.left + toPixel(kContinuationMarginMm * page.widthPx / page.widthMm);
    const std::int32_t top = page.top + toPixel(kContinuationMarginMm * page.heightPx / page.heightMm);
    const std::int32_t width = toPixel(kContinuationWidthMm * page.widthPx / page.widthMm);
    const std::int32_t height = toPixel(kContinuationHeightMm * page.heightPx / page.heightMm);
    surface.drawWrappedText(Rect::fromSize(left, top, width, height), text);
    surface.setState(saved);
}

} // namespace tenzora
