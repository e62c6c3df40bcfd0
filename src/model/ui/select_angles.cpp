#include "model/ui/select_angles.h"

#include <QGridLayout>
#include <QPushButton>

namespace tenzora {

TZSelectAngles::TZSelectAngles(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("251"));
    setWindowTitle(QStringLiteral("Выберите количество углов"));
    auto* grid = new QGridLayout(this);
    grid->setSpacing(2);
    for (int n = kFirstCount; n <= kLastCount; ++n) {
        auto* button = new QPushButton(QString::number(n), this);
        button->setObjectName(QStringLiteral("corners%1").arg(n));
        button->setAutoDefault(false);
        // Square buttons wide enough for two digits in the font of the screen.
        const int side = fontMetrics().horizontalAdvance(QStringLiteral("888")) + 12;
        button->setFixedSize(side, side * 3 / 4 + 4);
        connect(button, &QPushButton::clicked, this, [this, n] { done(n); });
        const int index = n - kFirstCount;
        grid->addWidget(button, index / kPerRow, index % kPerRow);
    }
    setFixedSize(sizeHint());
}

int TZSelectAngles::choose(QWidget* anchor) {
    TZSelectAngles picker(anchor);
    if (anchor != nullptr) picker.move(anchor->mapToGlobal(QPoint(0, anchor->height())));
    const int result = picker.exec();
    return result >= kFirstCount && result <= kLastCount ? result : 0;
}

} // namespace tenzora
