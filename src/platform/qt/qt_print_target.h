#pragma once
// A QPrinter as the print job's printer: the system's printers through CUPS, or Qt's own PDF
// printer. Pages are painted by QtSurface straight on the printer's QPainter in device pixels,
// so lines and texts reach the printer (or the PDF) as vectors and text, not as a picture.

#include <QPainter>
#include <memory>

#include "platform/print_target.h"
#include "platform/qt/qt_text_measurer.h"

class QPrinter;

namespace tenzora {

class QtSurface;

class QtPrintTarget : public PrintTarget {
  public:
    // The printer must outlive the target.
    explicit QtPrintTarget(QPrinter& printer);
    ~QtPrintTarget() override;

    // The printable area: the printer's printable millimetres at its resolution.
    PrintablePage page() const override;
    bool startDocument(const std::wstring& name) override;
    Surface& surface() override;
    bool nextPage() override;
    bool endPage() override;
    bool endDocument() override;
    void abort() override;

  private:
    void startSurface();

    QPrinter& printer_;
    QPainter painter_;
    QtTextMeasurer measurer_;
    std::unique_ptr<QtSurface> surface_;
};

} // namespace tenzora
