#include "platform/qt/widgets_print_dialog.h"

#include <QPrintDialog>

#include "platform/qt/qt_print_target.h"
#include "platform/qt/qt_text.h"

QtPrinterChooser::QtPrinterChooser(QWidget* parent) : parent_(parent), printer_(QPrinter::HighResolution) {}

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
