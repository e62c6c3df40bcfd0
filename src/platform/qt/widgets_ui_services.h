#pragma once
// Messages and file dialogs through Qt Widgets.

#include <QPointer>
#include <QWidget>

#include "platform/ui_services.h"

namespace tenzora {

class QtUiServices : public UiServices {
  public:
    // Dialogs are owned by this window when it exists.
    void setOwner(QWidget* owner) { owner_ = owner; }

    MessageAnswer message(const MessageRequest& request) override;
    std::optional<std::wstring> chooseFile(const FileDialogRequest& request) override;
    std::optional<std::wstring> chooseFolder(const std::wstring& title,
                                             const std::wstring& initialFolder) override;
    void beep() override;

    // "Text|pattern;pattern|…" to Qt's "Text (pattern pattern);;…".
    static QString toQtFilter(const std::wstring& filter);

  private:
    QPointer<QWidget> owner_;
};

} // namespace tenzora
