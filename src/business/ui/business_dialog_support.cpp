#include "business/ui/business_dialog_support.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSettings>
#include <algorithm>

#include "grid/ui/virtual_grid_ctrl.h"
#include "platform/qt/qt_text.h"

namespace tenzora {

namespace {

// The average character width the grid units of the dialogs were laid out for.
constexpr double kUnitFontCharWidth = 5.0;
// Room beside a column title.
constexpr int kTitlePadding = 12;

class PlacementKeeper : public QObject {
  public:
    PlacementKeeper(QWidget& window, QString key) : QObject(&window), window_(window), key_(std::move(key)) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_) return false;
        if (event->type() == QEvent::Show && !placed_) {
            placed_ = true;
            place();
        } else if (event->type() == QEvent::Hide) {
            QSettings settings;
            settings.setValue(settingsKey(), window_.saveGeometry());
        }
        return false;
    }

  private:
    QString settingsKey() const { return QStringLiteral("Windows/") + key_; }

    void place() {
        QSettings settings;
        if (window_.restoreGeometry(settings.value(settingsKey()).toByteArray())) return;
        // Centred on the parent window, or on the screen.
        const QWidget* parent = window_.parentWidget();
        const QRect area = parent != nullptr ? parent->frameGeometry()
                                             : (QGuiApplication::primaryScreen() != nullptr
                                                    ? QGuiApplication::primaryScreen()->availableGeometry()
                                                    : QRect());
        if (area.isValid()) window_.move(area.center() - window_.rect().center());
    }

    QWidget& window_;
    QString key_;
    bool placed_ = false;
};

} // namespace

int gridUnits(const QWidget& grid, int units) {
    const double scale = std::max(1.0, grid.fontMetrics().averageCharWidth() / kUnitFontCharWidth);
    return static_cast<int>(units * scale + 0.5);
}

void setGridColumns(CVirtualGridCtrl& grid, const std::vector<GridColumnTitle>& columns) {
    grid.columns().clear();
    // A column is never narrower than its title: "Коэф. цены обрезков" or "от 4 до 8" cut short
    // would not say what the column holds.
    const QFontMetrics header = grid.horizontalHeader()->fontMetrics();
    for (const GridColumnTitle& c : columns) {
        const int titleWidth = c.title.empty() ? 0 : header.horizontalAdvance(toQt(c.title)) + kTitlePadding;
        grid.columns().add(c.title, std::max(gridUnits(grid, c.width), titleWidth));
    }
}

void setGridColumns(CVirtualGridCtrl& grid, std::initializer_list<GridColumnTitle> columns) {
    setGridColumns(grid, std::vector<GridColumnTitle>(columns));
}

void rememberPlacement(QWidget& window, const QString& key) {
    new PlacementKeeper(window, key);
}

} // namespace tenzora
