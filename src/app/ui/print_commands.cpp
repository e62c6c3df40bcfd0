#include "app/ui/print_commands.h"

#include "app/command_ids.h"
#include "app/tenzora_app.h"
#include "app/ui/main_frame.h"
#include "model/ceiling.h"
#include "output/export_choice.h"
#include "output/picture_export.h"
#include "output/print_job.h"
#include "output/sheet_variables_adapter.h"
#include "output/ui/print_view_wnd.h"
#include "platform/qt/qt_export_backend.h"
#include "platform/qt/widgets_print_dialog.h"

namespace tenzora {

PrintCommands::PrintCommands(CMainFrame& frame, CTenzoraApp& app) : frame_(frame), app_(app) {
    CommandRegistry& registry = frame.commands().registry();
    for (const int id : {cmd::kPreview, cmd::kPrint}) {
        registry.setHandler(id, [id](CommandContext& c) {
            std::vector<std::wstring> names;
            if (!preparePrintForms(c.doc, c.settings, names)) return;
            if (names.empty()) {
                c.processor.offerChoices(ChoiceKind::PrintForm, id, names); // tells there is none
                return;
            }
            c.doc.printMode = id == cmd::kPrint ? kPrintModePrint : kPrintModePreview;
            c.processor.offerChoices(ChoiceKind::PrintForm, id, names);
        });
    }
    registry.setChoiceHandler(ChoiceKind::PrintForm,
                              [this](CommandContext& c, int index) { print(c.doc.printMode, index); });
}

PrintCommands::~PrintCommands() {
    delete preview_;
}

QtPrinterChooser& PrintCommands::printers() {
    if (!printers_) printers_ = std::make_unique<QtPrinterChooser>(&frame_);
    return *printers_;
}

void PrintCommands::print(int mode, int formIndex) {
    TZCeiling& doc = app_.document();
    VariableTextsAdapter variables(doc, app_.settings());
    PrintServices services{app_.settings(), variables, &app_.services().images,
                           mode == kPrintModePrint ? &printers() : nullptr, [this] { showPreview(); }};
    printDrawing(doc, mode, formIndex, services);
}

void PrintCommands::showPreview() {
    if (preview_ == nullptr) {
        CPrintViewWnd::Actions actions;
        actions.print = [this] { print(kPrintModePrint, app_.document().printFormIndex); };
        actions.savePicture = [this] { savePicture(); };
        // A window of its own beside the main window, not owned by it as a child widget.
        preview_ =
            new CPrintViewWnd(app_.document(), app_.settings(), &app_.services().images, std::move(actions));
    }
    preview_->showPreview();
}

void PrintCommands::savePicture() {
    TZCeiling& doc = app_.document();
    QtExportBackend backend;
    VariableTextsAdapter variables(doc, app_.settings());
    ExportServices services{app_.settings(), backend, app_.services().images,
                            &variables,      {},      &app_.services().clock};
    chooseExportFile(doc, doc.printFormIndex, services, &app_.services().launcher);
}

} // namespace tenzora
