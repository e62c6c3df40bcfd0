#include "business/ui/clients_dialog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "grid/ui/virtual_grid_ctrl.h"
#include "platform/launcher.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/widgets_remembered_position.h"

namespace tenzora {

namespace {
// The progress window is brought up to date (and its "Отмена" heard) this often during a scan.
constexpr qint64 kProgressIntervalMs = 30;
// A scan that ends sooner than this shows no progress window at all.
constexpr int kProgressDelayMs = 400;

template <std::size_t N> void addColumns(CVirtualGridCtrl* grid, const std::array<GridColumnSpec, N>& specs) {
    for (const GridColumnSpec& column : specs)
        grid->columns().add(column.title, column.width);
}
} // namespace

class TZClients::ClientGrid : public GridOwner {
  public:
    explicit ClientGrid(TZClients& dialog) : dialog_(dialog) {}
    void cellData(GridCellRequest& r) override {
        r.text = dialog_.form_.clientText(r.cell.row, r.cell.column);
    }
    void selectCell(GridCell cell, bool& allow) override {
        if (allow && cell.row != dialog_.clients_->currentCell().row) dialog_.clientRowChosen(cell.row);
    }

  private:
    TZClients& dialog_;
};

class TZClients::ProjectGrid : public GridOwner {
  public:
    explicit ProjectGrid(TZClients& dialog) : dialog_(dialog) {}
    void cellData(GridCellRequest& r) override {
        r.text = dialog_.form_.projectText(r.cell.row, r.cell.column);
    }

  private:
    TZClients& dialog_;
};

TZClients::TZClients(UiServices& ui, Launcher& launcher, std::span<const std::wstring> folders,
                     bool chooseMode, QWidget* parent)
    : QDialog(parent), form_(ui, chooseMode), launcher_(launcher), folders_(folders.begin(), folders.end()) {
    setObjectName(QStringLiteral("257"));
    setWindowTitle(QStringLiteral("Клиенты"));
    setSizeGripEnabled(true);
    clientOwner_ = new ClientGrid(*this);
    projectOwner_ = new ProjectGrid(*this);

    auto makeGrid = [this](int id, GridOwner* owner) {
        auto* grid = new CVirtualGridCtrl(this);
        grid->setObjectName(QString::number(id));
        grid->setOwner(owner);
        grid->options().allowEdit = false;
        grid->options().rowSelect = true;
        return grid;
    };
    clients_ = makeGrid(1622, clientOwner_);
    addColumns(clients_, ClientsForm::kClientColumns);
    projects_ = makeGrid(1614, projectOwner_);
    addColumns(projects_, ClientsForm::kProjectColumns);
    connect(projects_, &CVirtualGridCtrl::cellDoubleClicked, this, [this] { openProject(); });

    auto button = [this](int id, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::number(id));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* choose = button(1, QStringLiteral("Выбрать"));
    QPushButton* close = button(2, QStringLiteral("Закрыть"));
    QPushButton* update = button(3, QStringLiteral("Обновить"));
    QPushButton* excel = button(4, QStringLiteral("В Excel"));
    QPushButton* open = button(5, QStringLiteral("Открыть потолок"));
    choose->setEnabled(form_.chooseEnabled());
    // Enter chooses where choosing is what the dialog is for.
    choose->setDefault(form_.chooseEnabled());
    connect(choose, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(update, &QPushButton::clicked, this, &TZClients::refresh);
    connect(excel, &QPushButton::clicked, this, [this] { form_.exportCsv(); });
    connect(open, &QPushButton::clicked, this, &TZClients::openProject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(clients_, 3);
    layout->addWidget(projects_, 2);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {update, excel, open})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(choose);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    setTabOrder(clients_, projects_);
    setTabOrder(projects_, update);
    setTabOrder(update, excel);
    setTabOrder(excel, open);
    setTabOrder(open, choose);
    setTabOrder(choose, close);

    int width = 0;
    for (const GridColumnSpec& column : ClientsForm::kClientColumns)
        width += column.width;
    resize(width + 60, 460);
    rememberPosition(this, QStringLiteral("257"));
}

TZClients::~TZClients() {
    clients_->setOwner(nullptr);
    projects_->setOwner(nullptr);
    delete clientOwner_;
    delete projectOwner_;
}

void TZClients::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The dialog is on screen before the first scan starts, so that its progress can be shown.
    if (!scanned_) {
        scanned_ = true;
        QTimer::singleShot(0, this, &TZClients::refresh);
    }
}

bool TZClients::refresh() {
    if (scanning_) return false;
    scanning_ = true;
    QProgressDialog progress(QStringLiteral("Чтение проектов из папок чертежей…"), QStringLiteral("Отмена"),
                             0, 0, this);
    progress.setObjectName(QStringLiteral("scanProgress"));
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress_ = &progress;
    QElapsedTimer sinceUpdate;
    sinceUpdate.start();
    bool first = true;
    const bool done = form_.scanUnlessCancelled(folders_, [&](std::size_t read, std::size_t total) {
        // The window is kept alive between files: the bar moves and "Отмена" is heard.
        if (first || sinceUpdate.elapsed() >= kProgressIntervalMs) {
            first = false;
            progress.setMaximum(int(std::min<std::size_t>(total, INT_MAX)));
            progress.setValue(int(std::min<std::size_t>(read, INT_MAX)));
            QCoreApplication::processEvents();
            sinceUpdate.restart();
        }
        return !progress.wasCanceled();
    });
    progress_ = nullptr;
    scanning_ = false;
    if (done) {
        clients_->setRowCount(form_.clientCount());
        projects_->setRowCount(form_.projectCount());
        clients_->invalidate();
        projects_->invalidate();
    }
    return done;
}

void TZClients::clientRowChosen(int row) {
    form_.selectClient(row);
    projects_->setRowCount(form_.projectCount());
    projects_->invalidate();
}

void TZClients::openProject() {
    form_.openProject(projects_->currentCell().row, launcher_);
}

} // namespace tenzora
