#include "app/ui/main_frame_check.h"

#include "app/command_ids.h"
#include "app/tenzora_app.h"
#include "app/ui/main_frame.h"
#include "editor/ui/main_panel.h"
#include "model/ui/measurement_check_window.h"

namespace tenzora {

void installMeasurementCheck(CMainFrame& frame) {
    frame.commands().registry().setHandler(cmd::kCheckMeasurements, [&frame](CommandContext& c) {
        auto* window =
            frame.findChild<TZCheckWindow*>(QStringLiteral("checkWindow"), Qt::FindDirectChildrenOnly);
        if (window == nullptr) {
            window = new TZCheckWindow(
                [&frame](int record) {
                    if (frame.mainPanel() != nullptr) frame.mainPanel()->showRecord(record);
                },
                &frame);
        }
        window->check(c.doc);
        window->show();
        window->raise();
        window->activateWindow();
    });
}

} // namespace tenzora
