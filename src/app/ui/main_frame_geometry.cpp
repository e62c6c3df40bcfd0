#include "app/ui/main_frame_geometry.h"

#include "app/command_ids.h"
#include "app/start_switches.h"
#include "app/tenzora_app.h"
#include "app/ui/accelerator_filter.h"
#include "app/ui/main_frame.h"
#include "cutting/ui/canvas_dialog_window.h"
#include "cutting/ui/cutting_dialog_window.h"
#include "editor/ui/child_view_input.h"
#include "editor/ui/main_panel.h"
#include "editor/view_fit.h"
#include "model/ui/construction_dialog.h"
#include "model/ui/cutout_dialog.h"

namespace tenzora {

GeometryWindows::GeometryWindows(CMainFrame& frame, CTenzoraApp& app)
    : QObject(&frame), frame_(frame), app_(app) {
    setObjectName(QStringLiteral("geometryWindows"));
    TZCeiling& doc = app_.document();
    // The cutting and canvas dialogs exist, hidden, from the start.
    cutting_ = new CRaskroy(doc, app_.settings(), &frame_);
    canvas_ = new CPolotno(doc, &frame_);
    remember(cutting_);
    remember(canvas_);
    // A new window shows the grid, the point names, the lengths and the constructions.
    applyStartSwitches(doc);

    registerCommands();
    frame_.mainPanel()->setListOpener([this](const OrderListLine& line) {
        if (line.type == kOrderConstruction)
            panelConstructionDialog()->showStored(line.index);
        else
            panelCutoutDialog()->showStored(line.index);
    });
    frame_.viewInput()->setCanvasOpener(
        [this](int number, int reference) { canvas_->showCanvas(number, reference); });
    // The program's keys act on the project whichever control of the window has the focus.
    installAcceleratorFilter(frame_);
}

template <typename Dialog> void GeometryWindows::remember(Dialog* dialog) {
    dialog->setPlacementStore([&frame = frame_] { return frame.layoutSettings(); });
}

void GeometryWindows::registerCommands() {
    CommandRegistry& registry = frame_.commands().registry();
    const std::pair<int, TZDopKind> kinds[] = {{cmd::kCornerCut, TZDopKind::CornerCut},
                                               {cmd::kArc, TZDopKind::Arc},
                                               {cmd::kCutRectangle, TZDopKind::Rectangle},
                                               {cmd::kCutTrapezoid, TZDopKind::Trapezoid},
                                               {cmd::kBend, TZDopKind::Bend}};
    for (auto [id, kind] : kinds)
        registry.setHandler(id, [this, kind = kind](CommandContext& c) {
            if (c.doc.editor.mode != kModeStart)
                constructionDialog()->showNew(static_cast<std::int32_t>(kind));
        });
    registry.setHandler(cmd::kInnerCutout, [this](CommandContext& c) {
        if (c.doc.editor.mode != kModeStart) cutoutDialog()->showNew();
    });
}

TZDopPostr* GeometryWindows::constructionDialog() {
    if (construction_ == nullptr) {
        construction_ = new TZDopPostr(app_.document(), &frame_);
        remember(construction_);
    }
    return construction_;
}

TZHoleDialog* GeometryWindows::cutoutDialog() {
    if (cutout_ == nullptr) {
        cutout_ = new TZHoleDialog(app_.document(), &frame_);
        remember(cutout_);
    }
    return cutout_;
}

TZDopPostr* GeometryWindows::panelConstructionDialog() {
    if (panelConstruction_ == nullptr) {
        panelConstruction_ = new TZDopPostr(app_.document(), frame_.mainPanel(), QStringLiteral("panel232"));
        remember(panelConstruction_);
    }
    return panelConstruction_;
}

TZHoleDialog* GeometryWindows::panelCutoutDialog() {
    if (panelCutout_ == nullptr) {
        panelCutout_ = new TZHoleDialog(app_.document(), frame_.mainPanel(), QStringLiteral("panel137"));
        remember(panelCutout_);
    }
    return panelCutout_;
}

bool openStartupProject(CMainFrame& frame, CTenzoraApp& app, const std::wstring& commandLine) {
    if (!app.openCommandLine(commandLine)) return false;
    TZCeiling& doc = app.document();
    frame.clientSize(doc.view.viewWidth, doc.view.viewHeight);
    if (placeOutlineInView(doc)) doc.repaint();
    return true;
}

// ---- the main window's part ------------------------------------------------------------------------

void CMainFrame::showCuttingDialog() {
    geometry_->cuttingDialog()->present();
}

} // namespace tenzora
