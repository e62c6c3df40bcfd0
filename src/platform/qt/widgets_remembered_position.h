#pragma once
// Dialogs open where the user last left them: the position is kept in the per-user settings
// (group "Dialogs", one key per dialog) when the dialog hides, and taken back the first time it
// shows. Without a kept position (or when it lies off every screen now) the dialog is centred
// over its parent window.

class QString;
class QWidget;

namespace tenzora {

// Installs the memory on `dialog` under `key` (the dialog's template number, "252").
void rememberPosition(QWidget* dialog, const QString& key);

} // namespace tenzora
