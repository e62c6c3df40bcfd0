#include "app/ui/main_frame.h"
#include "app/ui/main_frame_check.h"

#include <chrono>
#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/command_ids.h"
#include "app/command_table.h"
#include "app/tenzora_app.h"
#include "app/ui/command_icons.h"
#include "app/ui/main_frame_business.h"
#include "app/ui/main_frame_geometry.h"
#include "app/ui/main_frame_project.h"
#include "app/ui/print_commands.h"
#include "business/photos.h"
#include "cutting/canvas_pieces.h"
#include "editor/ui/child_view.h"
#include "editor/ui/child_view_input.h"
#include "editor/ui/main_panel.h"
#include "output/export_choice.h"
#include "output/office_documents.h"
#include "output/office_templates.h"
#include "output/picture_export.h"
#include "output/report_command.h"
#include "output/sheet_variables_adapter.h"
#include "platform/qt/qt_export_backend.h"
#include "platform/qt/qt_text.h"

namespace tenzora {

namespace {

constexpr wchar_t kSaveQuestion[] = L"Проект был изменён. Сохранить?";
// Version tag of the saved toolbar layout; a layout of another version is ignored.
constexpr int kLayoutVersion = 1;
const QString kGeometryKey = QStringLiteral("Window/geometry");
const QString kStateKey = QStringLiteral("Window/state");

QString qt(std::wstring_view text) {
    return QString::fromWCharArray(text.data(), qsizetype(text.size()));
}

QList<QKeySequence> keySequences(const Accelerator& a) {
    const Qt::KeyboardModifiers ctrl = a.ctrl ? Qt::ControlModifier : Qt::NoModifier;
    switch (a.key) {
    case AccelKey::Letter:
        return {QKeySequence(QKeyCombination(ctrl, Qt::Key(Qt::Key_A + (a.letter - 'A'))))};
    // Both Enter keys: the main one and the keypad's.
    case AccelKey::Enter:
        return {QKeySequence(QKeyCombination(ctrl, Qt::Key_Return)),
                QKeySequence(QKeyCombination(ctrl | Qt::KeypadModifier, Qt::Key_Enter))};
    case AccelKey::F12:
        return {QKeySequence(QKeyCombination(ctrl, Qt::Key_F12))};
    // Gray + and Gray −: the keypad's keys only, so that typing a sign in a field stays typing.
    case AccelKey::KeypadPlus:
        return {QKeySequence(QKeyCombination(ctrl | Qt::KeypadModifier, Qt::Key_Plus))};
    case AccelKey::KeypadMinus:
        return {QKeySequence(QKeyCombination(ctrl | Qt::KeypadModifier, Qt::Key_Minus))};
    case AccelKey::None:
        break;
    }
    return {};
}

// Menu texts of pop-ups come from file names and form titles: an ampersand there is a character,
// not a mnemonic.
QString literalMenuText(const std::wstring& text) {
    return toQt(text).replace('&', QStringLiteral("&&"));
}

} // namespace

CMainFrame::CMainFrame(CTenzoraApp& app, QWidget* parent)
    : QMainWindow(parent), app_(app), processor_(app.document(), app.settings(), app.services().clock) {
    setObjectName("mainFrame");
    setWindowIcon(programIcon());
    setIconSize(QSize(kToolbarIconSize, kToolbarIconSize));
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
    view_ = new CChildView(app_.document(), this);
    view_->setPaintServices(app_.settings(), &app_.services().images);
    setCentralWidget(view_);

    registerDocumentCommands(processor_.registry());
    registerWindowCommands();
    registerBusinessWindows(*this, app_);
    processor_.setHost(this);
    createActions();
    buildMenus();
    buildToolbars();

    // The side panel, docked at the left; the triangle commands act on its tree's selected row.
    panel_ = new TZMainPanel(app_.document(), app_.settings(), this);
    // The tree lists each canvas of the layout with its piece's points in fabric coordinates.
    panel_->setCanvasSource([&doc = app_.document()](const TZCeiling&, int reference) {
        std::vector<CanvasPiecePoint> rows;
        const Vertex* start = doc.seamLines.checkedAt(reference);
        if (start == nullptr) return rows;
        TZStaticArray<Vertex> points;
        TZStaticArray<int> indexes;
        canvasPoints(&points, &indexes, doc, *start);
        for (int i = 0; i < points.count() && i < indexes.count(); ++i)
            rows.push_back({indexes.at(i), points.at(i).x, points.at(i).y});
        return rows;
    });
    setSidePanel(panel_);
    sidePanelDock_->setWindowTitle(panel_->windowTitle());
    setSelectedRowSource([this] { return panel_->selectedRow(); });
    viewInput_ = new ChildViewInput(*view_, app_.document(), app_.settings(), app_.services().images, panel_);
    installMeasurementCheck(*this);
    installProjectWindows(*this, app_);
    geometry_ = new GeometryWindows(*this, app_);

    app_.document().setViews(this);
    setTitle(app_.document().title());

    stateTimer_ = new QTimer(this);
    stateTimer_->setInterval(kStateRefreshMs);
    connect(stateTimer_, &QTimer::timeout, this, &CMainFrame::refreshCommandStates);
    stateTimer_->start();
    refreshCommandStates();
}

CMainFrame::~CMainFrame() {
    processor_.setHost(nullptr);
    app_.document().setViews(nullptr);
}

// ---- building the window from the command table ---------------------------------------------------

void CMainFrame::createActions() {
    for (const CommandInfo& info : commandTable()) {
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("cmd%1").arg(info.id));
        action->setData(info.id);
        // The menu text keeps its key text after the tab; the menu shows it as written.
        action->setText(info.menuText.empty() ? qt(info.label()) : qt(info.menuText));
        action->setToolTip(qt(info.tooltip.empty() ? info.label() : info.tooltip));
        action->setStatusTip(qt(info.statusText));
        action->setCheckable(info.checkable);
        action->setShortcuts(keySequences(info.accelerator));
        action->setShortcutContext(Qt::WindowShortcut);
        if (hasCommandIcon(info.id)) {
            action->setIcon(commandIcon(info.id));
            // Menus show the check mark, not the picture, as they always have.
            action->setIconVisibleInMenu(false);
        }
        const int id = info.id;
        connect(action, &QAction::triggered, this, [this, action, id](bool checked) {
            // The rules decide the mark, not the click: undo Qt's own toggle first.
            if (action->isCheckable()) action->setChecked(!checked);
            runCommand(id);
        });
        // Keys work whether or not their menu or toolbar is shown.
        addAction(action);
        actions_[id] = action;
    }
}

