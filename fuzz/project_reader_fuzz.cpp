// The project reader on any bytes: it must never crash, leak or allocate without bound, and
// whatever it accepts must write an image that reads back and writes again byte for byte (which
// is also what an undo step relies on).

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "../tests/storage/image_bytes.h"
#include "fresh_project.h"
#include "model/ceiling.h"
#include "platform/ui_services.h"
#include "seeds.h"
#include "storage/project_image.h"

using namespace tenzora;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilentUiServices ui;
    TZCeiling empty(ui, kNoProgramDir);
    TZCeiling full(ui, kNoProgramDir);
    fillEveryField(full);
    const ImageBytes layout = expectedImage(full);
    TZDynamicMemory scrambled;
    scrambled.assign(layout.bytes);
    scrambled.scramble(scrambleKeys::K2);
    scrambled.scramble(scrambleKeys::K1);
    writeSeeds({{"empty.tz", imageOf(empty)},
                {"full.tz", imageOf(full)},
                {"previous-format.tz", layout.before(84)},
                {"receipt.tz", layout.before(49)},
                {"scrambled.tz", std::string(scrambled.bytes())}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A document is costly to make (its undo buffers), so two are made once and reused. Before
    // each input the reading document gets the image of a new project, which sets every stored
    // member, so that each input starts from the same document whatever the previous one left.
    static SilentUiServices ui;
    static TZCeiling doc(ui, kNoProgramDir);
    static SilentUiServices copyUi;
    static TZCeiling copy(copyUi, kNoProgramDir);
    resetToNewProject(doc);
    bool currentFormat = true;

    TZDynamicMemory input;
    input.assign(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!loadFromStream(doc, input, currentFormat)) return 0;

    // A complete image overwrites every stored member, so one document serves every round trip.
    const std::string first = imageOf(doc);
    TZDynamicMemory firstStream;
    firstStream.assign(first);
    if (!loadFromStream(copy, firstStream, currentFormat) || !currentFormat) std::abort();
    if (imageOf(copy) != first) std::abort();
    return 0;
}
