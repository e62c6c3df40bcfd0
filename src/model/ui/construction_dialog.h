#pragma once
// TZDopPostr: the modeless dialog of an additional construction (a niche or ledge, an arc, a
// corner cut, a trapezoid, a bend). The main window keeps one for its five commands, each giving
// it a fresh record of its kind; the side panel keeps its own for the stored records of its list.
// What the fields show, how the dialog looks for a kind and the record OK stores come from the
// core (model/construction_form.h); OK and "Удалить" go through model/construction_operations.h.

#include <QString>

#include "model/construction.h"
#include "platform/qt/widgets_modeless_dialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tenzora {

class TZCeiling;
class TZExtendedEdit;

class TZDopPostr : public ModelessDialog {
    Q_OBJECT
  public:
    TZDopPostr(TZCeiling& doc, QWidget* parent, const QString& placementKey = QStringLiteral("232"));

    // A fresh record of `kind` (TZDopKind), shown. Nothing happens in the start mode.
    void showNew(std::int32_t kind);
    // Stored construction `index`, shown for editing; false for an index out of range.
    bool showStored(int index);
    // The stored construction being edited; −1 for a new one.
    int editedIndex() const { return index_; }

    void accept() override; // OK
    void deleteRecord();    // "Удалить"

  private:
    void buildControls();
    void load(const TZDop& dop);
    void kindChosen(int position);
    void applyLayout();
    void updateDirection();
    struct ConstructionFields readFields() const;
    double number(const QLineEdit* edit) const;

    TZCeiling& doc_;
    TZDop base_;
    int index_ = -1;

    QComboBox* kind_ = nullptr;
    TZExtendedEdit* name1_ = nullptr;
    TZExtendedEdit* name2_ = nullptr;
    QLineEdit* distance1_ = nullptr;
    QLineEdit* distance2_ = nullptr;
    QLineEdit* depth_ = nullptr;
    QLineEdit* arcLength_ = nullptr;
    QLineEdit* extra_ = nullptr;
    QLabel* direction_ = nullptr;
    QLabel* vertexLabel1_ = nullptr;
    QLabel* vertexLabel2_ = nullptr;
    QLabel* distanceLabel1_ = nullptr;
    QLabel* distanceLabel2_ = nullptr;
    QLabel* depthLabel_ = nullptr;
    QLabel* extraLabel_ = nullptr;
    QLabel* arcLengthLabel_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* delete_ = nullptr;
};

} // namespace tenzora
