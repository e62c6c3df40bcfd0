// tenzora-cli receipt: material put into stock (or, with a negative quantity, written off), as
// the materials dialog's "Добавить остаток на склад" records it.

#include "business/receipt.h"
#include "cli/commands.h"
#include "storage/codepage.h"
#include "storage/material_base.h"

namespace tenzora {

namespace cli {

int runReceipt(Context& context, Arguments& args) {
    const auto id = args.option("--material");
    const auto quantity = args.option("--quantity");
    const auto date = args.option("--date");
    if (!args.positional().empty()) throw UsageError("receipt takes no positional arguments");
    if (!id || !quantity || !date) throw UsageError("receipt needs --material, --quantity and --date");
    const int materialId = parseInteger(*id, "--material");
    const TZMaterialBase& base = context.doc().resources.materialBase;
    const Material* material = nullptr;
    for (const Material& m : base) {
        if (m.id == materialId) {
            material = &m;
            break;
        }
    }
    if (material == nullptr)
        throw Failure("В базе материалов нет материала с номером " + std::to_string(materialId));
    // The texts go through the dialog's checks as typed; their messages are printed as they come.
    const std::wstring dateText = codepage::fromUtf8(*date);
    const std::optional<double> amount =
        receiptQuantity(context.ui(), codepage::fromUtf8(*quantity), dateText);
    if (!amount) throw Failure("");
    const std::optional<std::wstring> path =
        recordReceipt(context.ui(), context.app().settings().drawingFolders, *material, *amount, dateText);
    if (!path) throw Failure("");
    printJson({{"path", utf8(*path)}});
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
