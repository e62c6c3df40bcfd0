// tenzora-cli stock: the stock scan over the drawing folders.

#include "business/stock_scan.h"
#include "cli/commands.h"
#include "storage/codepage.h"
#include "storage/material_base.h"

namespace tenzora {

namespace cli {

int runStock(Context& context, Arguments& args) {
    if (!args.positional().empty()) throw UsageError("stock takes no arguments");
    TZMaterialBase& base = context.doc().resources.materialBase;
    const std::vector<MaterialBalance> movements = scanStock(base, context.app().settings().drawingFolders);
    nlohmann::json materials = nlohmann::json::array();
    for (const Material& m : base)
        materials.push_back({{"id", m.id},
                             {"groupId", m.groupId},
                             {"isGroup", m.isGroup != 0},
                             {"name", utf8(codepage::fromCp1251(m.name))},
                             {"stock", m.stock}});
    nlohmann::json moves = nlohmann::json::array();
    for (const MaterialBalance& m : movements)
        moves.push_back({{"materialId", base[m.material].id},
                         {"quantity", m.quantity},
                         {"offcuts", m.offcuts},
                         {"client", utf8(codepage::fromCp1251(m.client))},
                         {"date", utf8(codepage::fromCp1251(m.date))},
                         {"title", utf8(codepage::fromCp1251(m.title))},
                         {"path", utf8(m.path)}});
    printJson({{"materials", materials}, {"movements", moves}});
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
