// tenzora-cli clients: the client list gathered from the drawing folders; with --csv also the
// dialog's "В Excel" table.

#include "business/client_scan.h"
#include "business/csv_tables.h"
#include "cli/commands.h"
#include "storage/codepage.h"

namespace tenzora {

namespace cli {

int runClients(Context& context, Arguments& args) {
    const std::optional<std::string> csv = args.option("--csv");
    if (!args.positional().empty()) throw UsageError("clients takes no arguments");
    const ClientScan scan = scanClients(context.app().settings().drawingFolders);
    // A failed write has been printed as the window would show it.
    if (csv && !writeClientsCsv(context.ui(), codepage::fromUtf8(*csv), scan.clients)) throw Failure("");
    nlohmann::json clients = nlohmann::json::array();
    for (const TZClientsList& c : scan.clients)
        clients.push_back({{"id", c.id},
                           {"name", utf8(c.name)},
                           {"phone", utf8(c.phone)},
                           {"inn", utf8(c.inn)},
                           {"kpp", utf8(c.kpp)},
                           {"address", utf8(c.address)},
                           {"account", utf8(c.account)},
                           {"orderCount", c.orderCount},
                           {"priceSum", c.priceSum}});
    nlohmann::json projects = nlohmann::json::array();
    for (const TZCeilsList& p : scan.projects)
        projects.push_back({{"clientId", p.clientId},
                            {"orderName", utf8(p.orderName)},
                            {"orderDate", utf8(p.orderDate)},
                            {"orderNumber", utf8(p.orderNumber)},
                            {"price", utf8(p.price)},
                            {"path", utf8(p.path)}});
    printJson({{"clients", clients}, {"projects", projects}});
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
