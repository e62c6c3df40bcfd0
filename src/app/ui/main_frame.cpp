#include "app/ui/main_frame.h"

#include <QCloseEvent>
#include <QMenuBar>

#include "app/tenzora_app.h"
#include "editor/ui/child_view.h"
#include "platform/qt/qt_text.h"

namespace {
constexpr int kCmdExit = 57665;
constexpr wchar_t kSaveQuestion[] = L"Проект был изменён. Сохранить?";
}  // namespace

CMainFrame::CMainFrame(CTenzoraApp& app, QWidget* parent) : QMainWindow(parent), app_(app) {
    setObjectName("mainFrame");
    view_ = new CChildView(app_.document(), this);
    setCentralWidget(view_);
    buildMenus();
    app_.document().setViews(this);
    setTitle(app_.document().title());
}

CMainFrame::~CMainFrame() { app_.document().setViews(nullptr); }

void CMainFrame::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
    QAction* exit = file->addAction(QStringLiteral("Выход"));
    exit->setObjectName("cmd" + QString::number(kCmdExit));
    exit->setData(kCmdExit);
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

void CMainFrame::refreshFigures() {}
void CMainFrame::rebuildTree() {}
void CMainFrame::repaint() { view_->update(); }
void CMainFrame::setTitle(const std::wstring& title) { setWindowTitle(toQt(title)); }

void CMainFrame::clientSize(int& width, int& height) {
    width = view_->width();
    height = view_->height();
}

bool CMainFrame::confirmClose() {
    TZCeiling& doc = app_.document();
    if (doc.polygon.count() < 1 || !doc.modified) return true;
    MessageRequest question{kSaveQuestion, L"", MessageIcon::Question, MessageButtons::YesNoCancel,
                            MessageAnswer::No};
    switch (doc.ui().message(question)) {
    case MessageAnswer::Yes: return doc.saveAs();
    case MessageAnswer::No: return true;
    default: return false;
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (confirmClose())
        event->accept();
    else
        event->ignore();
}
