// The client list's reader of project files on any bytes, followed by the grouping of the
// projects into clients: no crash, leak or unbounded allocation, and the list stays consistent
// (ids in order, every project counted once under an existing client).

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "../tests/storage/image_bytes.h"
#include "business/client_scan.h"
#include "model/ceiling.h"
#include "platform/ui_services.h"
#include "seeds.h"

using namespace tenzora;

namespace {

const std::filesystem::path kNoProgramDir = "/nonexistent/tenzora-fuzz";

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilentUiServices ui;
    TZCeiling full(ui, kNoProgramDir);
    fillEveryField(full);
    full.client = L"ООО Ромашка¬123¬456¬Тверь¬4070¬+7 900";
    full.priceTag = "15300.50";
    const ImageBytes layout = expectedImage(full);
    TZDynamicMemory scrambled;
    scrambled.assign(layout.bytes);
    scrambled.scramble(scrambleKeys::K2);
    scrambled.scramble(scrambleKeys::K1);
    writeSeeds({{"project.tz", layout.bytes},
                {"scrambled.tz", std::string(scrambled.bytes())},
                {"order-fields.tz", layout.before(13)}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ClientListBuilder builder;
    // The same file twice: the second counts for the same client.
    for (int i = 0; i < 2; ++i)
        if (const std::optional<ClientFields> fields = readClientFields(bytes))
            builder.add(*fields, L"/f.tz");
    const ClientScan& scan = builder.scan();
    std::int32_t orders = 0;
    for (std::size_t i = 0; i < scan.clients.size(); ++i) {
        if (scan.clients[i].id != static_cast<std::int32_t>(i) + 1 || scan.clients[i].name.empty())
            std::abort();
        orders += scan.clients[i].orderCount;
    }
    if (orders != static_cast<std::int32_t>(scan.projects.size()) || scan.clients.size() > 1) std::abort();
    for (const TZCeilsList& p : scan.projects)
        if (p.clientId < 1 || p.clientId > static_cast<std::int32_t>(scan.clients.size())) std::abort();
    return 0;
}
