#include "output/print_job.h"

#include "editor/drawing_cache.h"
#include "model/ceiling.h"
#include "model/measurements.h"
#include "model/settings.h"
#include "output/print_form_file.h"
#include "platform/print_target.h"
#include "platform/ui_services.h"

namespace tenzora {

namespace {

PrintResult finished(PrintStatus status, int pages = 0) {
    return {status, pages};
}

} // namespace

bool preparePrintForms(TZCeiling& doc, const AppSettings& settings, std::vector<std::wstring>& names) {
    names.clear();
    if (!checkMaximumError(doc)) return false;
    reloadPrintForms(doc, settings.dealerMode);
    for (int i = 0; i < doc.resources.printForms.count(); ++i)
        names.push_back(doc.resources.printForms.at(i).name);
    return true;
}

std::wstring printDocumentName(const TZCeiling& doc) {
    return L"Чертёж " + doc.orderName;
}

PrintResult printSheet(TZCeiling& doc, PrintTarget& target, const SheetServices& sheet) {
    if (doc.resources.printForms.checkedAt(doc.printFormIndex) == nullptr)
        return finished(PrintStatus::NoSuchForm);
    // The document's printing switch is left off while the sheet is drawn: it would set the
    // corner labels twice as far out as on the screen, where a sheet's drawing box clips the
    // point names away; the sheet on paper is drawn as its exported picture and the preview are.
    // A document that did not start has no pages to draw on: going on would only add the page
    // and document errors of the same failure.
    if (!target.startDocument(printDocumentName(doc))) {
        doc.ui().error(kErrorStartDoc);
        return finished(PrintStatus::StartFailed);
    }
    const PrintablePage printable = target.page();
    const SheetPage page{0,
                         0,
                         printable.widthPx,
                         printable.heightPx,
                         static_cast<double>(printable.widthMm),
                         static_cast<double>(printable.heightMm)};
    std::wstring continuation;
    if (!drawSheet(doc, target.surface(), continuation, true, page, sheet)) {
        target.abort();
        return finished(PrintStatus::DrawingFailed);
    }
    int pages = 1;
    if (!continuation.empty()) {
        if (!target.nextPage()) {
            doc.ui().error(kErrorEndPage);
            target.abort();
            return finished(PrintStatus::PageFailed, pages);
        }
        drawContinuationPage(target.surface(), continuation, page);
        ++pages;
    }
    PrintStatus status = PrintStatus::Printed;
    if (!target.endPage()) {
        doc.ui().error(kErrorEndPage);
        status = PrintStatus::PageFailed;
    }
    if (!target.endDocument()) {
        doc.ui().error(kErrorEndDoc);
        status = PrintStatus::EndFailed;
    }
    return finished(status, pages);
}

PrintResult printDrawing(TZCeiling& doc, int mode, int formIndex, PrintServices& services) {
    if (doc.resources.printForms.checkedAt(formIndex) == nullptr) return finished(PrintStatus::NoSuchForm);
    doc.printFormIndex = formIndex;
    if (mode != kPrintModePrint) {
        if (services.showPreview) services.showPreview();
        return finished(PrintStatus::Previewed);
    }
    if (services.printers == nullptr) return finished(PrintStatus::Cancelled);
    std::unique_ptr<PrintTarget> target = services.printers->choosePrinter(printDocumentName(doc));
    if (!target) return finished(PrintStatus::Cancelled);
    DrawingCache cache;
    const SheetServices sheet{services.settings, services.variables, services.images, &cache};
    return printSheet(doc, *target, sheet);
}

} // namespace tenzora
