#include "output/ui/print_view_wnd.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolBar>

#include "app/command_ids.h"
#include "app/command_table.h"
#include "app/ui/command_icons.h"
#include "editor/drawing_cache.h"
#include "output/sheet.h"
#include "output/sheet_variables_adapter.h"
#include "platform/qt/qt_surface.h"
#include "platform/qt/qt_text_measurer.h"

namespace tenzora {

namespace {

QString commandText(int id, const QString& fallback) {
    const CommandInfo* info = findCommand(id);
    if (info == nullptr) return fallback;
    const std::wstring_view text = info->tooltip.empty() ? info->label() : info->tooltip;
    return QString::fromWCharArray(text.data(), qsizetype(text.size()));
}

} // namespace

// The client area below the toolbar: the grey ground and the page, moved with the left button.
class CPrintViewWnd::PageArea : public QWidget {
  public:
    PageArea(CPrintViewWnd& window) : QWidget(&window), window_(window) {
        setObjectName(QStringLiteral("printPage"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(false);
    }

  protected:
    // While the page is dragged only its place changes: the page drawn at the last repaint is
    // moved instead of drawing the sheet again. Every other repaint draws it afresh, so a
    // change of the project shows at the next one.
    void paintEvent(QPaintEvent*) override {
        const bool moving = movePaint_;
        movePaint_ = false;
        PrintPreview& preview = window_.preview_;
        const Rect page = preview.pageRect(width());
        const QSize pageSize(page.width() + 1, page.height() + 1);
        const bool cacheable = qint64(pageSize.width()) * pageSize.height() <= kMaxCachedPixels;
        QPainter painter(this);
        if (!cacheable) {
            paintPreview(painter);
            return;
        }
        const Key key{preview.pixelsPerCm, preview.pageMode, width(), height()};
        if (!moving || !(key == key_) || pageImage_.size() != pageSize) {
            pageImage_ = QImage(pageSize, QImage::Format_RGB32);
            QPainter pagePainter(&pageImage_);
            pagePainter.translate(-page.left, -page.top);
            paintPreview(pagePainter);
            key_ = key;
        }
        painter.fillRect(rect(), QtSurface::toQColor(kPreviewBackground));
        painter.drawImage(page.left, page.top, pageImage_);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) window_.preview_.press(toPoint(event));
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (window_.preview_.move(toPoint(event), event->buttons().testFlag(Qt::LeftButton))) {
            movePaint_ = true;
            update();
        }
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) window_.preview_.release();
    }

  private:
    // A page larger than this (zoomed far in) is drawn straight into the window.
    static constexpr qint64 kMaxCachedPixels = 16LL * 1024 * 1024;
    struct Key {
        double pixelsPerCm = 0;
        int pageMode = 0, width = 0, height = 0;
        bool operator==(const Key&) const = default;
    };

    void paintPreview(QPainter& painter) {
        QtSurface surface(painter, &measurer_);
        surface.setMetrics(deviceMetricsFor(width(), height()));
        VariableTextsAdapter variables(window_.doc_, window_.settings_);
        const SheetServices sheet{window_.settings_, variables, window_.images_, &cache_};
        window_.preview_.paint(window_.doc_, surface, width(), height(), sheet);
    }
    static Point toPoint(const QMouseEvent* event) {
        const QPoint p = event->position().toPoint();
        return {p.x(), p.y()};
    }
    CPrintViewWnd& window_;
    QtTextMeasurer measurer_;
    DrawingCache cache_;
    QImage pageImage_;
    Key key_;
    bool movePaint_ = false;
};

CPrintViewWnd::CPrintViewWnd(TZCeiling& doc, const AppSettings& settings, ImageCodec* images, Actions actions,
                             QWidget* parent)
    : QMainWindow(parent, Qt::Window), doc_(doc), settings_(settings), images_(images),
      actions_(std::move(actions)) {
    setObjectName(QStringLiteral("printView"));
    setWindowTitle(QStringLiteral("Печать"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    toolbar_ = new QToolBar(QStringLiteral("Инструменты просмотра печати"), this);
    toolbar_->setObjectName(QStringLiteral("printViewToolbar"));
    toolbar_->setIconSize(QSize(kToolbarIconSize, kToolbarIconSize));
    addCommand(cmd::kPrint, {});
    addCommand(cmd::kZoomIn, {});
    addCommand(cmd::kZoomOut, {});
    addCommand(cmd::kPan, {});
    toolbar_->addSeparator();
    addCommand(previewCmd::kFirstPage, QStringLiteral("Лист"))->setCheckable(true);
    addCommand(previewCmd::kSecondPage, QStringLiteral("Продолжение"))->setCheckable(true);
    toolbar_->addSeparator();
    toolbar_->addSeparator();
    addCommand(previewCmd::kSavePicture, QStringLiteral("Сохранить рисунок"));
    addToolBar(Qt::TopToolBarArea, toolbar_);

    area_ = new PageArea(*this);
    setCentralWidget(area_);

    // Placed once from the size of a maximised window.
    QSize screen(1280, 800);
    if (const QScreen* s = QGuiApplication::primaryScreen()) screen = s->availableGeometry().size();
    const Rect r = PrintPreview::windowRect(screen.width(), screen.height());
    setGeometry(r.left, r.top, std::max(r.width(), 400), std::max(r.height(), 300));
    preview_.pixelsPerCm = PrintPreview::initialPixelsPerCm(screen.height());
    refreshChecks();
}

CPrintViewWnd::~CPrintViewWnd() = default;

QAction* CPrintViewWnd::addCommand(int id, const QString& text) {
    auto* action = new QAction(this);
    action->setObjectName(QStringLiteral("cmd%1").arg(id));
    action->setData(id);
    action->setText(commandText(id, text));
    action->setToolTip(commandText(id, text));
    if (hasCommandIcon(id)) action->setIcon(commandIcon(id));
    connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    toolbar_->addAction(action);
    commands_[id] = action;
    return action;
}

QAction* CPrintViewWnd::action(int id) const {
    const auto it = commands_.find(id);
    return it == commands_.end() ? nullptr : it->second;
}

void CPrintViewWnd::refreshChecks() {
    action(previewCmd::kFirstPage)->setChecked(preview_.pageMode == 0);
    action(previewCmd::kSecondPage)->setChecked(preview_.pageMode == 1);
}

void CPrintViewWnd::showPreview() {
    preview_.shown();
    refreshChecks();
    show();
    raise();
    area_->update();
}

void CPrintViewWnd::runCommand(int id) {
    switch (id) {
    case cmd::kPrint:
        if (actions_.print) actions_.print();
        return;
    case cmd::kZoomIn:
        preview_.zoomIn();
        break;
    case cmd::kZoomOut:
        preview_.zoomOut();
        break;
    case cmd::kPan:
        preview_.enableDrag();
        return;
    case previewCmd::kFirstPage:
        preview_.pageMode = 0;
        break;
    case previewCmd::kSecondPage:
        preview_.pageMode = 1;
        break;
    case previewCmd::kSavePicture:
        if (actions_.savePicture) actions_.savePicture();
        break;
    default:
        return;
    }
    refreshChecks();
    area_->update();
}

void CPrintViewWnd::closeEvent(QCloseEvent* event) {
    // The window lives on; closing only hides it.
    event->ignore();
    hide();
}

} // namespace tenzora