void CMainFrame::buildMenus() {
    std::function<void(QMenu*, const std::vector<MenuEntry>&)> fill =
        [&](QMenu* menu, const std::vector<MenuEntry>& entries) {
            for (const MenuEntry& entry : entries) {
                switch (entry.kind) {
                case MenuEntry::Kind::Separator:
                    menu->addSeparator();
                    break;
                case MenuEntry::Kind::Command:
                    menu->addAction(action(entry.command));
                    break;
                case MenuEntry::Kind::Submenu: {
                    QMenu* sub = menu->addMenu(qt(entry.title));
                    connect(sub, &QMenu::aboutToShow, this, &CMainFrame::refreshCommandStates);
                    fill(sub, entry.entries);
                    break;
                }
                }
            }
        };
    for (const MenuDefinition& definition : tenzora::menuBar()) {
        QMenu* menu = QMainWindow::menuBar()->addMenu(qt(definition.title));
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::refreshCommandStates);
        fill(menu, definition.entries);
    }
}

void CMainFrame::buildToolbars() {
    for (const ToolbarDefinition& definition : toolbars()) {
        if (definition.startsNewRow) addToolBarBreak(Qt::TopToolBarArea);
        auto* bar = new QToolBar(qt(definition.caption), this);
        bar->setObjectName(QStringLiteral("toolbar%1").arg(definition.resource));
        bar->setIconSize(QSize(kToolbarIconSize, kToolbarIconSize));
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        for (int id : definition.buttons) {
            if (id == kToolbarSeparator)
                bar->addSeparator();
            else
                bar->addAction(action(id));
        }
        addToolBar(Qt::TopToolBarArea, bar);
        toolbars_[definition.resource] = bar;
    }
}

