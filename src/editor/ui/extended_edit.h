#pragma once
// TZExtendedEdit: the edit control for point and side names. Every character typed goes through
// the name keys, so that a name typed with the Russian layout ("ав") reads as the Latin name of
// the same keys ("FD"); the whole text is selected when the control gains the focus or is
// clicked with the middle button; Enter is reported instead of being swallowed.

#include <QLineEdit>
#include <functional>

namespace tenzora {

class TZExtendedEdit : public QLineEdit {
    Q_OBJECT
  public:
    // `controlId` becomes the object name (1208 and 1028 in the side panel).
    TZExtendedEdit(int controlId, QWidget* parent = nullptr);
    int controlId() const { return controlId_; }

    // Called after every change the user makes, once the name keys have been applied.
    void setChangeCallback(std::function<void()> callback) { changed_ = std::move(callback); }

  signals:
    // The user changed the text (after the name keys).
    void edited();
    void enterPressed();

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void applyNameKeys(const QString& text);

    int controlId_;
    std::function<void()> changed_;
};

} // namespace tenzora
