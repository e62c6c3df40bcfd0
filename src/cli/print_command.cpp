// print and printers: the print job of a sheet on a CUPS queue, and the list of the queues.

#include "cli/commands.h"
#include "editor/drawing_cache.h"
#include "model/ceiling.h"
#include "output/print_form_file.h"
#include "output/print_job.h"
#include "output/sheet_variables_adapter.h"
#include "platform/qt/cups_queue.h"

namespace tenzora {

namespace cli {

namespace {
// A sheet is one or two pages; a mistyped count must not fill a printer's tray.
constexpr int kMaxCopies = 999;
} // namespace

int runPrint(Context& context, Arguments& args) {
    const auto formText = args.option("--form");
    const auto printer = args.option("--printer");
    const auto copiesText = args.option("--copies");
    const auto files = args.positional();
    if (files.size() != 1) throw UsageError("print needs a project file");
    if (!formText) throw UsageError("print needs --form N");
    const int form = parseInteger(*formText, "--form");
    if (form < 0) throw UsageError("--form takes a form number from 0");
    const int copies = copiesText ? parseInteger(*copiesText, "--copies") : 1;
    if (copies < 1 || copies > kMaxCopies) throw UsageError("--copies takes a number from 1 to 999");
    if (printer && printer->empty()) throw UsageError("--printer needs a queue name");

    context.openProject(files[0]);
    TZCeiling& doc = context.doc();
    const AppSettings& settings = context.app().settings();
    std::wstring missingLogo;
    context.app().loadLogos(missingLogo); // a sheet without its logo is still a sheet
    reloadPrintForms(doc, settings.dealerMode);
    if (form >= doc.resources.printForms.count())
        throw Failure("no print form " + std::to_string(form) + ": the program directory has " +
                      std::to_string(doc.resources.printForms.count()));

    std::string error;
    std::unique_ptr<CupsQueueTarget> queue = CupsQueueTarget::open(printer.value_or(""), copies, error);
    if (!queue) throw Failure(error);

    VariableTextsAdapter variables(doc, settings);
    DrawingCache cache;
    const SheetServices sheet{settings, variables, &context.images(), &cache};
    doc.printFormIndex = form;
    const PrintResult result = printSheet(doc, *queue, sheet);
    if (result.status == PrintStatus::DrawingFailed)
        throw Failure("the sheet of print form " + std::to_string(form) + " could not be drawn");
    if (!result.ok()) throw Failure(queue->error().empty() ? "the print job failed" : queue->error());
    printJson({{"printer", queue->queue()}, {"pages", result.pages}, {"job", queue->jobId()}});
    return kExitOk;
}

int runPrinters(Context&, Arguments& args) {
    if (!args.positional().empty()) throw UsageError("printers takes no arguments");
    std::vector<PrintQueueInfo> queues;
    std::string error;
    if (!listPrintQueues(queues, error)) throw Failure(error);
    nlohmann::json list = nlohmann::json::array();
    for (const PrintQueueInfo& q : queues)
        list.push_back({{"name", q.name}, {"default", q.isDefault}, {"state", q.state}});
    printJson({{"printers", list}});
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