void CMainFrame::registerWindowCommands() {
    CommandRegistry& registry = processor_.registry();
    registry.setHandler(cmd::kExit, [this](CommandContext&) { close(); });
    registry.setHandler(cmd::kBarMain, [this](CommandContext&) { toggleBar(toolbar(kMainToolbar)); });
    registry.setHandler(cmd::kBarEditing, [this](CommandContext&) { toggleBar(toolbar(kPointsToolbar)); });
    registry.setHandler(cmd::kExport, [this](CommandContext& c) {
        QtExportBackend backend;
        VariableTextsAdapter variables(c.doc, c.settings);
        ExportServices services{c.settings, backend, app_.services().images, &variables, {}, &c.clock};
        chooseExportFile(c.doc, -1, services, &app_.services().launcher);
    });
    registry.setHandler(cmd::kReport, [](CommandContext& c) {
        std::vector<std::wstring> names;
        if (prepareTemplatesOfReport(c.doc, c.settings, names))
            c.processor.offerChoices(ChoiceKind::Report, cmd::kReport, names);
    });
    registry.setChoiceHandler(ChoiceKind::Report, [this](CommandContext& c, int index) {
        const auto now = std::chrono::duration_cast<std::chrono::seconds>(
            std::chrono::system_clock::now().time_since_epoch());
        std::error_code ec;
        runReportOfTemplate(c.doc, c.settings, index, app_.services().launcher,
                            std::filesystem::temp_directory_path(ec), now.count());
    });
    registry.setHandler(cmd::kAddPhoto,
                        [this](CommandContext& c) { addPhotoFromMenu(c.doc, app_.services().images); });
    printing_ = std::make_unique<PrintCommands>(*this, app_);
}

void CMainFrame::toggleBar(QWidget* bar) {
    // Qt lays the window out again by itself; no restore-and-maximise is needed.
    if (bar != nullptr) bar->setVisible(bar->isHidden());
}

void CMainFrame::setSidePanel(QWidget* panel) {
    if (sidePanelDock_ == nullptr) {
        sidePanelDock_ = new QDockWidget(this);
        sidePanelDock_->setObjectName(QStringLiteral("sidePanelDock"));
        sidePanelDock_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
        sidePanelDock_->setFeatures(QDockWidget::DockWidgetMovable);
        addDockWidget(Qt::LeftDockWidgetArea, sidePanelDock_);
        processor_.registry().setHandler(cmd::kBarSidePanel,
                                         [this](CommandContext&) { toggleBar(sidePanelDock_); });
    }
    sidePanelDock_->setWidget(panel);
    sidePanelDock_->show();
    refreshCommandStates();
}

std::optional<std::wstring> CMainFrame::selectedTreeRow() const {
    return selectedRow_ ? selectedRow_() : std::nullopt;
}

void CMainFrame::setSelectedRowSource(std::function<std::optional<std::wstring>()> source) {
    selectedRow_ = std::move(source);
}

QAction* CMainFrame::action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QToolBar* CMainFrame::toolbar(int resource) const {
    const auto it = toolbars_.find(resource);
    return it == toolbars_.end() ? nullptr : it->second;
}

// ---- running commands ---------------------------------------------------------------------------

CommandOutcome CMainFrame::runCommand(int id) {
    CommandOutcome outcome;
    {
        // One change: the side panel, the drawing and the title are told once, after the command.
        const ChangeCycle change(app_.document());
        outcome = processor_.execute(id);
    }
    if (outcome == CommandOutcome::NotAvailable) QApplication::beep();
    refreshCommandStates();
    return outcome;
}

