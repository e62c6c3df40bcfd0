// tenzora-cli materials-csv: the materials dialog's "В Excel" after "Показать остатки".

#include "business/csv_tables.h"
#include "business/materials_form.h"
#include "cli/commands.h"
#include "storage/codepage.h"

namespace tenzora {

namespace cli {

int runMaterialsCsv(Context& context, Arguments& args) {
    const auto files = args.positional();
    if (files.size() != 1) throw UsageError("materials-csv needs exactly one output file");
    // The working list as the dialog shows it, with the remainders of a stock scan of the drawing
    // folders (none configured: every remainder 0).
    MaterialsForm form(context.doc().resources.materialBase, context.ui());
    form.show();
    form.scanStock(context.app().settings().drawingFolders);
    if (!writeMaterialsCsv(context.ui(), codepage::fromUtf8(files[0]), form.rows())) throw Failure("");
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
