#pragma once
// ModelessDialog: the frame of the program's modeless dialogs. The first time it is shown it
// goes where the user left it in an earlier run (kept under "Dialogs/<key>/geometry" in the
// store the main window keeps its layout in) or, without such a place, centred on the screen;
// every hide remembers the place. Enter presses the default button and Esc cancels, as in every
// dialog; the layouts follow the font, so the dialogs stay crisp at any screen scale.

#include <QDialog>
#include <functional>

class QSettings;

namespace tenzora {

class ModelessDialog : public QDialog {
    Q_OBJECT
  public:
    ModelessDialog(QString placementKey, QWidget* parent);

    // Where the place is kept; none (or a null store) keeps nothing.
    void setPlacementStore(std::function<QSettings*()> store) { store_ = std::move(store); }
    // Shows the dialog and brings it to the front.
    void present();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QSettings* store() const { return store_ ? store_() : nullptr; }
    QString key() const;

    QString placementKey_;
    std::function<QSettings*()> store_;
    bool placed_ = false;
};

} // namespace tenzora
