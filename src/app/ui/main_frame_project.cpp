#include "app/ui/main_frame_project.h"

#include <QPointer>

#include "app/command_effects.h"
#include "app/command_ids.h"
#include "app/tenzora_app.h"
#include "app/ui/main_frame.h"
#include "business/ui/clients_dialog.h"
#include "business/ui/project_dialog.h"
#include "editor/ui/extended_edit.h"
#include "editor/ui/main_panel.h"

namespace tenzora {

namespace {

// Keeps the project window of a frame: created on first use, then only hidden and shown again.
class ProjectWindows : public QObject {
  public:
    ProjectWindows(CMainFrame& frame, CTenzoraApp& app) : QObject(&frame), frame_(frame), app_(app) {
        setObjectName(QStringLiteral("projectWindows"));
    }

    TZProject* project(bool create) {
        if (project_ == nullptr && create) {
            AppServices& s = app_.services();
            project_ = new TZProject(app_.document(), {s.images, s.launcher, app_.settings().drawingFolders},
                                     &frame_);
            project_->setOutlineStarted([this] { outlineStarted(); });
        }
        return project_;
    }

  private:
    // A generated outline: the side panel names its first side and waits for its length.
    void outlineStarted() {
        TZMainPanel* panel = frame_.mainPanel();
        panel->showRecord(0);
        if (project_ == nullptr || !project_->isVisible()) frame_.activateWindow();
        panel->lengthField()->setFocus(Qt::OtherFocusReason);
    }

    CMainFrame& frame_;
    CTenzoraApp& app_;
    QPointer<TZProject> project_;
};

ProjectWindows* windowsOf(CMainFrame& frame) {
    return frame.findChild<ProjectWindows*>(QStringLiteral("projectWindows"), Qt::FindDirectChildrenOnly);
}

} // namespace

TZProject* projectWindow(CMainFrame& frame, bool create) {
    ProjectWindows* windows = windowsOf(frame);
    return windows != nullptr ? windows->project(create) : nullptr;
}

void installProjectWindows(CMainFrame& frame, CTenzoraApp& app) {
    auto* windows = new ProjectWindows(frame, app);
    CommandRegistry& registry = frame.commands().registry();
    registry.setHandler(cmd::kNewProject, [windows](CommandContext& c) {
        if (runNewProject(c.doc, c.clock)) windows->project(true)->showProject(/*newProject=*/true);
    });
    registry.setHandler(cmd::kProjectInfo, [windows](CommandContext& c) {
        // Nothing to describe before a project is started.
        if (c.doc.editor.mode == kModeStart) return;
        windows->project(true)->showProject(/*newProject=*/false);
    });
    registry.setHandler(cmd::kClients, [&frame, &app](CommandContext&) {
        TZClients clients(app.services().ui, app.services().launcher, app.settings().drawingFolders,
                          /*chooseMode=*/false, &frame);
        clients.exec();
    });
    registry.setHandler(cmd::kAddPhoto, [windows](CommandContext&) {
        windows->project(true)->addPhoto(/*showOnDrawing=*/true);
    });
}

} // namespace tenzora