CommandUiState CMainFrame::uiState() const {
    CommandUiState ui;
    if (selectedRow_) ui.selectedTreeRow = selectedRow_();
    const QToolBar* main = toolbar(kMainToolbar);
    const QToolBar* points = toolbar(kPointsToolbar);
    ui.mainToolbarVisible = main != nullptr && !main->isHidden();
    ui.pointsToolbarVisible = points != nullptr && !points->isHidden();
    ui.sidePanelVisible = sidePanelDock_ != nullptr && !sidePanelDock_->isHidden();
    return ui;
}

void CMainFrame::refreshCommandStates() {
    const CommandUiState ui = uiState();
    for (auto& [id, action] : actions_) {
        const CommandState state = processor_.state(id, ui);
        action->setEnabled(state.enabled);
        if (action->isCheckable() && state.checked) action->setChecked(*state.checked);
    }
}

QPoint CMainFrame::popupPosition(int anchorCommand) const {
    // Under the command's button, on whichever visible toolbar holds it.
    if (QAction* anchor = action(anchorCommand)) {
        for (const auto& [resource, bar] : toolbars_) {
            QWidget* button = bar->widgetForAction(anchor);
            if (button != nullptr && button->isVisible())
                return button->mapToGlobal(QPoint(0, button->height()));
        }
    }
    return QCursor::pos();
}

void CMainFrame::showPopup(int anchorCommand, const std::vector<PopupItem>& items) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("popup%1").arg(anchorCommand));
    for (const PopupItem& item : items) {
        if (item.isSeparator()) {
            menu.addSeparator();
            continue;
        }
        QAction* entry = menu.addAction(literalMenuText(item.text));
        entry->setObjectName(QStringLiteral("cmd%1").arg(item.command));
        entry->setData(item.command);
        entry->setEnabled(item.enabled);
        entry->setCheckable(item.checked);
        entry->setChecked(item.checked);
    }
    QAction* chosen = menu.exec(popupPosition(anchorCommand));
    if (chosen == nullptr) return;
    // The choice arrives as an ordinary command once the command that opened the menu is done.
    const int id = chosen->data().toInt();
    QMetaObject::invokeMethod(
        this, [this, id] { runCommand(id); }, Qt::QueuedConnection);
}

// ---- layout memory ------------------------------------------------------------------------------

void CMainFrame::restoreLayout(QSettings& settings) {
    restoreGeometry(settings.value(kGeometryKey).toByteArray());
    restoreState(settings.value(kStateKey).toByteArray(), kLayoutVersion);
}

void CMainFrame::saveLayout(QSettings& settings) const {
    settings.setValue(kGeometryKey, saveGeometry());
    settings.setValue(kStateKey, saveState(kLayoutVersion));
}

// ---- document views -----------------------------------------------------------------------------

void CMainFrame::refreshFigures() {
    panel_->refreshPanel();
}
void CMainFrame::rebuildTree() {
    panel_->rebuildTree();
}
void CMainFrame::repaint() {
    view_->update();
}
void CMainFrame::setTitle(const std::wstring& title) {
    setWindowTitle(toQt(title));
}

void CMainFrame::clientSize(int& width, int& height) {
    width = view_->width();
    height = view_->height();
}

bool CMainFrame::saveProjectAs() {
    return app_.document().saveAs();
}

// ---- closing ------------------------------------------------------------------------------------

bool CMainFrame::confirmClose() {
    TZCeiling& doc = app_.document();
    if (doc.polygon.count() < 1 || !doc.modified) return true;
    MessageRequest question{kSaveQuestion, L"", MessageIcon::Question, MessageButtons::YesNoCancel,
                            MessageAnswer::No};
    switch (doc.ui().message(question)) {
    case MessageAnswer::Yes:
        return doc.saveAs();
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    if (layoutSettings_ != nullptr) saveLayout(*layoutSettings_);
    event->accept();
}

} // namespace tenzora
