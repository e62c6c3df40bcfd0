// tenzora-cli order-export: the window's "Выгрузка данных проекта" into a named file.

#include "cli/commands.h"
#include "output/order_export.h"
#include "storage/codepage.h"
#include "storage/export_file.h"
#include "storage/price_file.h"

namespace tenzora {

namespace cli {

int runOrderExport(Context& context, Arguments& args) {
    const auto files = args.positional();
    if (files.size() != 2) throw UsageError("order-export needs a project file and an output file");
    // The window's command silently does nothing for a dealer; a script asking for the file is
    // told that it was not written.
    if (context.app().settings().dealerMode)
        throw Failure("Выгрузка данных проекта недоступна в режиме дилера");
    context.openProject(files[0]);
    TZPriceFile prices;
    prices.load(context.app().programDir());
    const std::wstring text =
        orderExportText(context.doc(), prices, {context.app().settings().materialWithTension});
    // A failed write has been printed as the window would show it.
    if (!writeExportText(context.ui(), codepage::fromUtf8(files[1]), text)) throw Failure("");
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
