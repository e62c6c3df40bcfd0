#include "platform/qt/widgets_print_dialog.h"

#include <QPrintDialog>

#include "platform/qt/qt_print_target.h"
#include "platform/qt/qt_text.h"

namespace tenzora {

namespace {
// The sheet is laid out in device pixels: its one-pixel lines and point marks stay one device
// pixel, which at a printer's full resolution (600 or 1200 dpi) all but vanish on paper. At
// 300 dpi the sheet on paper looks as its exported picture does; texts and lines stay vectors.
constexpr int kSheetResolution = 300;
} // namespace

QtPrinterChooser::QtPrinterChooser(QWidget* parent) : parent_(parent), printer_(QPrinter::HighResolution) {
    printer_.setResolution(kSheetResolution);
}

QtPrinterChooser::~QtPrinterChooser() = default;

bool QtPrinterChooser::runSystemDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

std::unique_ptr<PrintTarget> QtPrinterChooser::choosePrinter(const std::wstring& documentName) {
    printer_.setDocName(toQt(documentName));
    const bool accepted = runner_ ? runner_(printer_) : runSystemDialog(printer_, parent_);
    if (!accepted) return nullptr;
    return std::make_unique<QtPrintTarget>(printer_);
}

} // namespace tenzora
