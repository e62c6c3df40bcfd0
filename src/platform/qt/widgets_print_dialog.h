#pragma once
// The system print dialog (Qt's, over CUPS): the printer, its copies and collation; page
// ranges, the selection and the current page are hidden, since the sheet is one or two pages.
// Qt's own "print to PDF file" printer stays in the list. The chosen printer is kept for the
// next job. A test replaces the dialog by a runner that sets up the printer itself.

#include <QPrinter>
#include <functional>
#include <memory>

#include "platform/print_target.h"

class QWidget;

namespace tenzora {

class QtPrinterChooser : public PrinterChooser {
  public:
    // Shows the dialog for the printer; true when the user chose to print.
    using DialogRunner = std::function<bool(QPrinter& printer)>;

    explicit QtPrinterChooser(QWidget* parent = nullptr);
    ~QtPrinterChooser() override;

    std::unique_ptr<PrintTarget> choosePrinter(const std::wstring& documentName) override;

    void setDialogRunner(DialogRunner runner) { runner_ = std::move(runner); }
    QPrinter& printer() { return printer_; }

    // The dialog as the program shows it.
    static bool runSystemDialog(QPrinter& printer, QWidget* parent);

  private:
    QWidget* parent_;
    QPrinter printer_;
    DialogRunner runner_;
};

} // namespace tenzora
