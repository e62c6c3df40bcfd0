#include "app/ui/main_frame_business.h"

#include "app/command_ids.h"
#include "app/tenzora_app.h"
#include "app/ui/about_dialog.h"
#include "app/ui/main_frame.h"
#include "app/ui/properties_dialog.h"
#include "business/ui/materials_window.h"
#include "business/ui/price_dialogs.h"

namespace tenzora {

void registerBusinessWindows(CMainFrame& frame, CTenzoraApp& app) {
    CommandRegistry& registry = frame.commands().registry();
    registry.setHandler(cmd::kMaterials, [&frame, &app](CommandContext&) {
        // One window for the whole run: hidden by OK and Cancel, shown again here.
        auto* window = frame.findChild<CMaterials*>(QString(), Qt::FindDirectChildrenOnly);
        if (window == nullptr) window = new CMaterials(app, &frame);
        window->show();
        window->raise();
        window->activateWindow();
    });
    // The price files are read and written where the application keeps its program directory.
    registry.setHandler(cmd::kPriceSettings, [&frame, &app](CommandContext&) {
        TZRPriceOptions dialog(app.programDir(), app.services().ui, &frame);
        dialog.exec();
    });
    registry.setHandler(cmd::kPriceLists, [&frame, &app](CommandContext&) {
        TZPriceDialog dialog(app.programDir(), app.services().ui, &frame);
        dialog.exec();
    });
    registry.setHandler(cmd::kSettings, [&frame, &app](CommandContext&) {
        TZProperties dialog(app.settings(), app.services().settings, app.services().ui, &frame);
        dialog.exec();
    });
    registry.setHandler(cmd::kAbout, [&frame, &app](CommandContext&) {
        TZAbout dialog(app.document().resources.logo, app.settings().printTitle, &frame);
        dialog.exec();
    });
}

} // namespace tenzora
