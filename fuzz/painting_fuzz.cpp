// The painting routine and the printed sheet on any project the reader accepts: whatever a file
// holds (coordinates far out or not numbers, zooms of zero, seams and cutouts that name no
// point, a shown photo that is missing), painting it for every purpose, on the screen and into
// a target, and drawing a sheet with every kind of element must neither crash nor hang, and the
// picture export's sizes must stay within their limits.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "../tests/support/painting_scene.h"
#include "editor/drawing_cache.h"
#include "editor/painting.h"
#include "fresh_project.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "output/picture_export.h"
#include "output/recording_surface.h"
#include "output/sheet.h"
#include "output/sheet_variables_adapter.h"
#include "platform/ui_services.h"
#include "seeds.h"
#include "storage/project_image.h"

using namespace tenzora;

namespace {

TZPrintForm everyElement() {
    TZPrintForm form;
    for (int type = 0; type <= 7; ++type) {
        TZPrintFormElem e;
        e.type = type;
        e.x = 10;
        e.y = 10 + 20 * type;
        e.width = type == 4 ? -30 : 150;
        e.height = 40;
        e.size = type == 5 ? 5 : type == 7 ? 1 : 4;
        e.percent = 100;
        e.variable = type == 3 ? 6 : 0;
        e.text = L"текст";
        form.append(e);
    }
    return form;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilentUiServices ui;
    TZCeiling scene(ui, kNoProgramDir);
    paintingScene::build(scene);
    TZCeiling plain(ui, kNoProgramDir);
    paintingScene::room(plain);
    plain.editor.mode = kModePoints;
    writeSeeds({{"layout.tz", imageOf(scene)}, {"room.tz", imageOf(plain)}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One document, made once (its undo buffers are costly): before each input it gets the image
    // of a new project, which sets every stored member, so each input starts from the same state.
    static SilentUiServices ui;
    static TZCeiling doc(ui, kNoProgramDir);
    resetToNewProject(doc);
    bool currentFormat = true;
    TZDynamicMemory input;
    input.assign(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!loadFromStream(doc, input, currentFormat)) return 0;
    doc.showLogo = true;
    doc.view.showGrid = doc.view.showPointNames = doc.view.showLengths = doc.view.showAngles =
        doc.view.showCanvasDistances = true;

    static DrawingCache cache;
    static RecordingSurface surface(deviceMetricsFor(640, 480));
    AppSettings settings;
    surface.clear();
    prepareScreenPaint(doc, surface, settings, cache);
    paintDrawing(surface, doc, settings, PaintRequest{}, cache);
    for (int purpose = 0; purpose <= kHighestPurpose; ++purpose) {
        surface.clear();
        PaintRequest request;
        request.purpose = purpose;
        request.direct = true;
        request.target = Rect{20, 30, 620, 450};
        request.referenceWidth = 1450;
        request.referenceHeight = 1000;
        paintDrawing(surface, doc, settings, request, cache);
    }
    settings.dealerMode = true;
    settings.flipCutting = size % 2 == 0;
    surface.clear();
    prepareScreenPaint(doc, surface, settings, cache);
    paintDrawing(surface, doc, settings, PaintRequest{}, cache);

    doc.resources.printForms.clear();
    doc.resources.printForms.append(everyElement());
    doc.printFormIndex = 0;
    VariableTextsAdapter variables(doc, settings);
    std::wstring continuation;
    surface.clear();
    drawSheet(doc, surface, continuation, true, SheetPage{0, 0, 2100, 2970, 210, 297},
              SheetServices{settings, variables});

    for (const PictureSize& s : {drawingPictureSize(doc), sheetPictureSize(doc)}) {
        // An empty picture is not made at all; any other keeps within the limits.
        if (!s.empty() && (s.width > kMaxPictureSide || s.height > kMaxPictureSide ||
                           std::int64_t{s.width} * s.height > kMaxPicturePixels))
            std::abort();
    }
    return 0;
}
