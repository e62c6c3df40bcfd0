#include "platform/qt/qt_print_target.h"

#include <QPrinter>

#include "platform/qt/qt_surface.h"
#include "platform/qt/qt_text.h"

namespace tenzora {

QtPrintTarget::QtPrintTarget(QPrinter& printer) : printer_(printer) {}

QtPrintTarget::~QtPrintTarget() {
    surface_.reset();
    if (painter_.isActive()) painter_.end();
}

PrintablePage QtPrintTarget::page() const {
    PrintablePage page;
    page.widthMm = printer_.widthMM();
    page.heightMm = printer_.heightMM();
    page.widthPx = printablePixels(page.widthMm, printer_.logicalDpiX());
    page.heightPx = printablePixels(page.heightMm, printer_.logicalDpiY());
    return page;
}

bool QtPrintTarget::startDocument(const std::wstring& name) {
    printer_.setDocName(toQt(name));
    printer_.setCreator(QStringLiteral("Tenzora"));
    if (!painter_.begin(&printer_)) return false;
    startSurface();
    return true;
}

void QtPrintTarget::startSurface() {
    surface_ = std::make_unique<QtSurface>(painter_, &measurer_);
    const PrintablePage p = page();
    DeviceMetrics metrics = deviceMetricsFor(p.widthPx, p.heightPx, printer_.logicalDpiX());
    metrics.widthMm = p.widthMm;
    metrics.heightMm = p.heightMm;
    surface_->setMetrics(metrics);
}

Surface& QtPrintTarget::surface() {
    if (!surface_) startSurface();
    return *surface_;
}

bool QtPrintTarget::nextPage() {
    if (!painter_.isActive()) return false;
    surface_.reset();
    const bool ok = printer_.newPage();
    startSurface();
    return ok;
}

// Qt ends a page when the next one starts or the document ends; there is nothing to fail here
// but a painter that is no longer painting.
bool QtPrintTarget::endPage() {
    return painter_.isActive();
}

bool QtPrintTarget::endDocument() {
    surface_.reset();
    return painter_.isActive() && painter_.end();
}

void QtPrintTarget::abort() {
    surface_.reset();
    printer_.abort();
    if (painter_.isActive()) painter_.end();
}

} // namespace tenzora
