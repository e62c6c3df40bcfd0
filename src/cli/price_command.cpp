// tenzora-cli price: the estimate of a project from price.dat of the program directory.

#include "business/estimate.h"
#include "cli/commands.h"
#include "storage/price_file.h"

namespace tenzora {

namespace cli {

int runPrice(Context& context, Arguments& args) {
    const auto files = args.positional();
    if (files.size() != 1) throw UsageError("price needs exactly one project file");
    context.openProject(files[0]);
    const TZCeiling& doc = context.doc();
    TZPriceFile prices;
    prices.load(context.app().programDir());
    const CostEstimate estimate(doc, prices, {context.app().settings().materialWithTension});
    const double materialSum = estimate.jobCost(false);
    nlohmann::json works = nlohmann::json::array();
    for (const TZDopRabObject& w : doc.extraWorks)
        works.push_back({{"name", utf8(w.name)},
                         {"quantity", w.quantity},
                         {"cost", estimate.extraWorkCost(w.name, w.quantity, doc.city, materialSum)}});
    printJson({{"jobCost", estimate.jobCost(true)},
               {"materialSum", materialSum},
               {"extrasSum", estimate.extrasSum(materialSum)},
               {"extraWorks", works}});
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
