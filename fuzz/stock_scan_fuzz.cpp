// The stock scan's reader of project and receipt files on any bytes: no crash, leak or unbounded
// allocation; the texts it keeps fit their fixed fields; and whatever it accepts, the full project
// reader accepts too, with the same material and quantities (the scan must count a project as
// the program would open it).

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "../tests/storage/image_bytes.h"
#include "business/receipt.h"
#include "business/stock_scan.h"
#include "model/ceiling.h"
#include "platform/ui_services.h"
#include "seeds.h"
#include "storage/project_image.h"

using namespace tenzora;

namespace {

// No materials.mat is read or written while fuzzing.
const std::filesystem::path kNoProgramDir = "/nonexistent/tenzora-fuzz";

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilentUiServices ui;
    TZCeiling full(ui, kNoProgramDir);
    fillEveryField(full);
    const ImageBytes layout = expectedImage(full);
    TZDynamicMemory scrambled;
    scrambled.assign(layout.bytes);
    scrambled.scramble(scrambleKeys::K2);
    scrambled.scramble(scrambleKeys::K1);
    Material fabric;
    fabric.id = 7;
    fabric.groupId = 3;
    fabric.name = "Fabric";
    writeSeeds({{"project.tz", layout.bytes},
                {"scrambled.tz", std::string(scrambled.bytes())},
                {"receipt.tz", receiptImage(fabric, 10.0, L"01.02.2023")},
                {"short.tz", layout.before(36)}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<StockFields> fields = readStockFields(bytes);
    if (!fields) return 0;
    if (fields->orderDate.size() >= MaterialBalance::kDateField ||
        fields->client.size() >= MaterialBalance::kClientField ||
        fields->orderName.size() >= MaterialBalance::kTitleField ||
        fields->materialName.size() >= Material::kNameField)
        std::abort();

    static SilentUiServices ui;
    static TZCeiling doc(ui, kNoProgramDir);
    doc.material.name.clear();
    TZDynamicMemory stream;
    stream.assign(bytes);
    bool currentFormat = true;
    if (!loadFromStream(doc, stream, currentFormat)) std::abort();
    if (doc.material.groupId != fields->groupId || doc.material.name != fields->materialName ||
        !sameBits(doc.materialQuantity, fields->materialQuantity) || !sameBits(doc.offcuts, fields->offcuts))
        std::abort();
    return 0;
}
